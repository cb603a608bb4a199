// The transposition table: its size from the Hash option, clearing, the replacement rule by
// ply and the hash move brought to the front of a list.
#include "search/hash_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "board/types.h"

namespace {

constexpr std::uint64_t Key(std::uint32_t high, std::uint32_t low) {
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Six distinct quiet moves with falling scores.
MoveList SixMoves() {
  MoveList list{};
  for (int i = 0; i < 6; ++i) {
    list.moves[i] = MakeMoveWord(KNIGHT, i, 16 + i, QUIET, 0);
    list.scores[i] = 60 - 10 * i;
  }
  list.count = 6;
  return list;
}

std::vector<Move> Moves(const MoveList& list) { return {list.moves, list.moves + list.count}; }
std::vector<int> Scores(const MoveList& list) { return {list.scores, list.scores + list.count}; }

class HashTable : public testing::Test {
 protected:
  void SetUp() override { UseSize(1); }
  void TearDown() override { UseSize(1); }
  static void UseSize(int megabytes) {
    SetHashSize(megabytes);
    AllocateHashTable();
    ClearHashTable();
  }
  // The move stored for the key, as HashMoveToFront finds it in a list that holds it.
  static Move StoredMove(std::uint64_t key) {
    MoveList list = SixMoves();
    HashMoveToFront(list, key);
    return list.moves[0];
  }
  const MoveList list = SixMoves();
};

TEST_F(HashTable, EntriesAreThePowerOfTwoThatFitsTheMegabytes) {
  const struct {
    int megabytes;
    std::uint32_t entries;
  } cases[] = {{32, 2097152}, {3, 131072}, {1, 65536}, {0, 1}};
  for (const auto& c : cases) {
    UseSize(c.megabytes);
    EXPECT_EQ(HashEntryCount(), c.entries) << c.megabytes << " MB";
  }
}

TEST_F(HashTable, SizesOutsideTheRangeAreClamped) {
  SetHashSize(-1);
  EXPECT_EQ(hash_size_mb, 0);
  SetHashSize(4096);
  EXPECT_EQ(hash_size_mb, 4095);
  SetHashSize(2147483647);
  EXPECT_EQ(hash_size_mb, 4095);
  SetHashSize(1024);
  EXPECT_EQ(hash_size_mb, 1024);
}

TEST_F(HashTable, ClearingFreesEveryEntry) {
  // Root stores (ply 0) fill every entry; only a free entry takes a deeper store.
  for (std::uint32_t i = 0; i < HashEntryCount(); ++i) StoreHashMove(list, 0, Key(1, i), 0);
  ClearHashTable();
  for (std::uint32_t i = 0; i < HashEntryCount(); ++i) {
    EXPECT_FALSE(HashProbe(Key(1, i)));
    StoreHashMove(list, 1, Key(2, i), 9);
    ASSERT_TRUE(HashProbe(Key(2, i))) << "entry " << i << " was not free";
  }
}

TEST_F(HashTable, AnEntryNeverComesBackAfterLaterClears) {
  StoreHashMove(list, 0, Key(5, 321), 0);
  // However many searches later, the old root entry is gone and the entry takes any store.
  for (int search = 0; search < 65535; ++search) ClearHashTable();
  EXPECT_FALSE(HashProbe(Key(5, 321)));
  StoreHashMove(list, 1, Key(6, 321), 30);
  EXPECT_TRUE(HashProbe(Key(6, 321)));
  ClearHashTable();
  EXPECT_FALSE(HashProbe(Key(6, 321)));
}

TEST_F(HashTable, AProbeNeedsBothHalvesOfTheKey) {
  StoreHashMove(list, 2, Key(7, 5), 1);
  EXPECT_TRUE(HashProbe(Key(7, 5)));
  EXPECT_FALSE(HashProbe(Key(8, 5)));            // same entry, other high word
  EXPECT_FALSE(HashProbe(Key(7, 5 + 0x10000)));  // same entry under the 16-bit mask, other low word
  EXPECT_FALSE(HashProbe(Key(7, 6)));
}

TEST_F(HashTable, AnEntryFromNearerTheRootIsKept) {
  const std::uint64_t stored = Key(1, 40), other = Key(2, 40);  // one entry, two positions

  StoreHashMove(list, 1, stored, 2);
  StoreHashMove(list, 3, other, 3);  // deeper: refused
  EXPECT_TRUE(HashProbe(stored));
  EXPECT_EQ(StoredMove(stored), list.moves[1]);

  StoreHashMove(list, 3, other, 2);  // same ply: the newer move wins, whatever its position
  EXPECT_TRUE(HashProbe(other));
  EXPECT_EQ(StoredMove(other), list.moves[3]);

  StoreHashMove(list, 4, stored, 1);  // nearer the root: replaces
  EXPECT_TRUE(HashProbe(stored));
  EXPECT_EQ(StoredMove(stored), list.moves[4]);

  StoreHashMove(list, 5, stored, 0);
  StoreHashMove(list, 2, other, 1);  // a root entry yields only to another root store
  EXPECT_TRUE(HashProbe(stored));
  StoreHashMove(list, 2, other, 0);
  EXPECT_TRUE(HashProbe(other));
  EXPECT_EQ(StoredMove(other), list.moves[2]);
}

TEST_F(HashTable, HashMoveToFrontRotatesMovesOnly) {
  const std::uint64_t key = Key(4, 99);
  StoreHashMove(list, 4, key, 1);

  MoveList rotated = SixMoves();
  EXPECT_EQ(HashMoveToFront(rotated, key), 1);
  EXPECT_EQ(Moves(rotated),
            (std::vector<Move>{list.moves[4], list.moves[0], list.moves[1], list.moves[2], list.moves[3],
                               list.moves[5]}));
  EXPECT_EQ(Scores(rotated), Scores(list));

  // Already in front: unchanged, but found.
  EXPECT_EQ(HashMoveToFront(rotated, key), 1);
  EXPECT_EQ(rotated.moves[0], list.moves[4]);
  EXPECT_EQ(rotated.moves[1], list.moves[0]);

  // A stored move that the list does not hold leaves it alone.
  MoveList stranger{};
  stranger.moves[0] = MakeMoveWord(QUEEN, 3, 59, QUIET, 0);
  stranger.count = 1;
  StoreHashMove(stranger, 0, key, 0);
  MoveList untouched = SixMoves();
  EXPECT_EQ(HashMoveToFront(untouched, key), 0);
  EXPECT_EQ(Moves(untouched), Moves(list));
  EXPECT_EQ(Scores(untouched), Scores(list));
}

}  // namespace
