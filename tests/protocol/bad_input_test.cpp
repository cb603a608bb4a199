// Runs every row of the bad-input table against the engine binary over pipes.
#include <gtest/gtest.h>

#include <string>

#include "tests/protocol/bad_input_table.h"
#include "tests/protocol/engine_process.h"

namespace {

// Generous: the sanitizer build searches many times slower than the optimised one.
constexpr int STEP_TIMEOUT_MS = 60000;
const std::string NEVER = "\x01no such output\x01";

struct Outcome {
  std::string output;
  int status;
};

Outcome RunRow(const BadInput& row) {
  EngineProcess engine;
  std::size_t mark = 0;
  for (const std::string& step : row.steps) {
    if (step.rfind("@raw ", 0) == 0) {
      mark = engine.Output().size();
      engine.Send(step.substr(5));
    } else if (step.rfind("@wait ", 0) == 0) {
      EXPECT_TRUE(engine.ReadUntil(step.substr(6), STEP_TIMEOUT_MS, mark)) << "no " << step.substr(6);
    } else if (step.rfind("@pause ", 0) == 0) {
      engine.ReadUntil(NEVER, std::stoi(step.substr(7)), engine.Output().size());
    } else if (step == "@close") {
      engine.CloseInput();
    } else {
      mark = engine.Output().size();
      engine.SendLine(step);
      if (step.rfind("go", 0) == 0 && step.find("infinite") == std::string::npos) {
        EXPECT_TRUE(engine.ReadUntil("bestmove", STEP_TIMEOUT_MS, mark)) << "no bestmove after " << step;
      }
    }
  }
  engine.CloseInput();
  const int status = engine.WaitExit(STEP_TIMEOUT_MS);
  return {engine.Output(), status};
}

int Count(const std::string& text, const std::string& fragment) {
  int n = 0;
  for (std::size_t at = text.find(fragment); at != std::string::npos; at = text.find(fragment, at + 1)) ++n;
  return n;
}

// Control bytes and bytes above 127 as escapes, so that a failure message stays readable.
std::string Printable(const std::string& text) {
  static const char HEX[] = "0123456789abcdef";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\n' || (byte >= 32 && byte < 127)) {
      out += c;
    } else {
      out += "\\x";
      out += HEX[byte >> 4];
      out += HEX[byte & 15];
    }
  }
  return out;
}

class BadInputRow : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputRow, AnsweredSensibly) {
  const BadInput& row = GetParam();
  const Outcome outcome = RunRow(row);
  EXPECT_EQ(outcome.status, row.exit_status);
  if (row.exact) {
    EXPECT_EQ(Printable(outcome.output), Printable(row.output.at(0)));
  } else {
    std::size_t at = 0;
    for (const std::string& fragment : row.output) {
      const std::size_t found = outcome.output.find(fragment, at);
      EXPECT_NE(found, std::string::npos) << "missing in order: " << Printable(fragment) << "\nin:\n"
                                          << Printable(outcome.output.substr(0, 4000));
      if (found == std::string::npos) break;
      at = found + fragment.size();
    }
  }
  for (const std::string& fragment : row.absent) {
    EXPECT_EQ(outcome.output.find(fragment), std::string::npos) << "unexpected: " << Printable(fragment);
  }
  EXPECT_EQ(outcome.output.find("ERROR"), std::string::npos) << "a self-check failed:\n" << Printable(outcome.output);
  if (row.bestmoves >= 0) {
    EXPECT_EQ(Count(outcome.output, "bestmove"), row.bestmoves);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, BadInputRow, ::testing::ValuesIn(BadInputTable()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
