#include "uci/position_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board/attacks.h"
#include "board/make_move.h"
#include "tests/board/test_positions.h"

namespace {

using board_test::PositionFromFen;

constexpr char START[] = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

struct Outcome {
  Position position;
  std::string output;
};

// Runs the command on a record that already holds another position, as in a running engine.
Outcome RunCommand(const std::string& line) {
  Outcome out{PositionFromFen("8/8/8/3k4/8/8/3K4/8 b - - 0 1"), ""};
  testing::internal::CaptureStdout();
  PositionCommand(line.c_str(), out.position);
  out.output = testing::internal::GetCapturedStdout();
  return out;
}

// Compares every field, except that the en-passant square counts only while the right stands:
// make move leaves the last square behind when it clears the right.
testing::AssertionResult SamePosition(Position actual, const std::string& fen) {
  Position expected = PositionFromFen(fen);
  for (Position* p : {&actual, &expected})
    if (p->ep_flag == 0) p->ep_file = p->ep_rank = 0;
  if (std::memcmp(&actual, &expected, sizeof actual) == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "position differs from " << fen;
}

TEST(PositionCommand, StartposAndFen) {
  Outcome r = RunCommand("position startpos");
  EXPECT_TRUE(SamePosition(r.position, START));
  EXPECT_EQ(r.output, "");
  r = RunCommand("position fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1");
  EXPECT_TRUE(SamePosition(r.position, "4k3/8/8/8/8/8/8/4K2R w K - 0 1"));
  // Only "fen " is looked for: any other word means the start position.
  r = RunCommand("position anything moves e2e4");
  EXPECT_TRUE(SamePosition(r.position, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
  // "moves" without a following blank plays nothing.
  r = RunCommand("position startpos moves");
  EXPECT_TRUE(SamePosition(r.position, START));
  EXPECT_EQ(r.output, "");
}

TEST(PositionCommand, MovesAreAppliedInTurn) {
  Outcome r = RunCommand("position startpos moves e2e4 e7e5");
  EXPECT_TRUE(SamePosition(r.position, "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 1"));
  EXPECT_EQ(r.output, "");
  r = RunCommand("position startpos moves e2e4 e7e5 g1f3");
  EXPECT_EQ(r.position.side_to_move, BLACK);
  r = RunCommand("position fen 4k3/8/8/8/8/8/8/4K3 b - - 0 1 moves e8d8");
  EXPECT_EQ(r.position.side_to_move, WHITE);
  r = RunCommand("position fen 4k3/8/8/8/8/8/8/4K3 b - - 0 1 moves e8d8 e1d1");
  EXPECT_EQ(r.position.side_to_move, BLACK);
  r = RunCommand("position startpos moves   e2e4    e7e5  g1f3  ");
  EXPECT_TRUE(SamePosition(r.position, "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 0 1"));
  EXPECT_EQ(r.output, "");
}

TEST(PositionCommand, CastlingAndEnPassantAreGivenAsThePiecesMoves) {
  Outcome r = RunCommand("position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves e1g1 e8c8");
  EXPECT_TRUE(SamePosition(r.position, "2kr3r/8/8/8/8/8/8/R4RK1 w - - 0 1"));
  r = RunCommand("position fen 4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1 moves e2e4 d4e3");
  EXPECT_TRUE(SamePosition(r.position, "4k3/8/8/8/8/4p3/8/4K3 w - - 0 1"));
}

TEST(PositionCommand, PromotionLetters) {
  const std::string base = "position fen 4k3/P3P3/8/8/8/8/8/K7 w - - 0 1 moves ";
  struct Case {
    const char* token;
    int kind;
  };
  for (const Case& c : {Case{"e7e8q", QUEEN}, Case{"e7e8", QUEEN}, Case{"e7e8n", KNIGHT}, Case{"e7e8r", ROOK},
                        Case{"e7e8b", BISHOP}, Case{"e7e8Q", QUEEN}, Case{"e7e8N", KNIGHT}}) {
    SCOPED_TRACE(c.token);
    // The same letter promotes the a7 pawn at once and the e7 pawn after the king has left e8.
    const Outcome r = RunCommand(base + "a7a8" + (c.token + 4) + " e8d7 " + c.token);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.position.white_board[60], c.kind);
    EXPECT_EQ(r.position.white_board[56], c.kind);
    EXPECT_EQ(r.position.side_to_move, BLACK);
  }
}

TEST(PositionCommand, IllegalTokenStopsTheList) {
  Outcome r = RunCommand("position startpos moves e2e5");
  EXPECT_TRUE(SamePosition(r.position, START));
  EXPECT_EQ(r.output, "info string ignoring illegal move e2e5\n");
  // The moves before the bad token stand; nothing after it is played.
  r = RunCommand("position startpos moves e2e4 e7e5 e4e5 g1f3 b8c6");
  EXPECT_TRUE(SamePosition(r.position, "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 1"));
  EXPECT_EQ(r.output, "info string ignoring illegal move e4e5\n");
  // A move of the side not to move, or one that leaves the mover's king attacked.
  r = RunCommand("position startpos moves e7e5");
  EXPECT_EQ(r.output, "info string ignoring illegal move e7e5\n");
  r = RunCommand("position fen 4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1 moves e2d3");
  EXPECT_TRUE(SamePosition(r.position, "4k3/4r3/8/8/8/8/4B3/4K3 w - - 0 1"));
  EXPECT_EQ(r.output, "info string ignoring illegal move e2d3\n");
}

TEST(PositionCommand, MalformedTokens) {
  const std::string promote = "position fen 4k3/P7/8/8/8/8/8/K7 w - - 0 1 moves ";
  for (const char* token : {"e2e4q", "e2", "e2e", "e2e4e5", "i2i4", "e2e4Q", "e2e9"}) {
    SCOPED_TRACE(token);
    const Outcome r = RunCommand(std::string("position startpos moves ") + token + " e7e5");
    EXPECT_TRUE(SamePosition(r.position, START));
    EXPECT_EQ(r.output, std::string("info string ignoring illegal move ") + token + "\n");
  }
  for (const char* token : {"a7a8x", "a7a8k", "a7a8p", "a7a8qq"}) {
    SCOPED_TRACE(token);
    const Outcome r = RunCommand(promote + token);
    EXPECT_TRUE(SamePosition(r.position, "4k3/P7/8/8/8/8/8/K7 w - - 0 1"));
    EXPECT_EQ(r.output, std::string("info string ignoring illegal move ") + token + "\n");
  }
}

TEST(PositionCommand, NoMoveAfterCheckmate) {
  const Outcome r = RunCommand("position startpos moves f2f3 e7e5 g2g4 d8h4 a2a3");
  EXPECT_TRUE(SamePosition(r.position, "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq - 0 1"));
  EXPECT_EQ(r.output, "info string ignoring illegal move a2a3\n");
  const Outcome stalemate = RunCommand("position fen k7/2Q5/1K6/8/8/8/8/8 b - - 0 1 moves a8b8");
  EXPECT_EQ(stalemate.output, "info string ignoring illegal move a8b8\n");
}

// The text of every legal move of every reference position, played by the position command,
// gives the same position as making that move.
TEST(PositionCommand, EveryLegalMoveTextIsAccepted) {
  for (const auto& entry : board_test::LoadPerftSuite()) {
    const Position root = PositionFromFen(entry.fen);
    const MoveList list = board_test::AllMoves(root);
    for (int i = 0; i < list.count; ++i) {
      Position made = root;
      UndoRecord undo;
      const bool white = root.side_to_move == WHITE;
      if (white) MakeMoveWhite(made, list, i, undo);
      else MakeMoveBlack(made, list, i, undo);
      const bool legal = white ? !WhiteKingAttacked(made) : !BlackKingAttacked(made);
      made.side_to_move = legal ? 1 - root.side_to_move : root.side_to_move;
      if (!legal) made = root;
      const std::string text = board_test::Text(list.moves[i]);
      SCOPED_TRACE(entry.fen + " moves " + text);
      const Outcome r = RunCommand("position fen " + entry.fen + " moves " + text);
      EXPECT_EQ(std::memcmp(&r.position, &made, sizeof made), 0);
      EXPECT_EQ(r.output, legal ? "" : "info string ignoring illegal move " + text + "\n");
    }
  }
}

TEST(CopyMovesText, KeepsTheTextAfterTheFirstMoves) {
  std::vector<char> moves_text(MOVES_TEXT_SIZE, 'x');
  CopyMovesText("position startpos moves e2e4  e7e5 ", moves_text.data());
  EXPECT_STREQ(moves_text.data(), "e2e4  e7e5 ");
  EXPECT_EQ(std::count(moves_text.begin(), moves_text.end(), '\0'), MOVES_TEXT_SIZE - 11);

  CopyMovesText("position fen 4k3/8/8/8/8/8/8/4K3 w - - 0 1 moves e1d1 moves e8d8", moves_text.data());
  EXPECT_STREQ(moves_text.data(), "e1d1 moves e8d8");
  for (const char* line : {"position startpos", "position startpos moves", "position startpos moves "}) {
    std::fill(moves_text.begin(), moves_text.end(), 'x');
    CopyMovesText(line, moves_text.data());
    EXPECT_EQ(std::count(moves_text.begin(), moves_text.end(), '\0'), MOVES_TEXT_SIZE) << line;
  }
}

TEST(CopyMovesText, LongestLineFits) {
  const std::string line = "position startpos moves " + std::string(65535 - 24, 'a');
  std::vector<char> moves_text(MOVES_TEXT_SIZE, 'x');
  CopyMovesText(line.c_str(), moves_text.data());
  EXPECT_EQ(std::strlen(moves_text.data()), line.size() - 24);
  testing::internal::CaptureStdout();
  Position p{};
  PositionCommand(line.c_str(), p);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "info string ignoring illegal move " + line.substr(24) + "\n");
}

}  // namespace
