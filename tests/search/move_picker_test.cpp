// The lazy orders must hand out exactly the order of the plain steps (ordering.h): the full
// exchange sort, including the order of equal scores, then the killers and the hash move pulled
// forward, whatever the killers and the hash move are.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "movegen/generate.h"
#include "search/move_picker.h"
#include "search/ordering.h"
#include "search/sorted_order.h"
#include "tests/board/test_positions.h"

namespace {

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

// The order of the plain steps for the side to move: both generators, both segments sorted,
// the killers pulled forward, the hash move to the front.
std::vector<Move> PlainOrder(const Position& p, Move hash, Move primary, Move secondary) {
  MoveList list{};
  GenerateAllMoves(p, list);
  SortMoves(list);
  const int ply = 5;
  killer_primary[ply] = primary;
  killer_secondary[ply] = secondary;
  KillersToFront(list, list.capture_count != 0 ? 1 : 0, ply);
  MoveToIndex(list, hash, 0);
  return {list.moves, list.moves + list.count};
}

// Killers and hash moves of every kind: captures, quiet moves, castling, promotions and en
// passant of the list, moves of the other side, one move in several roles, or none. The search
// looks ahead with Peek now and then, which must not change the order.
TEST(MovePicker, GivesThePlainOrderWhateverTheHashMoveAndKillers) {
  std::mt19937 random(2024);
  board_test::VisitPerftTrees(2, [&](const Position& p) {
    const Colour us = p.side_to_move == WHITE ? WHITE : BLACK;
    MoveList full{}, other{};
    GenerateAllMoves(p, full);
    if (us == WHITE) GenerateMoves<BLACK>(p, other);
    else GenerateMoves<WHITE>(p, other);
    auto pick = [&]() -> Move {
      switch (random() % 6) {
        case 0: return 0;
        case 1: return other.count ? other.moves[random() % other.count] : 0;
        default: return full.count ? full.moves[random() % full.count] : 0;
      }
    };
    for (int round = 0; round < 4; ++round) {
      const Move primary = pick(), secondary = random() % 4 == 0 ? primary : pick();
      const Move hash = random() % 5 == 0 ? (random() % 2 ? primary : secondary) : pick();
      MoveList list;
      MovePicker picker(list, p, us, hash, primary, secondary);
      std::vector<Move> picked;
      for (;;) {
        const int peeked = random() % 3 == 0 ? picker.Peek() : -2;
        const int index = picker.Next();
        if (peeked != -2) {
          ASSERT_EQ(peeked, index);
        }
        if (index < 0) break;
        picked.push_back(list.moves[index]);
      }
      ASSERT_EQ(picked, PlainOrder(p, hash, primary, secondary))
          << "hash " << board_test::Text(hash) << " killers " << board_test::Text(primary) << " "
          << board_test::Text(secondary);
      ASSERT_EQ(picker.Next(), -1);
    }
  });
}

}  // namespace
