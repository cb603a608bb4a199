// Leaf counts of the legal move tree against the reference counts of perft.epd. The regular
// run takes, per position, the deepest listed depth up to a leaf budget (much lower in the
// sanitizer build); the DeepPerft tests check every deeper listed count and run only when the
// environment sets MORVA_DEEP_PERFT=1, as `ctest -L deep-perft` does.
#include "movegen/perft.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/board/test_positions.h"

namespace {

using board_test::PerftCase;

#ifdef MORVA_SANITIZED
constexpr std::uint64_t LEAF_BUDGET = 5'000'000;
#else
constexpr std::uint64_t LEAF_BUDGET = 20'000'000;
#endif

const std::vector<PerftCase>& Suite() {
  static const std::vector<PerftCase> suite = board_test::LoadPerftSuite();
  return suite;
}

// The deepest listed count within the budget, or the shallowest when none is.
std::size_t RegularIndex(const PerftCase& entry) {
  std::size_t chosen = 0;
  for (std::size_t i = 1; i < entry.counts.size(); ++i)
    if (entry.counts[i].second <= LEAF_BUDGET) chosen = i;
  return chosen;
}

void ExpectCount(const PerftCase& entry, std::size_t i) {
  Position p = board_test::PositionFromFen(entry.fen);
  const auto [depth, leaves] = entry.counts[i];
  EXPECT_EQ(Perft(p, depth), leaves) << entry.fen << " depth " << depth;
}

class PerftCount : public testing::TestWithParam<std::size_t> {};
class DeepPerft : public testing::TestWithParam<std::size_t> {};

TEST(PerftSuite, HoldsTheReferencePositions) {
  ASSERT_EQ(Suite().size(), 21u);
  for (const PerftCase& entry : Suite()) EXPECT_FALSE(entry.counts.empty()) << entry.fen;
}

TEST(PerftSuite, DepthZeroAndOne) {
  Position p = board_test::PositionFromFen(Suite()[0].fen);
  EXPECT_EQ(Perft(p, 0), 1u);
  EXPECT_EQ(Perft(p, 1), 20u);
}

TEST_P(PerftCount, MatchesTheReferenceCount) {
  const PerftCase& entry = Suite()[GetParam()];
  ExpectCount(entry, RegularIndex(entry));
}

TEST_P(DeepPerft, MatchesEveryDeeperReferenceCount) {
  const char* wanted = std::getenv("MORVA_DEEP_PERFT");
  if (wanted == nullptr || std::strcmp(wanted, "1") != 0) GTEST_SKIP() << "set MORVA_DEEP_PERFT=1 to run";
  const PerftCase& entry = Suite()[GetParam()];
  for (std::size_t i = RegularIndex(entry) + 1; i < entry.counts.size(); ++i) ExpectCount(entry, i);
}

std::string PositionName(const testing::TestParamInfo<std::size_t>& info) {
  return "Position" + std::to_string(info.param + 1);
}

INSTANTIATE_TEST_SUITE_P(Reference, PerftCount, testing::Range<std::size_t>(0, Suite().size()), PositionName);
INSTANTIATE_TEST_SUITE_P(Reference, DeepPerft, testing::Range<std::size_t>(0, Suite().size()), PositionName);

}  // namespace
