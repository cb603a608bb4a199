#!/usr/bin/env node
// `npx morva`: the engine itself, a UCI engine on standard input and output
// (`npx morva bench`, `npx morva perft DEPTH [FEN]` as with the native engine).
require('../dist/morva.js');
