#include "search/deepening.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "search/clock.h"
#include "search/eval_cache.h"
#include "search/input_events.h"
#include "search/reports.h"
#include "search/search.h"
#include "search/text_line.h"

namespace {

NodeCount nodes_searched = 0;
SearchRequest next_request;
// The depth of a search under a clock or a move time, whatever depth the go line asked for.
constexpr int TIMED_SEARCH_DEPTH = 20;
// A move time is kept to this much before its end: the time the answer takes to be written, to
// cross the pipe and to be read.
constexpr std::int64_t MOVE_TIME_MARGIN_MS = 5;

// The answer of the last iteration that ran to its end.
struct Answer {
  int from = 0;
  int to = 0;
  Move first_move = 0;
};

}  // namespace

NodeCount NodesSearched() { return nodes_searched; }

void RequestSearch(const SearchRequest& request) { next_request = request; }

void Deepening(Position& p, RecentMoves recent_moves, NodeCount* node_count, int infinite, double wtime,
               double btime, double movetime, int depth) {
  const SearchRequest request = std::exchange(next_request, SearchRequest{});
  const std::int64_t start = request.received_at >= 0 ? request.received_at : ElapsedMilliseconds();
  const double clock_time = p.side_to_move == WHITE ? wtime : btime;
  double limit = -1.0;
  if (clock_time != -1.0) limit = clock_time / 100.0;
  if (movetime != -1.0) limit = movetime;
  if (limit != -1.0) depth = TIMED_SEARCH_DEPTH;
  if (infinite == 1) depth = MAX_ITERATION;
  else if (depth == -1) depth = request.node_limit >= 0 ? MAX_ITERATION : 1;

  int stop_flag = 0;
  int best_from = 0, best_to = 0;
  *node_count = 0;
  static PVLine best_line, current_line;
  best_line = PVLine{};
  current_line = PVLine{};
  // Iterations are only compared with the budget between them, and one iteration can take a
  // hundred times the budget. With a clock running, no search may spend more than a tenth of
  // what is left, or the engine would lose on time; a move time is kept, less the margin.
  std::int64_t deadline = clock_time > 0.0 ? start + std::llround(clock_time * 100.0) : -1;
  if (movetime != -1.0) {
    const std::int64_t kept = start + std::max<std::int64_t>(0, std::llround(movetime * 1000.0) - MOVE_TIME_MARGIN_MS);
    deadline = deadline < 0 ? kept : std::min(deadline, kept);
  }
  BeginSearchInput(&stop_flag, infinite == 1, deadline);
  NewEvaluationCache();

  const NodeCount nodes_before = nodes_searched;
  Answer answer;
  for (int i = 1; i <= depth; ++i) {
    if (stop_flag != 0 || i > MAX_ITERATION) break;
    if (request.node_limit >= 0) LimitSearchNodes(node_count, request.node_limit - (nodes_searched - nodes_before));
    *node_count = 0;
    const std::int64_t t0 = ElapsedMilliseconds();
    const int score = p.side_to_move == WHITE
                          ? SearchRootWhite(&best_from, &best_to, p, i, node_count, current_line, best_line,
                                            &recent_moves, &stop_flag)
                          : SearchRootBlack(&best_from, &best_to, p, i, node_count, current_line, best_line,
                                            &recent_moves, &stop_flag);
    const double seconds = static_cast<double>(ElapsedMilliseconds() - t0) / 1000.0;
    nodes_searched += *node_count;
    // An iteration cut short (by "stop" or a limit) may rank a half-searched move first; after
    // the first iteration the answer stays that of the last complete one.
    if (stop_flag != 0 && i > 1) break;
    ReportIteration(p.side_to_move, *node_count, seconds, i, score, best_line);
    answer = Answer{best_from, best_to, best_line.moves[0]};
    if (limit != -1.0 && limit < seconds) break;
  }
  // The iteration reports count each iteration alone; a node limit is kept over them all.
  if (request.node_limit >= 0) TextLine().Text("info nodes ").Number(nodes_searched - nodes_before).Char('\n').Write();
  EndSearchInput();
  ReportBestMove(answer.from, answer.to, answer.first_move);
}
