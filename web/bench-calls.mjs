// Calls per second of the WebAssembly build under node against the native
// host, per export, on the same call lines: both parse the line, bind the
// slots, call and write the output line (the host in its batch mode, one
// process per export, so that its start-up is a small share). Prints a
// Markdown table; the ratio is the WebAssembly build's time per call over
// the native one's, measured in the same run. Times are processor times
// (user and system), which other work on a busy machine disturbs less than
// the clock; the host's is less that of a run without calls (its start-up),
// and each figure is the best of three.
//
//   node web/bench-calls.mjs WASM_DIR NATIVE_HOST [SECONDS_PER_RUN]
//
// Each export gets as many calls as the WebAssembly build makes in about
// SECONDS_PER_RUN (default 0.4), so that the host's run is long beside its
// start-up and the exports whose work grows with the operand stay short.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { performance } from 'node:perf_hooks';

import { exportRows, loadVyxmath } from '../tests/web/wasm_module.mjs';
import { sweepCalls } from '../tests/web/sweep_calls.mjs';

const [wasmDir, nativeHost, secondsText = '0.4'] = process.argv.slice(2);
if (!wasmDir || !nativeHost) {
  console.error('usage: node web/bench-calls.mjs WASM_DIR NATIVE_HOST [SECONDS_PER_RUN]');
  process.exit(2);
}
const secondsPerRun = Number(secondsText);
const vyxmath = await loadVyxmath(wasmDir);
const rows = exportRows();
const distinct = 500;
const calls = sweepCalls(rows, distinct);

console.log('| export | native calls/s | WebAssembly calls/s | time ratio |');
console.log('|---|---:|---:|---:|');
// The host's processor time on the calls in `file`, as the shell's `times`
// reports it for its finished children.
function hostSeconds(file) {
  const run = spawnSync('bash', ['-c', '"$0" --quiet - < "$1" > /dev/null; times', nativeHost, file], { encoding: 'utf8' });
  const children = run.stdout.trim().split('\n').at(-1);
  return [...children.matchAll(/(\d+)m([\d.]+)s/g)].reduce((sum, m) => sum + Number(m[1]) * 60 + Number(m[2]), 0);
}
const scratch = mkdtempSync(path.join(tmpdir(), 'vyxmath-bench-'));
const callsFile = path.join(scratch, 'calls');
writeFileSync(path.join(scratch, 'none'), '');
const startSeconds = Math.min(...[1, 2, 3, 4, 5].map(() => hostSeconds(path.join(scratch, 'none'))));

const ratios = [];
let totalCalls = 0;
rows.forEach((row, r) => {
  const own = calls.slice(r * distinct, (r + 1) * distinct);
  const probeStart = performance.now();
  for (const line of own) vyxmath.runLine(line);  // also warms up the JIT
  const rate = own.length / ((performance.now() - probeStart) / 1000);
  const count = Math.min(Math.max(Math.round(rate * secondsPerRun), 1000), 400000);
  const lines = Array.from({ length: count }, (_, i) => own[i % distinct]);
  writeFileSync(callsFile, lines.join('\n') + '\n');
  const best = (measure) => Math.min(measure(), measure(), measure());
  const nativeSeconds = Math.max(best(() => hostSeconds(callsFile)) - startSeconds, 1e-6);
  const wasmSeconds = best(() => {
    const start = process.cpuUsage();
    for (const line of lines) vyxmath.runLine(line);
    const used = process.cpuUsage(start);
    return (used.user + used.system) / 1e6;
  });
  const ratio = wasmSeconds / nativeSeconds;
  ratios.push(ratio);
  console.log(`| ${row.name} | ${Math.round(count / nativeSeconds)} | ${Math.round(count / wasmSeconds)} | ${ratio.toFixed(2)} |`);
  totalCalls += count;
});
rmSync(scratch, { recursive: true, force: true });
ratios.sort((a, b) => a - b);
console.log(`\nmedian time ratio ${ratios[Math.floor(ratios.length / 2)].toFixed(2)}, ` +
  `from ${ratios[0].toFixed(2)} to ${ratios.at(-1).toFixed(2)}; ${totalCalls} calls in all`);
