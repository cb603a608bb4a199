#include "search/deepening.h"

#include "search/clock.h"
#include "search/eval_cache.h"
#include "search/input_events.h"
#include "search/reports.h"
#include "search/search.h"

namespace {

NodeCount nodes_searched = 0;

// The answer of the last iteration that ran to its end.
struct Answer {
  int from = 0;
  int to = 0;
  Move first_move = 0;
};

}  // namespace

NodeCount NodesSearched() { return nodes_searched; }

void Deepening(Position& p, RecentMoves recent_moves, NodeCount* node_count, int infinite, double wtime,
               double btime, double movetime, int depth) {
  const double clock_time = p.side_to_move == WHITE ? wtime : btime;
  double limit = -1.0;
  if (clock_time != -1.0) limit = clock_time / 100.0;
  if (movetime != -1.0) limit = movetime;
  if (limit != -1.0) depth = 20;
  if (infinite == 1) depth = MAX_ITERATION;
  else if (depth == -1) depth = 1;

  int stop_flag = 0;
  int best_from = 0, best_to = 0;
  *node_count = 0;
  static PVLine best_line, current_line;
  best_line = PVLine{};
  current_line = PVLine{};
  // Iterations are only compared with the budget between them, and one iteration can take a
  // hundred times the budget. With a clock running, no search may spend more than a tenth of
  // what is left, or the engine would lose on time; with a move time, no more than ten times it.
  double hard_limit = -1.0;
  if (clock_time > 0.0) hard_limit = clock_time / 10.0;
  if (movetime > 0.0 && (hard_limit < 0.0 || movetime * 10.0 < hard_limit)) hard_limit = movetime * 10.0;
  const std::int64_t deadline =
      hard_limit > 0.0 ? ElapsedMilliseconds() + static_cast<std::int64_t>(hard_limit * 1000.0) : -1;
  BeginSearchInput(&stop_flag, infinite == 1, deadline);
  NewEvaluationCache();

  Answer answer;
  for (int i = 1; i <= depth; ++i) {
    if (stop_flag != 0 || i > MAX_ITERATION) break;
    *node_count = 0;
    const std::int64_t t0 = ElapsedMilliseconds();
    const int score = p.side_to_move == WHITE
                          ? SearchRootWhite(&best_from, &best_to, p, i, node_count, current_line, best_line,
                                            &recent_moves, &stop_flag)
                          : SearchRootBlack(&best_from, &best_to, p, i, node_count, current_line, best_line,
                                            &recent_moves, &stop_flag);
    const double seconds = static_cast<double>(ElapsedMilliseconds() - t0) / 1000.0;
    nodes_searched += *node_count;
    // An iteration cut short (by "stop" or the hard limit) may rank a half-searched move
    // first; after the first iteration the answer stays that of the last complete one.
    if (stop_flag != 0 && i > 1) break;
    ReportIteration(p.side_to_move, *node_count, seconds, i, score, best_line);
    answer = Answer{best_from, best_to, best_line.moves[0]};
    if (limit != -1.0 && limit < seconds) break;
  }
  EndSearchInput();
  ReportBestMove(answer.from, answer.to, answer.first_move);
}
