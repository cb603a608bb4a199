// The exact text of the search's lines. ReportRootLine remembers the last depth and score it
// wrote for the whole run, so every test here starts at depths no other test uses: its first
// root line then always follows a change of depth.
#include "search/reports.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "board/types.h"

namespace {

const Move E2E4 = MakeMoveWord(PAWN, 12, 28, QUIET, 0);
const Move D7D5 = MakeMoveWord(PAWN, 51, 35, QUIET, 0);
const Move E4D5 = MakeMoveWord(PAWN, 28, 35, CAPTURE, PAWN);
const Move E5D6 = MakeMoveWord(PAWN, 36, 43, EN_PASSANT, PAWN);
const Move E7E8Q = MakeMoveWord(PAWN, 52, 60, PROMOTE_QUEEN, 0);
const Move B7A8N = MakeMoveWord(PAWN, 49, 56, CAPTURE_PROMOTE_KNIGHT, ROOK);

std::string Captured(const std::function<void()>& report) {
  testing::internal::CaptureStdout();
  report();
  return testing::internal::GetCapturedStdout();
}

PVLine Line(const std::vector<Move>& moves, int score) {
  PVLine line{};
  for (std::size_t i = 0; i < moves.size(); ++i) line.moves[i] = moves[i];
  line.length = static_cast<int>(moves.size());
  line.score_move = score;
  return line;
}

std::string RootLine(int best, int depth, int colour, NodeCount nodes, const PVLine& line, double seconds) {
  return Captured([&] { ReportRootLine(best, depth, colour, nodes, line, seconds); });
}

TEST(Reports, CurrentMoveLine) {
  MoveList list{};
  list.moves[0] = D7D5;
  list.moves[2] = E2E4;
  list.moves[3] = E7E8Q;
  list.count = 4;
  EXPECT_EQ(Captured([&] { ReportCurrentMove(list, 2, 3, 5); }), "info currmove e2e4 currmovenumber 3 depth 5\n");
  // No promotion letter in this line.
  EXPECT_EQ(Captured([&] { ReportCurrentMove(list, 3, 12, 1); }), "info currmove e7e8 currmovenumber 12 depth 1\n");
}

TEST(Reports, RateIsAWholeNumberRoundedDown) {
  EXPECT_EQ(NodesPerSecond(1234567, 1.0), 1234567);
  EXPECT_EQ(NodesPerSecond(25573, 10.0), 2557);
  EXPECT_EQ(NodesPerSecond(2, 3.0), 0);
  EXPECT_EQ(NodesPerSecond(5000000000LL, 0.5), 10000000000LL);
  EXPECT_EQ(NodesPerSecond(100, 0.0), 0);
  EXPECT_EQ(NodesPerSecond(0, 0.0), 0);
}

TEST(Reports, IterationLine) {
  EXPECT_EQ(Captured([] { ReportIteration(WHITE, 20, 0.0, 1, 20, Line({E2E4}, 20)); }),
            "info  nps 0 depth 1 score cp 20 nodes 20 pv e2e4 \n");
  // Black to move: the score turns to Black's view. Each move is followed by one blank.
  EXPECT_EQ(Captured([] { ReportIteration(BLACK, 1500, 2.0, 3, 35, Line({E2E4, D7D5, E4D5}, 35)); }),
            "info  nps 750 depth 3 score cp -35 nodes 1500 pv e2e4 d7d5 e4d5 \n");
  EXPECT_EQ(Captured([] { ReportIteration(WHITE, 7, 1.0, 2, -4, Line({E5D6, E7E8Q, B7A8N}, -4)); }),
            "info  nps 7 depth 2 score cp -4 nodes 7 pv e5d6 e7e8q b7a8n \n");
  // A mated side to move has an empty line, so its mate count is 1 - 0.
  EXPECT_EQ(Captured([] { ReportIteration(BLACK, 0, 0.0, 4, 1000000, Line({}, 1000000)); }),
            "info  nps 0 depth 4 score mate 1 nodes 0 pv \n");
}

TEST(Reports, MateFormCountsFromTheLineLength) {
  auto score_piece = [](int side, int score, std::vector<Move> moves) {
    const std::string line = Captured([&] { ReportIteration(side, 1, 1.0, 9, score, Line(moves, score)); });
    const std::size_t from = line.find(" score "), to = line.find(" nodes ");
    return line.substr(from, to - from);
  };
  EXPECT_EQ(score_piece(WHITE, 999000, {E2E4}), " score mate 0");
  EXPECT_EQ(score_piece(BLACK, 999000, {E2E4, D7D5, E4D5}), " score mate -2");
  EXPECT_EQ(score_piece(BLACK, -997000, {E2E4, D7D5, E4D5}), " score mate 2");
  EXPECT_EQ(score_piece(WHITE, 900000, {E2E4}), " score cp 900000");
  EXPECT_EQ(score_piece(WHITE, 900001, {E2E4, D7D5}), " score mate 1");
  EXPECT_EQ(score_piece(WHITE, -900000, {E2E4}), " score cp -900000");
  EXPECT_EQ(score_piece(WHITE, -900001, {E2E4, D7D5}), " score mate -1");
}

TEST(Reports, RootLinePvPieceDependsOnTheMoveType) {
  EXPECT_EQ(RootLine(20, 201, WHITE, 7, Line({E2E4, D7D5}, 20), 0.5),
            "info  nps 14 depth 201 seldepth 2 score cp 20 nodes 7 pv e2e4  d7d5  \n");
  // Captures and castling carry the blank of quiet moves; en passant and promotions do not.
  // A word of no move type (an entry a null move left behind) gets its squares and one blank.
  EXPECT_EQ(RootLine(-33, 201, BLACK, 9, Line({E4D5, WHITE_CASTLE_KINGSIDE, E5D6, E7E8Q, B7A8N, 0}, -33), 0.0),
            "info  nps 0 depth 201 seldepth 6 score cp 33 nodes 9 pv e4d5  e1g1  e5d6 e7e8q b7a8n a1a1 \n");
  EXPECT_EQ(RootLine(999000, 202, WHITE, 3, Line({E7E8Q}, 999000), 0.0),
            "info  nps 0 depth 202 seldepth 1 score mate 0 nodes 3 pv e7e8q \n");
  EXPECT_EQ(RootLine(999000, 203, BLACK, 3, Line({E2E4, D7D5, E7E8Q}, -999000), 0.0),
            "info  nps 0 depth 203 seldepth 3 score mate -2 nodes 3 pv e2e4  d7d5  e7e8q \n");
}

TEST(Reports, RootLineRepeatsOnlyWhenTheBestScoreChanges) {
  const PVLine line = Line({E2E4}, 15);
  const std::string full = "info  nps 0 depth 301 seldepth 1 score cp 15 nodes 4 pv e2e4  \n";
  EXPECT_EQ(RootLine(15, 301, WHITE, 4, line, 0.0), full);
  EXPECT_EQ(RootLine(15, 301, WHITE, 5, line, 0.0), "\n");
  EXPECT_EQ(RootLine(15, 301, WHITE, 6, line, 0.0), "\n");
  EXPECT_EQ(RootLine(-15, 301, WHITE, 7, Line({E2E4}, -15), 0.0),
            "info  nps 0 depth 301 seldepth 1 score cp -15 nodes 7 pv e2e4  \n");
  EXPECT_EQ(RootLine(15, 301, WHITE, 4, line, 0.0), full);
  // A new depth writes the line again, even with the same score.
  EXPECT_EQ(RootLine(15, 302, WHITE, 4, line, 0.0), "info  nps 0 depth 302 seldepth 1 score cp 15 nodes 4 pv e2e4  \n");
  // The memory outlives a search: the next one at the same depth and score starts with a line feed.
  EXPECT_EQ(RootLine(15, 302, BLACK, 1, line, 0.0), "\n");
  // Going back to an earlier depth counts as a change too.
  EXPECT_EQ(RootLine(15, 301, WHITE, 4, line, 0.0), full);
}

TEST(Reports, RootLineCheckBlockWhenTheLineScoreDisagrees) {
  EXPECT_EQ(RootLine(30, 401, WHITE, 9, Line({E2E4, D7D5}, -40), 0.0),
            "info  nps 0 depth 401 seldepth 2 score cp 30 nodes 9\n"
            "ERROR LINE \n"
            " value = 30\n"
            " PV_best_point.score_move = -40 PV_best_point.score_move = -40\n"
            "**********************\n"
            "  \n"
            "\n");
  // Only the magnitudes are compared.
  EXPECT_EQ(RootLine(31, 401, WHITE, 9, Line({E2E4}, -31), 0.0),
            "info  nps 0 depth 401 seldepth 1 score cp 31 nodes 9 pv e2e4  \n");
}

TEST(Reports, BestMoveAndItsSelfChecks) {
  EXPECT_EQ(Captured([] { ReportBestMove(12, 28, E2E4); }), "bestmove e2e4\n");
  EXPECT_EQ(Captured([] { ReportBestMove(52, 60, E7E8Q); }), "bestmove e7e8q\n");
  EXPECT_EQ(Captured([] { ReportBestMove(49, 56, B7A8N); }), "bestmove b7a8n\n");
  // Nothing searched: the squares and the line's first move are all zero.
  EXPECT_EQ(Captured([] { ReportBestMove(0, 0, 0); }), "bestmove a1a1\n");
  EXPECT_EQ(Captured([] { ReportBestMove(12, 28, D7D5); }),
            "bestmove e2e4\nERROR from(Deepening)\nERROR to(Deepening)\n");
  EXPECT_EQ(Captured([] { ReportBestMove(12, 20, E2E4); }), "bestmove e2e3\nERROR to(Deepening)\n");
  EXPECT_EQ(Captured([] { ReportBestMove(11, 28, E2E4); }), "bestmove d2e4\nERROR from(Deepening)\n");
  EXPECT_EQ(Captured([] { ReportKeyCheck(); }), "\nERROR HESH \n");
}

}  // namespace
