// The evaluation cache must give exactly EvaluatePosition, and never carry a score from one
// search into the next, where the same key can stand for another placement.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "eval/evaluate.h"
#include "search/eval_cache.h"

namespace {

Position FromFen(const char* fen, std::uint64_t key) {
  Position p{};
  ReadFen(p, (std::string("fen ") + fen).c_str());
  p.hash_key = key;
  return p;
}

TEST(EvaluationCache, GivesTheEvaluationAndForgetsItBetweenSearches) {
  const Position start = FromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", 0x1234);
  const Position other = FromFen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", 0x1234);
  ASSERT_NE(EvaluatePosition(start), EvaluatePosition(other));

  NewEvaluationCache();
  EXPECT_EQ(CachedEvaluation(start), EvaluatePosition(start));
  EXPECT_EQ(CachedEvaluation(start), EvaluatePosition(start));
  NewEvaluationCache();
  EXPECT_EQ(CachedEvaluation(other), EvaluatePosition(other));
}

TEST(EvaluationCache, AKeyOfZeroIsNotTakenForAnEmptyEntry) {
  // Before "uci" the position's key has never been computed and can be 0.
  const Position p = FromFen("6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", 0);
  NewEvaluationCache();
  EXPECT_EQ(CachedEvaluation(p), EvaluatePosition(p));
}

}  // namespace
