// A TypeScript program that uses the package's types; the package test compiles it with
// `tsc --noEmit`.
import { Morva, type Score, type SearchResult } from 'morva';

function describe(score: Score | null): string {
  if (score === null) return 'no score';
  return 'cp' in score ? `${score.cp / 100} pawns` : `mate (${score.mate})`;
}

const morva = new Morva();
await morva.start();
morva.send('setoption name Hash value 16');
const result: SearchResult = await morva.search('startpos', { depth: 4 });
const move: string = result.bestMove;
console.log(move, describe(result.score));
const searching = morva.search('startpos', { movetime: 60000 });
morva.stop();
const timed = await searching;
morva.send('isready');
const line: string = await morva.receive();
const status: number = await morva.quit();
console.log(timed.bestMove, line, status);
