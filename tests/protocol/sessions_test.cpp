// Whole sessions replayed against the engine, compared byte for byte (rates masked) with the
// output of a faithful engine that plays by the same rules.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/protocol/engine_process.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ReferenceSession : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceSession, MatchesByteForByte) {
  const std::string base = std::string(MORVA_TEST_DATA) + "/sessions/" + GetParam();
  const SessionResult result = RunScript(Lines(ReadFile(base + ".in")));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(MaskRates(result.output), ReadFile(base + ".out"));
}

INSTANTIATE_TEST_SUITE_P(Sessions, ReferenceSession,
                         ::testing::Values("checkmated-and-stalemated", "depth0-and-plain-go", "kiwipete-depth3",
                                           "mate-in-one-depth3", "promotion-depth6", "sicilian-depth5",
                                           "start-depth5", "to-and-fro-depth4", "two-searches-hash1"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
