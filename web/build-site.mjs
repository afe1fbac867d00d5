// Writes the static site: the page, the shared call code, the WebAssembly
// module and catalog.json, the exports with their slots, descriptions and
// topics and every example of the reference, read from the sources now.
//
//   node web/build-site.mjs WASM_DIR OUT_DIR
import { copyFileSync, existsSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';

import {
  collectExamples, parseExportList, parseHelpRows, parseReferenceExamples, parseTopicOrder, splitShellWords,
} from './lib/catalog.mjs';
import { groupByTopic } from './lib/topics.mjs';

const webDir = path.dirname(new URL(import.meta.url).pathname);
const sourceDir = path.resolve(webDir, '..');
const read = (relative) => readFileSync(path.join(sourceDir, relative), 'utf8');

const [wasmDir, outDir] = process.argv.slice(2);
if (!wasmDir || !outDir) {
  console.error('usage: node web/build-site.mjs WASM_DIR OUT_DIR');
  process.exit(2);
}

const exportRows = parseExportList(read('src/frame/export_list.inc'));
const help = parseHelpRows(read('src/frame/export_help.inc'));
const missing = exportRows.filter((row) => !help.has(row.name)).map((row) => row.name);
if (missing.length) throw new Error(`export_help.inc describes no ${missing.join(', ')}`);

// The reference pages that exist now; their examples are whatever blocks of
// "$ vyxmath" they hold.
const pages = ['docs/reference.md', 'docs/number-text.md', 'docs/ja/reference.md', 'docs/ja/number-text.md']
  .filter((page) => existsSync(path.join(sourceDir, page)))
  .map((page) => ({ text: read(page), source: page }));
// A page that shows no example any more has changed its layout: fail rather
// than leave its examples out unnoticed.
for (const page of pages) {
  if (parseReferenceExamples(page.text, page.source).length === 0) throw new Error(`${page.source}: no example found`);
}
const examples = collectExamples(help, pages);

const version = /project\(VYXmath VERSION ([0-9.]+)/.exec(read('CMakeLists.txt'))?.[1] ?? '';
const exports = exportRows.map((row) => {
  const { topic, title, summary, slotNames, examples: own } = help.get(row.name);
  return { ...row, topic, title, summary, slotNames, examples: own.map((e) => ({ args: splitShellWords(e.args), output: e.output })) };
});
const catalog = {
  version,
  topics: groupByTopic(exports, parseTopicOrder(read('src/frame/export_help.h'))),
  exports,
  examples,
};

mkdirSync(path.join(outDir, 'lib'), { recursive: true });
writeFileSync(path.join(outDir, 'catalog.json'), JSON.stringify(catalog, null, 1) + '\n');
// Scripts are served as .js: every static server knows that type, while
// some (Python's before 3.12 without the system's MIME table) send .mjs as
// bytes that a browser refuses to run as a module.
for (const file of ['index.html', 'style.css', 'app.js']) copyFileSync(path.join(webDir, 'page', file), path.join(outDir, file));
copyFileSync(path.join(webDir, 'lib', 'calls.mjs'), path.join(outDir, 'lib', 'calls.js'));
for (const file of ['vyxmath.js', 'vyxmath.wasm']) copyFileSync(path.join(wasmDir, file), path.join(outDir, file));
const counts = new Map();
for (const e of examples) counts.set(e.source, (counts.get(e.source) ?? 0) + 1);
console.log(`site: ${exportRows.length} exports, ${examples.length} examples ` +
  `(${[...counts].map(([source, n]) => `${n} from ${source}`).join(', ')}) in ${outDir}`);
