#include "board/fen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "movegen/perft.h"
#include "tests/board/test_positions.h"

namespace {

using board_test::IsConsistent;
using board_test::PositionFromFen;
using board_test::Square;

constexpr char START_TEXT[] = "fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 ";

bool Same(const Position& a, const Position& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

Position Read(const char* text) {
  Position p{};
  ReadFen(p, text);
  return p;
}

TEST(ReadFen, StartText) {
  const Position p = Read(START_TEXT);
  const int back_rank[8] = {ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK};
  for (int f = 0; f < 8; ++f) {
    EXPECT_EQ(p.white_board[f], back_rank[f]);
    EXPECT_EQ(p.white_board[8 + f], PAWN);
    EXPECT_EQ(p.black_board[48 + f], PAWN);
    EXPECT_EQ(p.black_board[56 + f], back_rank[f]);
  }
  EXPECT_EQ(p.white_occupied, 0xFFFFu);
  EXPECT_EQ(p.black_occupied, 0xFFFFull << 48);
  EXPECT_EQ(p.white_by_kind[KING], square_bit[Square("e1")]);
  EXPECT_EQ(p.black_by_kind[QUEEN], square_bit[Square("d8")]);
  EXPECT_EQ(p.side_to_move, WHITE);
  EXPECT_EQ(p.castle_wq + p.castle_wk + p.castle_bq + p.castle_bk, 4);
  EXPECT_EQ(p.ep_flag, 0);
  EXPECT_TRUE(IsConsistent(p));
}

TEST(ReadFen, EmptyBoard) {
  const Position p = PositionFromFen("8/8/8/8/8/8/8/8 w - - 0 1");
  EXPECT_EQ(p.occupied, 0u);
  EXPECT_EQ(p.side_to_move, WHITE);
  EXPECT_EQ(p.castle_wq | p.castle_wk | p.castle_bq | p.castle_bk | p.ep_flag, 0);
}

TEST(ReadFen, EnPassantSquareAfterADoubleStep) {
  const Position p = PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(p.side_to_move, BLACK);
  EXPECT_EQ(p.ep_flag, 1);
  EXPECT_EQ(p.ep_file, 4);
  EXPECT_EQ(p.ep_rank, 2);
  EXPECT_EQ(p.white_board[28], PAWN);
  EXPECT_EQ(p.white_board[12], NO_PIECE);
}

TEST(ReadFen, CastlingLettersSetTheirOwnRights) {
  const Position p = PositionFromFen("r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1");
  EXPECT_EQ(p.castle_wk, 1);
  EXPECT_EQ(p.castle_bq, 1);
  EXPECT_EQ(p.castle_wq, 0);
  EXPECT_EQ(p.castle_bk, 0);
  const Position any_order = PositionFromFen("r3k2r/8/8/8/8/8/8/R3K2R w qkQKqk - 0 1");
  EXPECT_EQ(any_order.castle_wq + any_order.castle_wk + any_order.castle_bq + any_order.castle_bk, 4);
}

TEST(ReadFen, RightsWithoutKingAndCornerRookAreDropped) {
  // King on f1: no white right; the black king keeps the wing whose rook is home.
  Position p = PositionFromFen("r3k3/8/8/8/8/8/8/R4K1R w KQkq - 0 1");
  EXPECT_EQ(p.castle_wq + p.castle_wk, 0);
  EXPECT_EQ(p.castle_bq, 1);
  EXPECT_EQ(p.castle_bk, 0);
  // A rook off its corner, or another piece in the corner, drops that wing only.
  p = PositionFromFen("1r2k2r/8/8/8/8/8/8/R3K1NR w KQkq - 0 1");
  EXPECT_EQ(p.castle_wq, 1);
  EXPECT_EQ(p.castle_wk, 1);
  EXPECT_EQ(p.castle_bq, 0);
  EXPECT_EQ(p.castle_bk, 1);
  p = PositionFromFen("n3k2r/8/8/8/8/8/8/R3K2B w KQkq - 0 1");
  EXPECT_EQ(p.castle_wq, 1);
  EXPECT_EQ(p.castle_wk, 0);
  EXPECT_EQ(p.castle_bq, 0);
  EXPECT_EQ(p.castle_bk, 1);
  // A black king on e1 does not stand for White's rights.
  p = PositionFromFen("8/8/8/8/8/8/8/R3k2R w KQ - 0 1");
  EXPECT_EQ(p.castle_wq + p.castle_wk, 0);
}

TEST(ReadFen, EnPassantKeptOnlyBehindThePawnThatPassed) {
  Position p = PositionFromFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  EXPECT_EQ(p.ep_flag, 1);
  EXPECT_EQ(p.ep_file, 3);
  EXPECT_EQ(p.ep_rank, 5);
  // No black pawn on d5, an occupied d6, or the side that could not have been passed.
  // A target off rank 6 (White to move) or rank 3 (Black to move) is no double step either:
  // a8 with a black pawn on a7 would let b7 take it without promoting.
  for (const char* fen : {"4k3/8/8/4P3/8/8/8/4K3 w - d6 0 1", "4k3/8/3n4/3pP3/8/8/8/4K3 w - d6 0 1",
                          "4k3/8/8/3pP3/8/8/8/4K3 b - d6 0 1", "4k3/8/8/8/4P3/8/8/4K3 w - e3 0 1",
                          "7k/pP6/8/8/8/8/8/K7 w - a8 0 1", "k7/8/8/8/8/8/Pp6/7K b - a1 0 1"}) {
    SCOPED_TRACE(fen);
    EXPECT_EQ(PositionFromFen(fen).ep_flag, 0);
  }
  // Squares outside a-h or 1-8, or a field cut short.
  for (const char* field : {"z9", "e", "e9", "e0", "i3", "E3", "3e"}) {
    SCOPED_TRACE(field);
    p = PositionFromFen(std::string("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq ") + field);
    EXPECT_EQ(p.ep_flag, 0);
    EXPECT_TRUE(IsConsistent(p));
  }
}

TEST(ReadFen, LaterFieldsAndExtraBlanksChangeNothing) {
  const Position plain = PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
  EXPECT_TRUE(Same(plain, PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 17 42")));
  EXPECT_TRUE(Same(plain, PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1 moves e7e5")));
  EXPECT_TRUE(Same(plain, Read("fen    rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR   b    KQkq   e3   0 1")));
}

TEST(ReadFen, SideLetterOtherThanWOrBKeepsTheSideToMove) {
  Position p{};
  ReadFen(p, "fen 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  ReadFen(p, "fen 4k3/8/8/8/8/8/8/4K3 x - - 0 1");
  EXPECT_EQ(p.side_to_move, WHITE);
  ReadFen(p, "fen 4k3/8/8/8/8/8/8/4K3 b - - 0 1");
  ReadFen(p, "fen 4k3/8/8/8/8/8/8/4K3 - - - 0 1");
  EXPECT_EQ(p.side_to_move, BLACK);
}

TEST(ReadFen, SecondReadLeavesNothingOfTheFirst) {
  Position p{};
  ReadFen(p, START_TEXT);
  ReadFen(p, "fen 4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_TRUE(Same(p, PositionFromFen("4k3/8/8/8/8/8/8/4K3 w - - 0 1")));
}

TEST(ReadFen, CharactersOutsideTheAlphabetAreSkipped) {
  const Position plain = PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
  EXPECT_TRUE(Same(plain, PositionFromFen("rnbq?kbnr/pppxppppp/8/9/04P3/8/PPPP1PPP/RNB.QKBNR b KQkq e3")));
  EXPECT_TRUE(Same(plain, PositionFromFen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b K-Q+kq e3")));
}

TEST(ReadFen, PiecesOffTheBoardAreSkipped) {
  // A ninth square in a rank, after a full rank of digits, or on a ninth rank.
  EXPECT_TRUE(Same(PositionFromFen("rnbqkbnr/8/8/8/8/8/8/4K3 w - - 0 1"),
                   PositionFromFen("rnbqkbnrp/8/8/8/8/8/8/4K3P w - - 0 1")));
  EXPECT_TRUE(Same(PositionFromFen("k7/8/8/8/8/8/8/7K w - - 0 1"),
                   PositionFromFen("k7/8/8/8/8/8/8/7K/Q7/q w - - 0 1")));
  EXPECT_TRUE(Same(PositionFromFen("k7/8/8/8/8/8/8/7K w - - 0 1"),
                   PositionFromFen("k7/8p/44p/8/8/88Q/8/7K w - - 0 1")));
}

TEST(ReadFen, StopsAtTheEndOfTheText) {
  Position p = Read("fen rnbqkbnr/ppp");
  EXPECT_EQ(p.black_occupied, 0xFFull << 56 | 0x7ull << 48);
  EXPECT_EQ(p.white_occupied, 0u);
  EXPECT_EQ(p.side_to_move, BLACK);
  p = Read("fen 4k3/8/8/8/8/8/8/R3K2R w");
  EXPECT_EQ(p.side_to_move, WHITE);
  EXPECT_EQ(p.castle_wq | p.castle_wk, 0);
  p = Read("fen 4k3/8/8/8/8/8/8/R3K2R w KQ");
  EXPECT_EQ(p.castle_wq + p.castle_wk, 2);
  EXPECT_EQ(p.ep_flag, 0);
  EXPECT_EQ(Read("fen").occupied, 0u);
  EXPECT_EQ(Read("").occupied, 0u);
  EXPECT_EQ(Read(" ").occupied, 0u);
}

// Malformed texts leave a record that the generators, make move and the attack tests can work
// on; the sanitizer build reports any read or write outside the board.
TEST(ReadFen, MalformedTextsLeaveAConsistentPosition) {
  const std::string long_rank(300, 'Q');
  const std::string many_ranks(300, '/');
  for (const std::string& fen :
       {std::string("fen RNBQKBNRR/8/8/8/8/8/8/8 w KQkq - 0 1"), std::string("fen 8/8/8/8/8/8/8/8/8/KQ6 b - - 0 1"),
        std::string("fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq z9 0 1"),
        std::string("fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq e"), std::string("fen 88888888/8 w"),
        std::string("fen 4k3/8/8/8/8/8/8/4K3 w - h1"), std::string("fen 4k3/8/8/8/8/8/8/4K3 b - a8"),
        std::string("fen 7k/pP6/8/8/8/8/8/K7 w - a8"), std::string("fen K7/8/8/8/8/8/Pp6/7k b - a1"),
        std::string("fen 7K/8/8/8/8/8/8/8 w - h9"), std::string("fen ") + long_rank + " w",
        std::string("fen ") + many_ranks + "k w", std::string("fen k\xff\x80Z9zz/8 w \xe9 \xe9\xe9"),
        std::string("fen QQQQQQQQ/QQQQQQQQ/8/8/8/8/qqqqqqqq/qqqqqqqq w KQkq - 0 1"),
        std::string("fen pppppppp/PPPPPPPP/8/8/8/8/pppppppp/PPPPPPPP b - - 0 1"),
        std::string("fen KKKKKKKK/kkkkkkkk/8/8/8/8/8/8 w KQkq")}) {
    SCOPED_TRACE(fen);
    Position p{};
    ReadFen(p, fen.c_str());
    ASSERT_TRUE(IsConsistent(p));
    Perft(p, 2);
    p.side_to_move ^= 1;
    Perft(p, 2);
    ASSERT_TRUE(IsConsistent(p));
  }
}

}  // namespace
