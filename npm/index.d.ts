// Morva, a UCI chess engine in WebAssembly: the same class under Node (a child process) and in
// browsers (a worker that needs no cross-origin isolation).

/**
 * A score from the side to move's view: hundredths of a pawn, or a mate as Morva counts it, the
 * plies of the mating line less one (0: the move mates; negative: the side to move is mated).
 */
export type Score = { cp: number } | { mate: number };

/** How far a search goes: a depth in plies, or a move time in milliseconds. */
export type SearchLimits = { depth: number; movetime?: never } | { movetime: number; depth?: never };

export interface SearchResult {
  /** The best move in UCI notation, as "e2e4" or "e7e8q". */
  bestMove: string;
  /** The score of the search's last report, or null when it made none. */
  score: Score | null;
}

export interface MorvaOptions {
  /** Browsers only: the address of morva-web.js when it is not beside the script that loads Morva. */
  workerUrl?: string | URL;
}

export declare class Morva {
  constructor(options?: MorvaOptions);
  /** Starts the UCI session; resolves once Morva has answered "uci". */
  start(): Promise<void>;
  /** Sends one command line, without its line feed. */
  send(line: string): void;
  /** The next line Morva writes that no search has taken, without its line feed. */
  receive(): Promise<string>;
  /** Searches a position (a FEN, or "startpos") to a depth or for a move time. */
  search(fen: string, limits: SearchLimits): Promise<SearchResult>;
  /** Tells a running search to answer now. */
  stop(): void;
  /** Ends Morva; resolves with its exit status (1 after "quit"). */
  quit(): Promise<number>;
}
