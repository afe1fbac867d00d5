// Loads the WebAssembly build under node: Emscripten's loader (vyxmath.js,
// CommonJS) with the module's bytes handed over, so that it need not fetch a
// file path, and the export table read from the library's sources.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

import { parseExportList } from '../../web/lib/catalog.mjs';
import { Vyxmath } from '../../web/lib/calls.mjs';

export const sourceDir = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');

export function exportRows() {
  return parseExportList(readFileSync(path.join(sourceDir, 'src/frame/export_list.inc'), 'utf8'));
}

export async function loadVyxmath(wasmDir) {
  const createVyxmathModule = createRequire(import.meta.url)(path.resolve(wasmDir, 'vyxmath.js'));
  const module = await createVyxmathModule({ wasmBinary: readFileSync(path.resolve(wasmDir, 'vyxmath.wasm')) });
  return new Vyxmath(module, exportRows());
}
