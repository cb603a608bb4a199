// Positions from FEN text, generated move lists, the perft reference suite and a consistency
// check of the board record, shared by the board, move generation and position command tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/tables.h"
#include "board/types.h"
#include "movegen/generate.h"
#include "board/move_text.h"
#include "tests/board/position_invariants.h"

namespace board_test {

inline Position PositionFromFen(const std::string& fen) {
  Position position{};
  ReadFen(position, ("fen " + fen).c_str());
  return position;
}

// Both generators of the side to move.
inline MoveList AllMoves(const Position& position) {
  MoveList list{};
  GenerateAllMoves(position, list);
  return list;
}

inline std::string Text(Move move) {
  char text[8];
  MoveToText(move, text);
  return text;
}

inline std::vector<std::string> Texts(const MoveList& list, int begin, int end) {
  std::vector<std::string> texts;
  for (int i = begin; i < end; ++i) texts.push_back(Text(list.moves[i]));
  return texts;
}

inline int Square(const char* text) { return SquareFromText(text[0], text[1]); }

// Index of the generated move with this text, or -1.
inline int IndexOf(const MoveList& list, const std::string& text) {
  for (int i = 0; i < list.count; ++i)
    if (Text(list.moves[i]) == text) return i;
  return -1;
}

// Calls visit(position) at every node of the tree of generated moves, `depth` plies deep, making
// and unmaking each move with the side to move alternating; stops at the first fatal failure.
template <typename Visit>
void VisitTree(Position& p, int depth, const Visit& visit) {
  visit(p);
  if (testing::Test::HasFatalFailure() || depth == 0) return;
  const MoveList list = AllMoves(p);
  const int us = p.side_to_move;
  for (int i = 0; i < list.count; ++i) {
    UndoRecord undo{};
    if (us == WHITE) MakeMoveWhite(p, list, i, undo);
    else MakeMoveBlack(p, list, i, undo);
    p.side_to_move = 1 - us;
    VisitTree(p, depth - 1, visit);
    p.side_to_move = us;
    if (us == WHITE) UnmakeMoveWhite(p, list, i, undo);
    else UnmakeMoveBlack(p, list, i, undo);
    if (testing::Test::HasFatalFailure()) return;
  }
}

struct PerftCase {
  std::string fen;
  std::vector<std::pair<int, std::uint64_t>> counts;  // (depth, leaves), increasing depth
};

// Lines of perft.epd: "<fen> ;D1 20 ;D2 400 ..."; lines starting with '#' are comments.
inline std::vector<PerftCase> LoadPerftSuite() {
  std::vector<PerftCase> suite;
  std::ifstream in(std::string(MORVA_TEST_DATA) + "/perft.epd");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    PerftCase entry;
    const std::size_t first = line.find(';');
    entry.fen = line.substr(0, first);
    std::istringstream fields(line.substr(first));
    std::string depth;
    std::uint64_t count;
    while (fields >> depth >> count) entry.counts.emplace_back(std::stoi(depth.substr(2)), count);
    suite.push_back(entry);
  }
  return suite;
}

// VisitTree from every position of the perft suite, `depth` plies deep; stops at the first fatal
// failure.
template <typename Visit>
void VisitPerftTrees(int depth, const Visit& visit) {
  for (const auto& entry : LoadPerftSuite()) {
    SCOPED_TRACE(entry.fen);
    Position p = PositionFromFen(entry.fen);
    VisitTree(p, depth, visit);
    if (testing::Test::HasFatalFailure()) return;
  }
}

// The record's invariants (position_invariants.h) as a test assertion.
inline testing::AssertionResult IsConsistent(const Position& p) {
  if (const char* broken = BrokenInvariant(p)) return testing::AssertionFailure() << broken;
  return testing::AssertionSuccess();
}

}  // namespace board_test
