// What the fuzz targets share: the input as command text, and how a broken property is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// The input as the engine's routines see a line: everything up to the first NUL.
inline std::string TextOf(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

// A property that does not hold is a finding like a sanitizer's: libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, const std::string& input) {
  std::fprintf(stderr, "fuzz property broken: %s\ninput: %s\n", what, input.c_str());
  std::abort();
}

}  // namespace fuzz
