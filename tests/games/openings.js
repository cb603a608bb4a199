'use strict';
// Short, common opening lines in UCI move text. Each is played by both
// engines with either colour so that deterministic engines still give
// different games.
const OPENINGS = [
  'e2e4 e7e5 g1f3 b8c6 f1b5',
  'e2e4 e7e5 g1f3 b8c6 f1c4',
  'e2e4 c7c5 g1f3 d7d6',
  'e2e4 c7c5 b1c3 b8c6',
  'e2e4 e7e6 d2d4 d7d5',
  'e2e4 c7c6 d2d4 d7d5',
  'e2e4 d7d5 e4d5 d8d5',
  'e2e4 g8f6 e4e5 f6d5',
  'd2d4 d7d5 c2c4 e7e6',
  'd2d4 d7d5 c2c4 c7c6',
  'd2d4 g8f6 c2c4 g7g6 b1c3 f8g7',
  'd2d4 g8f6 c2c4 e7e6 b1c3 f8b4',
  'd2d4 g8f6 c2c4 c7c5 d4d5',
  'd2d4 f7f5 g2g3 g8f6',
  'c2c4 e7e5 b1c3 g8f6',
  'c2c4 c7c5 g1f3 b8c6',
  'g1f3 d7d5 g2g3 g8f6 f1g2',
  'e2e4 e7e5 f2f4 e5f4',
  'e2e4 e7e5 g1f3 g8f6 f3e5 d7d6',
  'd2d4 d7d5 g1f3 g8f6 c1f4',
];

module.exports = { OPENINGS };
