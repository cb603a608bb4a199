// A page's script that uses the package as a bundler sees it; the package test bundles it
// with esbuild and opens the page in Chromium, served without the isolation headers.
import { Morva } from 'morva';

const morva = new Morva();
morva.search('rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1', { depth: 4 }).then(
  ({ bestMove }) => { document.title = `bestmove ${bestMove}`; },
  (error) => { document.title = `failed: ${error.message}`; });
