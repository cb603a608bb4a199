// The lazy picker must hand out exactly the order of the full exchange sort followed by the
// killer and hash steps, including the order of equal scores, whatever the killers and the
// hash move are (present, absent, equal to each other, sitting before the start index).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "movegen/generate.h"
#include "search/hash_table.h"
#include "search/move_picker.h"
#include "search/ordering.h"
#include "search/sorted_order.h"
#include "tests/board/test_positions.h"

namespace {

MoveList RandomList(std::mt19937& random, int captures, int quiets) {
  MoveList list{};
  std::uniform_int_distribution<int> score(-3, 3);
  for (int i = 0; i < captures + quiets; ++i) {
    list.moves[i] = 1000 + i;
    list.scores[i] = score(random) + (i < captures ? 100 : 0);
  }
  list.capture_count = captures;
  list.count = captures + quiets;
  return list;
}

// The moves in the order of the node's steps done one after another on the whole list.
std::vector<Move> ReferenceOrder(MoveList list, int ply, Move hash_move) {
  SortMoves(list);
  KillersToFront(list, list.capture_count != 0 ? 1 : 0, ply);
  if (hash_move != 0) {
    for (int i = 0; i < list.count; ++i) {
      if (list.moves[i] != hash_move) continue;
      for (int j = i; j > 0; --j) list.moves[j] = list.moves[j - 1];
      list.moves[0] = hash_move;
      break;
    }
  }
  return std::vector<Move>(list.moves, list.moves + list.count);
}

std::vector<Move> PickedOrder(MoveList list, int ply, Move hash_move) {
  MovePicker picker(list, killer_primary[ply], killer_secondary[ply], list.capture_count != 0 ? 1 : 0, hash_move);
  std::vector<Move> order;
  for (int index; (index = picker.Next()) >= 0;) order.push_back(list.moves[index]);
  return order;
}

TEST(MovePicker, GivesTheOrderOfSortKillersAndHashMove) {
  std::mt19937 random(12345);
  const int ply = 7;
  for (int round = 0; round < 20000; ++round) {
    const int captures = std::uniform_int_distribution<int>(0, 4)(random);
    const int quiets = std::uniform_int_distribution<int>(0, 12)(random);
    const MoveList list = RandomList(random, captures, quiets);
    const int n = captures + quiets;
    // Killers and hash move: absent (0 or not listed) or any listed move, often the same one.
    auto pick = [&]() -> Move {
      const int r = std::uniform_int_distribution<int>(-2, n - 1)(random);
      return r == -2 ? 0 : r == -1 ? 999 : 1000 + r;
    };
    killer_primary[ply] = pick();
    killer_secondary[ply] = random() % 4 == 0 ? killer_primary[ply] : pick();
    const Move hash_move = random() % 3 == 0 ? 0 : random() % 4 == 0 ? killer_secondary[ply] : pick();
    ASSERT_EQ(PickedOrder(list, ply, hash_move), ReferenceOrder(list, ply, hash_move))
        << "round " << round << " captures " << captures << " quiets " << quiets;
  }
}

// Lists up to the longest a move list can be, with scores over the whole range the generators
// use: many equal scores, and entries that pass each other in several places at once. The
// quiet moves are appended only after the captures have been handed out, as the picker does.
TEST(SortedOrder, EveryPassGivesThePlainOrder) {
  std::mt19937 random(99);
  const bool usual = SortedOrder::four_lanes;
  for (const bool four_lanes : {false, SortedOrder::HAS_FOUR_LANES}) {
    SortedOrder::four_lanes = four_lanes;
    for (const int count : {0, 1, 3, 5, 8, 9, 13, 17, 40, 77, 218, MAX_MOVES - SPARE_ENTRIES}) {
      for (int round = 0; round < 40; ++round) {
        auto list = std::make_unique<MoveList>();
        auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        const int captures = uniform(0, count);
        for (int i = 0; i < count; ++i) {
          list->moves[i] = 1000 + i;
          // Half the lists with few distinct scores, half over the generators' whole range.
          if (round % 2 == 0) list->scores[i] = uniform(-2, 2) + (i < captures ? 100 : 0);
          else list->scores[i] = i < captures ? uniform(50, MAX_MOVE_SCORE) : uniform(MIN_MOVE_SCORE, 50);
        }
        // What lies past the list must not matter: all bits set, which would win any comparison
        // a pass made with it.
        for (int i = count; i < MAX_MOVES; ++i) list->scores[i] = -1;
        list->capture_count = captures;
        list->count = count;
        auto sorted = std::make_unique<MoveList>(*list);
        SortMoves(*sorted);

        list->count = captures;
        SortedOrder order(*list);
        std::vector<Move> picked;
        for (int index; (index = order.Next()) >= 0;) picked.push_back(list->moves[index]);
        list->count = count;
        for (int index; (index = order.Next()) >= 0;) picked.push_back(list->moves[index]);
        ASSERT_EQ(picked, std::vector<Move>(sorted->moves, sorted->moves + count))
            << "count " << count << " four lanes " << four_lanes << " round " << round;
      }
    }
  }
  SortedOrder::four_lanes = usual;
}

// A picker that starts from the captures and generates the quiet moves itself gives the same
// moves in the same order as one given the whole list, whatever the killers and the hash move
// are: moves of the list (captures, quiet moves, castling), moves of the other side, a move
// given twice, or none.
void CompareDeferred(const Position& p, std::mt19937& random) {
  const Colour us = p.side_to_move == WHITE ? WHITE : BLACK;
  MoveList full{};
  GenerateAllMoves(p, full);
  MoveList other{};
  if (us == WHITE) GenerateQuietBlack(p, other);
  else GenerateQuietWhite(p, other);
  auto pick = [&]() -> Move {
    switch (random() % 5) {
      case 0: return 0;
      case 1: return other.count ? other.moves[random() % other.count] : 0;
      default: return full.count ? full.moves[random() % full.count] : 0;
    }
  };
  for (int round = 0; round < 4; ++round) {
    const Move primary = pick(), secondary = random() % 4 == 0 ? primary : pick();
    const Move hash = random() % 4 == 0 ? secondary : pick();
    MoveList whole = full;
    MoveList captures{};
    if (us == WHITE) GenerateCapturesWhite(p, captures);
    else GenerateCapturesBlack(p, captures);
    const int start = whole.capture_count != 0 ? 1 : 0;
    MovePicker reference(whole, primary, secondary, start, hash);
    MovePicker deferred(captures, p, us, primary, secondary, start, hash);
    for (int step = 0;; ++step) {
      const int a = reference.Next(), b = deferred.Next();
      ASSERT_EQ(a < 0, b < 0) << "step " << step;
      if (a < 0) break;
      ASSERT_EQ(whole.moves[a], captures.moves[b]) << "step " << step;
    }
  }
}

TEST(MovePicker, GeneratingTheQuietMovesWhenNeededKeepsTheOrder) {
  std::mt19937 random(2024);
  board_test::VisitPerftTrees(2, [&](const Position& q) { CompareDeferred(q, random); });
}

}  // namespace
