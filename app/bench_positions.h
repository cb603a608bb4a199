// The fixed positions of the bench, searched in this order. Their node counts at a fixed depth
// are the fingerprint of the search tree.
#pragma once

#include <array>

inline constexpr std::array<const char*, 30> BENCH_POSITIONS = {
    "startpos",
    "startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6",
    "startpos moves d2d4 g8f6 c2c4 e7e6 b1c3 f8b4",
    "startpos moves e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6",
    "fen r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "fen r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "fen rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "fen r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "fen r1bqkbnr/pppp1ppp/2n5/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3",
    "fen r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ - 3 9",
    "fen r2q1rk1/pp1bbppp/2nppn2/8/3NP3/2N1B3/PPPQBPPP/R4RK1 w - - 6 10",
    "fen 2rq1rk1/pb1nbppp/1p2pn2/2pp4/2PP4/1PN1PN2/PB2BPPP/2RQ1RK1 w - - 0 11",
    "fen r1b2rk1/2q1bppp/p2ppn2/1p6/3BPP2/2N2B2/PPPQ2PP/R4RK1 b - - 1 14",
    "fen 3r1rk1/p4ppp/1qp1b3/4P3/8/1P1Q4/P1P2PPP/R3R1K1 w - - 0 20",
    "fen 6k1/pp3ppp/4p3/8/2P5/1P3P2/P5PP/6K1 w - - 0 30",
    "fen 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "fen 8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1",
    "fen 8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1",
    "fen 5k2/8/8/8/8/8/8/4K2R w K - 0 1",
    "fen 3k4/8/8/8/8/8/8/R3K3 w Q - 0 1",
    "fen 2K2r2/4P3/8/8/8/8/8/3k4 w - - 0 1",
    "fen 8/P7/8/8/8/8/6k1/K7 w - - 0 1",
    "fen 4k3/1P6/8/8/8/8/K7/8 w - - 0 1",
    "fen 8/8/1P2K3/8/2n5/1q6/8/5k2 b - - 0 1",
    "fen r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1",
    "fen r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq - 0 1",
    "fen 6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1",
    "fen r1bqkb1r/pppp1Qpp/2n2n2/4p3/2B1P3/8/PPPP1PPP/RNB1K1NR b KQkq - 0 4",
    "fen 2r3k1/5ppp/8/8/8/8/5PPP/1R4K1 b - - 0 1",
    "fen 8/8/8/3k4/8/3K4/3P4/8 w - - 0 1",
};
