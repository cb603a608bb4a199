// The bench's node total at a fixed depth is the fingerprint of the search tree: any change to
// generation order, ordering, extensions, pruning or evaluation moves it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string RunBench(int depth) {
  const std::string command = std::string(MORVA_BENCH) + " " + std::to_string(depth);
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  pclose(pipe);
  return output;
}

TEST(Bench, NodeTotalAtDepthFourIsPinned) {
  const std::string output = RunBench(4);
  EXPECT_NE(output.find("position  1: 5223 nodes\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\nNodes searched: 2162325\n"), std::string::npos) << output;
}

}  // namespace
