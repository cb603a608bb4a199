// Misuses that the package's types must refuse: the package test expects `tsc` to fail here,
// once per marked line.
import { Morva } from 'morva';

const morva = new Morva();
await morva.search('startpos', { depth: '4' }); // refused: a depth is a number
await morva.search('startpos', {}); // refused: a depth or a move time is needed
const move: number = (await morva.search('startpos', { depth: 1 })).bestMove; // refused: a move is text
morva.send(42); // refused: a line is text
