#include "tests/protocol/bad_input_table.h"

namespace {

using namespace std::string_literals;

const std::string UCI_REPLY =
    "id name Morva_b2_5 Debug\nid author QuietRookPlayer42\n"
    "option name Hash type spin default 32 min 1 max 1024\nuciok \n";
const std::string READY = "readyok \n\n";
const std::string UNKNOWN = "WARNING ! Unknown command\n";
const std::string ILLEGAL = "info string ignoring illegal move ";
// "nothing to release" in Windows-1251 bytes: a Hash setting before the table exists.
const std::string NOTHING_TO_RELEASE = "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC\x20\xED\xE5\xF7\xE5\xE3\xEE\x20\n";

// Positions a FEN text can set up that no game reaches.
const std::string NO_PIECES = "position fen 8/8/8/8/8/8/8/8 w - - 0 1";
const std::string NO_KINGS = "position fen 8/8/8/3q4/8/8/3Q4/8 w - - 0 1";
const std::string TWO_WHITE_KINGS = "position fen 4k3/8/8/8/8/8/8/K3K3 w - - 0 1";
const std::string PAWNS_ON_BACK_RANKS = "position fen P3k2P/8/8/8/8/8/8/p3K2p w - - 0 1";
const std::string KING_EN_PRISE = "position fen 4k3/8/8/8/8/8/4R3/4K3 w - - 0 1";
const std::string NINE_QUEENS_EACH = "position fen qqqqqqqq/q6k/8/8/8/8/Q6K/QQQQQQQQ w - - 0 1";
const std::string STALEMATE = "position fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1";
const std::string PROMOTIONS_EACH_SIDE = "position fen 7k/PPPPPPPP/8/8/8/8/pppppppp/K7 w - - 0 1";

// A search that runs until "stop", with a line of garbage while it runs.
std::vector<std::string> InfiniteThenStop(const std::string& position) {
  return {"uci", position, "go infinite", "@pause 300", "not a command", "stop", "@wait bestmove"};
}

std::vector<BadInput> BuildTable() {
  const std::string long_blank_moves = "position startpos moves e2e4 e7e5";
  // A game of 8,000 legal moves on one line: the knights going out and back.
  std::string game = "position startpos moves";
  for (int i = 0; i < 2000; ++i) game += " g1f3 g8f6 f3g1 f6g8";
  std::vector<BadInput> rows = {
      // FEN text
      {"fen_rank_of_nine_squares",
       {"uci", "position fen rnbqkbnr/ppppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4 e7e5 g1f3", "go depth 1"},
       0, false, {UCI_REPLY, "bestmove "}, {ILLEGAL}},
      {"fen_nine_ranks",
       {"uci", "position fen 4k3/8/8/8/8/8/8/4K3/RRRRRRRR w - - 0 1 moves a1a2"},
       0, true, {UCI_REPLY + ILLEGAL + "a1a2\n"}},
      {"fen_unknown_letters",
       {"uci", "position fen rnbqkbnr/pppp?ppp/8/8/xyz8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4 e7e5", "go depth 1"},
       0, false, {UCI_REPLY, "bestmove "}, {ILLEGAL}},
      {"fen_ends_in_placement",
       {"uci", "position fen rnbqkbnr/pppp", "go depth 2", "position fen 8/8/8/3k", "go depth 2"},
       0, false, {UCI_REPLY, "bestmove ", "bestmove "}, {}, 2},
      {"fen_ends_in_castling_field",
       {"uci", "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQ", "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQ moves e1g1 e8g8"},
       0, true, {UCI_REPLY + ILLEGAL + "e8g8\n"}},
      {"fen_missing_fields",
       {"uci", "position fen 4k3/8/8/8/8/8/8/R3K3 w moves e1c1", "position fen 4k3/8/8/8/8/8/8/4K3", "go depth 2",
        "position fen", "go depth 1"},
       0, false, {UCI_REPLY, ILLEGAL + "e1c1\n", "bestmove ", "bestmove "}, {}, 2},
      {"fen_extra_blanks",
       {"uci", "position   fen   r3k2r/8/8/8/8/8/8/R3K2R   w   KQkq   -   0   1   moves   e1g1   e8c8", "go depth 1"},
       0, false, {UCI_REPLY, "bestmove "}, {ILLEGAL}},
      {"fen_en_passant_out_of_range",
       {"uci", "position fen 4k3/8/8/8/3pP3/8/8/4K3 b - z9 0 1 moves d4e3",
        "position fen 4k3/8/8/8/3pP3/8/8/4K3 b - e 0 1 moves d4e3",
        "position fen 4k3/8/8/8/3pP3/8/8/4K3 b - e6 0 1 moves d4e3",
        "position fen 4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1 moves d4e3"},
       0, true, {UCI_REPLY + ILLEGAL + "d4e3\n" + ILLEGAL + "d4e3\n" + ILLEGAL + "d4e3\n"}},
      {"fen_castling_rights_without_pieces",
       {"uci", "position fen 4k3/8/8/8/8/8/8/4K3 w KQkq - 0 1 moves e1g1",
        "position fen r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1 moves e1c1",
        "position fen r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1 moves e1g1 e8g8",
        "position fen r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1 moves e1g1 e8c8"},
       0, true, {UCI_REPLY + ILLEGAL + "e1g1\n" + ILLEGAL + "e1c1\n" + ILLEGAL + "e8g8\n"}},

      // Positions no game reaches: a small search, then one stopped by hand
      {"position_without_pieces", {"uci", NO_PIECES, "go depth 5"}, 0, true,
       {UCI_REPLY + "info  nps 0 depth 1 score cp 0 nodes 0 pv \ninfo  nps 0 depth 2 score cp 0 nodes 0 pv \n"
                    "info  nps 0 depth 3 score cp 0 nodes 0 pv \ninfo  nps 0 depth 4 score cp 0 nodes 0 pv \n"
                    "info  nps 0 depth 5 score cp 0 nodes 0 pv \nbestmove a1a1\n"}},
      {"position_without_kings", {"uci", NO_KINGS, "go depth 5"}, 0, false, {UCI_REPLY, "depth 5 score", "bestmove d2d5\n"}},
      {"position_without_kings_stopped", InfiniteThenStop(NO_KINGS), 0, false, {UCI_REPLY, "bestmove d2d5\n"}, {UNKNOWN}, 1},
      {"two_kings_of_one_colour", {"uci", TWO_WHITE_KINGS, "go depth 5"}, 0, false,
       {UCI_REPLY, "depth 5 score", "bestmove a1b2\n"}},
      {"two_kings_of_one_colour_stopped", InfiniteThenStop(TWO_WHITE_KINGS), 0, false, {UCI_REPLY, "bestmove "}, {UNKNOWN}, 1},
      {"pawns_on_back_ranks", {"uci", PAWNS_ON_BACK_RANKS, "go depth 5"}, 0, false,
       {UCI_REPLY, "depth 5 score", "bestmove e1d2\n"}},
      {"pawns_on_back_ranks_stopped", InfiniteThenStop(PAWNS_ON_BACK_RANKS), 0, false, {UCI_REPLY, "bestmove "}, {UNKNOWN}, 1},
      {"king_of_side_not_to_move_in_check", {"uci", KING_EN_PRISE, "go depth 5"}, 0, false,
       {UCI_REPLY, "depth 5 score", "bestmove e1d2\n"}},
      {"king_of_side_not_to_move_in_check_stopped", InfiniteThenStop(KING_EN_PRISE), 0, false,
       {UCI_REPLY, "bestmove "}, {UNKNOWN}, 1},
      {"nine_queens_each", {"uci", NINE_QUEENS_EACH, "go depth 2"}, 0, false, {UCI_REPLY, "depth 2 score", "bestmove "}},
      {"nine_queens_each_stopped", InfiniteThenStop(NINE_QUEENS_EACH), 0, false, {UCI_REPLY, "bestmove "}, {UNKNOWN}, 1},
      {"promotions_each_side_stopped", InfiniteThenStop(PROMOTIONS_EACH_SIDE), 0, false, {UCI_REPLY, "bestmove "}, {UNKNOWN}, 1},
      {"no_legal_move", {"uci", STALEMATE, "go depth 5"}, 0, false,
       {UCI_REPLY, "info  nps 0 depth 5 score cp 0 nodes 0 pv \nbestmove a1a1\n"}},
      {"no_legal_move_infinite", {"uci", STALEMATE, "go infinite", "@wait bestmove", "stop"}, 0, false,
       {UCI_REPLY, "depth 50 score cp 0", "bestmove a1a1\n"}, {"depth 51 "}, 1},

      // Moves
      {"illegal_move_stops_the_list",
       {"uci", "position startpos moves e2e4 e2e5 d7d5", "go depth 1"},
       0, false, {UCI_REPLY + ILLEGAL + "e2e5\n", "bestmove "}, {ILLEGAL + "d7d5"}},
      {"malformed_moves",
       {"uci", "position startpos moves zz99", "position startpos moves e2", "position startpos moves e2e4x",
        "position startpos moves e2e4e7e5", "position startpos moves E2E4", "position startpos moves e2e4q",
        "position startpos moves e2e4 e7"},
       0, true,
       {UCI_REPLY + ILLEGAL + "zz99\n" + ILLEGAL + "e2\n" + ILLEGAL + "e2e4x\n" + ILLEGAL + "e2e4e7e5\n" + ILLEGAL +
        "E2E4\n" + ILLEGAL + "e2e4q\n" + ILLEGAL + "e7\n"}},
      {"empty_move_lists", {"uci", "position startpos moves", "position startpos moves    ", "go depth 1"}, 0, false,
       {UCI_REPLY, "bestmove "}, {ILLEGAL}},
      {"promotion_letters",
       {"uci", "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8Q a2b2 e8a4",
        "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8 a2b2 e8a4",
        "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8N a2b2 e8d6",
        "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8N a2b2 e8a4",
        "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8x"},
       0, true, {UCI_REPLY + ILLEGAL + "e8a4\n" + ILLEGAL + "e7e8x\n"}},
      {"moves_after_mate",
       {"uci", "position startpos moves f2f3 e7e5 g2g4 d8h4 a2a3", "go depth 2"},
       0, false, {UCI_REPLY + ILLEGAL + "a2a3\n", "score mate 1 nodes 0 pv \nbestmove a1a1\n"}},
      {"long_move_list",
       {"uci", game, "isready", "go depth 2"}, 0, false, {UCI_REPLY, READY, "bestmove "}, {ILLEGAL}, 1},

      // The Hash option
      {"hash_negative_zero_and_not_a_number",
       {"uci", "position startpos", "setoption name Hash value -5", "go depth 2", "setoption name Hash value 0", "go depth 2",
        "setoption name Hash value abc", "setoption name Hash value ", "go depth 2", "setoption name Hash value -1",
        "isready"},
       0, false, {UCI_REPLY, "bestmove ", "bestmove ", "bestmove ", READY}, {UNKNOWN}, 3},
      // Both are held at 4095, the largest size: a table of 2 GB, made and filled twice.
      {"hash_largest_and_beyond",
       {"uci", "setoption name Hash value 4096", "setoption name Hash value 99999999999999999999", "isready"},
       0, true, {UCI_REPLY + READY}},
      {"hash_missing_value_and_other_options",
       {"uci", "setoption name Hash value", "setoption name Hash", "setoption name hash value 8",
        "setoption name Threads value 4", "setoption", "setoption ", "isready"},
       0, true, {UCI_REPLY + UNKNOWN + READY}},
      {"hash_before_uci", {"isready", "setoption name Hash value 64", "isready"}, 1, true,
       {READY + NOTHING_TO_RELEASE}},
      {"other_option_before_uci", {"setoption name Threads value 4", "isready"}, 0, true, {READY}},

      // go
      {"go_keywords_without_values",
       {"uci", "position startpos", "go depth", "go wtime", "go btime", "go winc", "go binc", "go movestogo",
        "go movetime"},
       0, false, {UCI_REPLY, "depth 1 score", "bestmove "}, {"depth 2 score"}, 7},
      {"go_negative_and_zero_times",
       {"uci", "position startpos", "go wtime -5000 btime -5000", "go wtime -1000", "go wtime 0 btime 0",
        "go movetime 0", "go movetime -20"},
       0, false, {UCI_REPLY, "bestmove "}, {}, 5},
      {"go_depth_zero_and_negative", {"uci", "position startpos", "go depth -3", "go depth 0"}, 0, true,
       {UCI_REPLY + "bestmove a1a1\nbestmove a1a1\n"}},
      {"go_huge_depths",
       {"uci", STALEMATE, "go depth 99999999999", "go depth 70", "go depth 2147483647"},
       0, false, {UCI_REPLY, "depth 50 score", "bestmove a1a1\n", "depth 50 score", "bestmove a1a1\n"},
       {"depth 51 "}, 3},
      {"go_unknown_keywords",
       {"uci", "position startpos", "go ponder searchmoves e2e4 nodes 100 mate 2 depth 1 foo", "gofoo", "go depth 1x",
        "go depth abc"},
       0, false, {UCI_REPLY, "depth 1 score", "bestmove ", "bestmove ", "bestmove ", "bestmove a1a1\n"},
       {"depth 2 score"}, 4},

      // Lines
      {"empty_and_blank_lines", {"uci", "", " ", "   \t ", "isready"}, 0, true,
       {UCI_REPLY + UNKNOWN + UNKNOWN + UNKNOWN + READY}},
      {"commands_not_quite_right",
       {"UCI", "uci ", "isready ", "position", "debug", "quit ", "Quit", "go", "stop", "ponderhit", "ucinewgame",
        "debug on", "isready"},
       0, false,
       {UNKNOWN + UNKNOWN + UNKNOWN + UNKNOWN + UNKNOWN + UNKNOWN + UNKNOWN, "bestmove a1a1\n" + READY}, {}, 1},
      {"line_of_65535_characters",
       {"@raw " + std::string(65535, 'x') + "\n", "isready", long_blank_moves + std::string(65535 - long_blank_moves.size(), ' '),
        "go depth 1"},
       0, false, {UNKNOWN + READY, "bestmove "}, {ILLEGAL}, 1},
      {"line_of_65536_characters_ends_input", {"@raw " + std::string(65536, 'x') + "\nisready\n"}, 0, true, {""}},
      {"crlf_line_ends", {"@raw uci\r\nisready\r\nposition startpos moves e2e4\r\ngo depth 1\r\nquit\r\n"}, 1, false,
       {UCI_REPLY + READY, "bestmove "}, {UNKNOWN, ILLEGAL}, 1},
      {"carriage_returns_only_last_one_stripped", {"@raw \r\nisready\r\r\n"}, 0, true, {UNKNOWN + UNKNOWN}},
      {"nul_bytes_end_the_line", {"@raw isready\0garbage\n\0isready\n"s, "isready"}, 0, true, {READY + UNKNOWN + READY}},
      {"binary_garbage",
       {"@raw \xff\xfe\x01\x02\x7f\x80\n\x1b[2J\n\t\v\f\n"s, "@raw "s + std::string(3000, '\xe9') + "\n", "isready"},
       0, true, {UNKNOWN + UNKNOWN + UNKNOWN + UNKNOWN + READY}},
      {"last_line_without_line_feed", {"@raw uci\nisready"}, 0, true, {UCI_REPLY + READY}},
      {"last_line_quit_without_line_feed", {"@raw isready\nquit"}, 1, true, {READY}},

      // Order of commands
      {"go_before_position", {"uci", "go depth 2"}, 0, false, {UCI_REPLY, "bestmove a1a1\n"}, {}, 1},
      {"go_before_uci",
       {"position startpos", "go depth 2", "setoption name Hash value 8", "uci", "go depth 2", "isready"},
       0, false, {"bestmove ", UCI_REPLY, "bestmove ", READY}, {NOTHING_TO_RELEASE}, 2},
      {"lines_while_searching",
       {"uci", "position startpos", "go infinite", "@pause 200", "isready", "@wait readyok", "garbage while searching",
        "uci", "position fen 8/8/8/8/8/8/8/8 w - - 0 1", "@raw go depth 1\n", "@pause 100", "stop", "@wait bestmove",
        "isready"},
       0, false, {UCI_REPLY, READY, "bestmove ", READY}, {UNKNOWN, "bestmove a1a1"}, 1},
      {"quit_while_searching", {"uci", "position startpos", "go infinite", "@pause 200", "quit"}, 1, false,
       {UCI_REPLY}, {"bestmove"}, 0},
      {"input_closed_while_searching_infinite", {"uci", "position startpos", "go infinite", "@pause 200", "@close"}, 0,
       false, {UCI_REPLY, "bestmove "}, {}, 1},
      {"input_closed_at_once_after_go_infinite", {"@raw uci\nposition startpos\ngo infinite\n"}, 0, false,
       {UCI_REPLY, "bestmove "}, {}, 1},
      {"input_closed_while_searching_to_a_depth", {"@raw uci\nposition startpos\ngo depth 4\n"}, 0, false,
       {UCI_REPLY, "depth 4 score", "bestmove "}, {}, 1},
      {"two_go_in_a_row", {"uci", "position startpos", "go depth 2", "go depth 2"}, 0, false,
       {UCI_REPLY, "bestmove ", "bestmove "}, {}, 2},
      {"second_go_while_searching_is_dropped",
       {"uci", "position startpos", "go infinite", "@pause 200", "@raw go depth 1\n", "@pause 100", "stop", "@wait bestmove"},
       0, false, {UCI_REPLY, "bestmove "}, {}, 1},
      {"stop_and_quit_outside_search", {"stop", "stop", "isready", "quit", "isready"}, 1, true, {READY}},
  };

  return rows;
}

}  // namespace

void PrintTo(const BadInput& row, std::ostream* out) { *out << row.name; }

const std::vector<BadInput>& BadInputTable() {
  static const std::vector<BadInput> table = BuildTable();
  return table;
}
