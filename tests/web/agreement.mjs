// The WebAssembly build against the native host on the same calls: the
// shared vectors (tests/vectors/*.vec, whose expected lines are checked too)
// and a seeded sweep over every export at 17 digits. The calls go through
// the exports' slots from JavaScript (web/lib/calls.mjs) and through the
// native host's batch mode; every output line must be identical.
//
//   node tests/web/agreement.mjs WASM_DIR NATIVE_HOST
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import path from 'node:path';

import { exportRows, loadVyxmath, sourceDir } from './wasm_module.mjs';
import { sweepCalls } from './sweep_calls.mjs';

// "CALL => EXPECTED" with the separator outside quoted text, as the vector
// runner reads it.
function readVectors(file) {
  const vectors = [];
  readFileSync(file, 'utf8').split('\n').forEach((raw, index) => {
    const line = raw.replace(/\r$/, '');
    if (/^\s*(#|$)/.test(line)) return;
    let quoted = false;
    for (let i = 0; i < line.length; i++) {
      if (quoted && line[i] === '\\') i++;
      else if (line[i] === '"') quoted = !quoted;
      else if (!quoted && line.startsWith(' => ', i)) {
        vectors.push({ where: `${path.basename(file)}:${index + 1}`, call: line.slice(0, i), expected: line.slice(i + 4) });
        return;
      }
    }
    throw new Error(`${file}:${index + 1}: no " => " after the call`);
  });
  return vectors;
}

function nativeOutputs(host, calls) {
  const run = spawnSync(host, ['--quiet', '-'], { input: calls.join('\n') + '\n', maxBuffer: 1 << 28 });
  if (run.error) throw run.error;
  const lines = run.stdout.toString('utf8').split('\n');
  if (lines.at(-1) === '') lines.pop();
  return lines;
}

const [wasmDir, nativeHost] = process.argv.slice(2);
if (!wasmDir || !nativeHost) {
  console.error('usage: node agreement.mjs WASM_DIR NATIVE_HOST');
  process.exit(2);
}
const vyxmath = await loadVyxmath(wasmDir);
const vectorDir = path.join(sourceDir, 'tests/vectors');
const vectors = readdirSync(vectorDir).filter((f) => f.endsWith('.vec')).sort()
  .flatMap((f) => readVectors(path.join(vectorDir, f)));
const sweep = sweepCalls(exportRows()).map((call, i) => ({ where: `sweep ${i + 1}`, call }));
// Lines the host refuses: the slot binding must refuse them too.
const refusals = ['n_tasu 1', 'n_waru 1 3 17 4', 'n_sin 1 0 4097', 'n_kaijo x', 'n_gcd 1 2147483648',
  'n_nothing 1', 'n_tasu "1 2', 'n_tasu 1"2 3', 'n_tasu "1"2 3', 'n_tasu "\\q" 1']
  .map((call, i) => ({ where: `refusal ${i + 1}`, call }));
const all = [...vectors, ...sweep, ...refusals];

const native = nativeOutputs(nativeHost, all.map((c) => c.call));
const failures = [];
all.forEach((c, i) => {
  const wasm = vyxmath.runLine(c.call);
  const host = native[i];
  // The host's error lines name the line number and differ in wording; that
  // both refuse the call is what must agree.
  const same = wasm === host || (wasm.startsWith('error: ') && host?.startsWith('error: '));
  const expected = c.expected === undefined || wasm === c.expected;
  if (!same || !expected) {
    failures.push(`${c.where}: ${c.call}\n  WebAssembly: ${wasm}\n  native:      ${host}` +
      (c.expected === undefined ? '' : `\n  expected:    ${c.expected}`));
  }
});
if (native.length !== all.length) failures.push(`${all.length} calls, ${native.length} native output lines`);
for (const f of failures.slice(0, 30)) console.log(f);
const refused = all.filter((c, i) => native[i]?.startsWith('error: ')).length;
console.log(`wasm agreement: ${all.length} calls (${vectors.length} vectors, ${sweep.length} sweep, ` +
  `${refused} refused by both), ${failures.length} differences`);
process.exit(failures.length === 0 ? 0 : 1);
