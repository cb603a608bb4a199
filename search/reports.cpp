#include "search/reports.h"

#include <cmath>
#include <cstdlib>

#include "search/text_line.h"

namespace {

constexpr int NO_SCORE_REPORTED = -999999993;
int last_reported_depth = 0;
int last_reported_score = NO_SCORE_REPORTED;

// Scores beyond the threshold are mates, counted in moves from the line's length.
void AppendScore(TextLine& text, int score, int length) {
  if (score > MATE_REPORT_THRESHOLD) text.Text(" score mate ").Number(length - 1);
  else if (score < -MATE_REPORT_THRESHOLD) text.Text(" score mate ").Number(1 - length);
  else text.Text(" score cp ").Number(score);
}

void AppendRate(TextLine& text, NodeCount nodes, double seconds) {
  text.Text("info ").Text(" nps ").Number(NodesPerSecond(nodes, seconds));
}

}  // namespace

std::int64_t NodesPerSecond(NodeCount nodes, double seconds) {
  if (!(seconds > 0.0)) return 0;
  return static_cast<std::int64_t>(std::floor(static_cast<double>(nodes) / seconds));
}

void ReportCurrentMove(const MoveList& list, int index, int move_number, int depth) {
  const Move m = list.moves[index];
  TextLine text;
  text.Text("info currmove ").Square(MoveFrom(m)).Square(MoveTo(m));
  text.Text(" currmovenumber ").Number(move_number).Text(" depth ").Number(depth).Char('\n');
  text.Write();
}

void ReportRootLine(int best_score, int depth, int colour, NodeCount nodes, PVLine best_point, double seconds) {
  if (depth != last_reported_depth) last_reported_score = NO_SCORE_REPORTED;
  if (best_score == last_reported_score) {
    WriteText("\n");
    return;
  }
  last_reported_score = best_score;
  last_reported_depth = depth;

  const int length = best_point.length;
  TextLine text;
  AppendRate(text, nodes, seconds);
  text.Text(" depth ").Number(depth).Text(" seldepth ").Number(length);
  AppendScore(text, colour == WHITE ? best_score : -best_score, length);
  text.Text(" nodes ").Number(nodes);
  if (std::abs(best_score) != std::abs(best_point.score_move)) {
    text.Text("\nERROR LINE \n value = ").Number(best_score);
    text.Text("\n PV_best_point.score_move = ").Number(best_point.score_move);
    text.Text(" PV_best_point.score_move = ").Number(best_point.score_move);
    text.Text("\n**********************\n  \n\n");
  } else {
    text.Text(" pv ");
    for (int i = 0; i < length; ++i) {
      const Move m = best_point.moves[i];
      const int type = MoveTypeOf(m);
      text.Square(MoveFrom(m)).Square(MoveTo(m));
      // Quiet moves, captures and castling carry a blank where a promotion has its letter.
      if (const char letter = PromotionLetter(type)) text.Char(letter);
      else if (type >= QUIET && type <= CASTLE_KINGSIDE) text.Char(' ');
      text.Char(' ');
    }
    text.Char('\n');
  }
  text.Write();
}

void ReportIteration(int side_to_move, NodeCount nodes, double seconds, int depth, int score, const PVLine& line) {
  TextLine text;
  AppendRate(text, nodes, seconds);
  text.Text(" depth ").Number(depth);
  AppendScore(text, side_to_move == WHITE ? score : -score, line.length);
  text.Text(" nodes ").Number(nodes).Text(" pv ");
  for (int i = 0; i < line.length; ++i) {
    char move[8];
    MoveToText(line.moves[i], move);
    text.Text(move).Char(' ');
  }
  text.Char('\n');
  text.Write();
}

void ReportBestMove(int from, int to, Move first_move) {
  TextLine text;
  text.Text("bestmove ").Square(from).Square(to);
  if (const char letter = PromotionLetter(MoveTypeOf(first_move))) text.Char(letter);
  text.Char('\n');
  text.Write();
  if (from != MoveFrom(first_move)) WriteText("ERROR from(Deepening)\n");
  if (to != MoveTo(first_move)) WriteText("ERROR to(Deepening)\n");
}

void ReportKeyCheck() { WriteText("\nERROR HESH \n"); }
