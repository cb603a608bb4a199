#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "eval/evaluate.h"
#include "tests/eval/fen_position.h"

namespace {

// The colour-flipped mirror: ranks reversed, colours swapped, the other side to move.
std::string FlipColours(const std::string& fen) {
  const std::string placement = fen.substr(0, fen.find(' '));
  std::string flipped;
  std::size_t end = placement.size();
  while (true) {
    const std::size_t slash = placement.rfind('/', end - 1);
    const std::size_t begin = slash == std::string::npos ? 0 : slash + 1;
    for (std::size_t i = begin; i < end; ++i) {
      const char c = placement[i];
      flipped += std::isupper(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c))
                                                             : static_cast<char>(std::toupper(c));
    }
    if (slash == std::string::npos) break;
    flipped += '/';
    end = slash;
  }
  const bool white_to_move = fen.find(" w ") != std::string::npos;
  return flipped + (white_to_move ? " b - - 0 1" : " w - - 0 1");
}

struct MirrorCase {
  const char* fen;
  // Score of the position plus the score of its mirror. Zero for a colour-symmetric evaluation;
  // the two known asymmetries add to it: the Black king's shelter (only Black has the term, so
  // it counts in each of the two positions on its own), and the half-turn of the middlegame pawn
  // table (White f4 and Black f5 +10, White c4 and Black c5 -10 against their mirrors).
  int sum;
};

class EvaluateMirror : public testing::TestWithParam<MirrorCase> {};

TEST_P(EvaluateMirror, ScorePlusMirrorScoreIsTheKnownAsymmetry) {
  const MirrorCase& c = GetParam();
  const std::string mirror = FlipColours(c.fen);
  EXPECT_EQ(EvaluatePosition(FromFen(c.fen)) + EvaluatePosition(FromFen(mirror)), c.sum) << c.fen << " / " << mirror;
}

INSTANTIATE_TEST_SUITE_P(
    Positions, EvaluateMirror,
    testing::Values(
        MirrorCase{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0},
        // Black c5 -10; the mirror's Black king on e8 misses its e7 pawn +20.
        MirrorCase{"rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2", 10},
        MirrorCase{"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 0},
        // The mirror's Black king on e8 has f7 and e7 empty: +40. Castled rooks cancel.
        MirrorCase{"r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ - 0 9", 40},
        // Black king on h8 reads an empty a8 (+20); White c4 -10, f4 +10, Black c5 -10.
        MirrorCase{"3q1r1k/pp3ppp/2n5/2p5/2P2P2/2N5/PP3PPP/R2Q1RK1 w - - 0 1", 10},
        // Queen and rook each (1500): endgame for both, so no shelter and no half-turn effect.
        MirrorCase{"3qr3/5k2/8/2p5/2P2P2/8/5K2/3QR3 w - - 0 1", 0},
        // White keeps 3200, Black a rook: Black's shelter counts (g7 empty +20), the mirror's
        // Black king is in the endgame; White f4 reads the endgame table, Black's c5 the middlegame.
        MirrorCase{"5rk1/5p1p/6p1/2p5/5P2/8/PPPPP1PP/RNBQKBNR w KQ - 0 1", 10}));

}  // namespace
