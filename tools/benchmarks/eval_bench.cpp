// Cost of one static evaluation over a fixed set of middlegame positions; each iteration
// scores the next position of the set.
#include <benchmark/benchmark.h>

#include <array>

#include "board/fen.h"
#include "eval/evaluate.h"

namespace {

constexpr std::array<const char*, 8> MIDDLEGAMES = {
    "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "fen r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ - 0 9",
    "fen r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/2N2N2/PPPP1PPP/R1BQK2R w KQkq - 4 5",
    "fen r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N1P/PP1P1PP1/RNBQR1K1 b - - 0 9",
    "fen rnbq1rk1/ppp1bppp/4pn2/3p2B1/2PP4/2N2N2/PP2PPPP/R2QKB1R w KQ - 4 6",
    "fen r2q1rk1/pp1nbppp/2p1pn2/3p1b2/2PP4/1QN1PN2/PP2BPPP/R1B2RK1 w - - 2 9",
    "fen 2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w - - 0 11",
    "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
};

void BM_EvaluatePosition(benchmark::State& state) {
  std::array<Position, MIDDLEGAMES.size()> positions{};
  for (std::size_t i = 0; i < positions.size(); ++i) ReadFen(positions[i], MIDDLEGAMES[i]);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(EvaluatePosition(positions[next]));
    next = next + 1 == positions.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_EvaluatePosition);

}  // namespace
