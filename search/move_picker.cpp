#include "search/move_picker.h"

#include "movegen/generate.h"

namespace {

// The spare entries of the hash move and the two killers.
constexpr int FIRST_SPARE = MAX_MOVES - SPARE_ENTRIES;
static_assert(SPARE_ENTRIES >= 3, "the hash move and the killers need a spare entry each");

}  // namespace

int MovePicker::Pick() {
  switch (stage_) {
    case Stage::HASH_MOVE: {
      stage_ = Stage::BEST_CAPTURE;
      const int index = Locate(hash_, FIRST_SPARE);
      if (index >= 0) return index;
      hash_ = 0;
      [[fallthrough]];
    }
    case Stage::BEST_CAPTURE:
      GenerateCaptures();
      stage_ = Stage::PRIMARY_KILLER;
      if (list_.capture_count > 0) {
        const int index = SortedAt(tail_++);
        front_[0] = list_.moves[index];
        if (front_[0] != hash_) return index;
      }
      [[fallthrough]];
    case Stage::PRIMARY_KILLER: {
      stage_ = Stage::SECONDARY_KILLER;
      // A killer that is the best capture stays where it is; without a killer to pull forward,
      // the next entry in sorted order takes its place before the secondary killer.
      int index = Locate(killers_[0], FIRST_SPARE + 1);
      if (index < 0 || killers_[0] == front_[0]) {
        killers_[0] = 0;
        index = SortedAt(tail_++);
      }
      if (index >= 0) {
        front_[1] = list_.moves[index];
        if (front_[1] != hash_) return index;
      }
      [[fallthrough]];
    }
    case Stage::SECONDARY_KILLER: {
      stage_ = Stage::REST;
      const int index = Locate(killers_[1], FIRST_SPARE + 2);
      if (index >= 0 && killers_[1] != front_[0] && killers_[1] != front_[1]) {
        if (killers_[1] != hash_) return index;
      } else {
        killers_[1] = 0;
      }
      [[fallthrough]];
    }
    case Stage::REST:
      for (int index; (index = SortedAt(tail_++)) >= 0;) {
        const Move move = list_.moves[index];
        if (move != hash_ && move != killers_[0] && move != killers_[1]) return index;
      }
      return -1;
  }
  return -1;
}

int MovePicker::Locate(Move m, int spare) {
  if (m == 0) return -1;
  const int type = MoveTypeOf(m);
  if (type == QUIET || type == CAPTURE || type == CASTLE_QUEENSIDE || type == CASTLE_KINGSIDE) {
    const bool white = us_ == WHITE;
    const bool listed = type == CAPTURE
                            ? (white ? PlainCaptureListedWhite(position_, m) : PlainCaptureListedBlack(position_, m))
                            : (white ? QuietListedWhite(position_, m) : QuietListedBlack(position_, m));
    if (!listed) return -1;
    list_.moves[spare] = m;
    return spare;
  }
  // Promotions and en passant: only the capture generator lists them.
  GenerateCaptures();
  for (int i = 0; i < list_.capture_count; ++i) {
    if (list_.moves[i] == m) return i;
  }
  return -1;
}

void MovePicker::GenerateCaptures() {
  if (generated_ != Generated::NOTHING) return;
  if (us_ == WHITE) GenerateCapturesWhite(position_, list_);
  else GenerateCapturesBlack(position_, list_);
  generated_ = Generated::CAPTURES;
}

void MovePicker::GenerateQuietMoves() {
  if (us_ == WHITE) GenerateQuietWhite(position_, list_);
  else GenerateQuietBlack(position_, list_);
  generated_ = Generated::ALL;
}
