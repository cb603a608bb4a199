// Builds one output line in a fixed buffer, so that it reaches standard output in one write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "board/types.h"
#include "board/move_text.h"
#include "io/output.h"

class TextLine {
 public:
  TextLine& Text(const char* s) {
    const std::size_t n = std::strlen(s);
    if (n <= CAPACITY - length_) {
      std::memcpy(buffer_ + length_, s, n);
      length_ += n;
    }
    return *this;
  }
  TextLine& Char(char c) {
    if (length_ < CAPACITY) buffer_[length_++] = c;
    return *this;
  }
  TextLine& Number(std::int64_t value) {
    char digits[24];
    int n = 0;
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) Char('-');
    while (n > 0) Char(digits[--n]);
    return *this;
  }
  TextLine& Square(int square) {
    char text[2];
    SquareToText(square, text);
    return Char(text[0]).Char(text[1]);
  }
  void Write() const { WriteOutput(buffer_, length_); }

 private:
  // A line holds at most a full principal variation of 128 moves of 7 characters.
  static constexpr std::size_t CAPACITY = 2048;
  char buffer_[CAPACITY];
  std::size_t length_ = 0;
};
