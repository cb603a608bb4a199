// Positions with their keys, moves picked by text, and a clean search state for the tests of
// the search routines.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/types.h"
#include "board/zobrist.h"
#include "movegen/generate.h"
#include "search/hash_table.h"
#include "search/ordering.h"
#include "search/records.h"
#include "board/move_text.h"

namespace search_test {

inline Position KeyedPosition(const std::string& fen) {
  InitZobrist();
  Position position{};
  ReadFen(position, ("fen " + fen).c_str());
  ComputeKey(position);
  return position;
}

inline std::string Text(Move move) {
  char text[8];
  MoveToText(move, text);
  return text;
}

inline int Square(const char* text) { return SquareFromText(text[0], text[1]); }

// Plays the move with this text as the search does: the move and its key change, while
// side_to_move keeps the root's colour. Returns the move, or 0 when there is none.
inline Move Play(Position& position, int colour, const std::string& text) {
  MoveList list{};
  if (colour == WHITE) {
    GenerateCapturesWhite(position, list);
    GenerateQuietWhite(position, list);
  } else {
    GenerateCapturesBlack(position, list);
    GenerateQuietBlack(position, list);
  }
  for (int i = 0; i < list.count; ++i) {
    if (Text(list.moves[i]) != text) continue;
    UndoRecord undo{};
    if (colour == WHITE) MakeMoveWhite(position, list, i, undo);
    else MakeMoveBlack(position, list, i, undo);
    UpdateKey(colour, list, i, position);
    return list.moves[i];
  }
  ADD_FAILURE() << "no move " << text;
  return 0;
}

// Every search starts as in a fresh process after "uci": a small empty table and no killers.
class SearchTest : public testing::Test {
 protected:
  void SetUp() override {
    InitZobrist();
    SetHashSize(1);
    AllocateHashTable();
    ClearHashTable();
    std::fill(std::begin(killer_primary), std::end(killer_primary), 0);
    std::fill(std::begin(killer_secondary), std::end(killer_secondary), 0);
  }

  PVLine current_line{};
  PVLine best_line{};
  NodeCount nodes = 0;
  int stop_flag = 0;
};

}  // namespace search_test
