// The page in a real browser: Debian's chromium, headless, driven by
// Playwright, the site served by `python3 -m http.server` as a user would.
// Ten calls typed into the form, each compared with the native host's output
// for the same call and its reads with JavaScript's own (correctly rounded)
// reading of the operands; then every example of the reference, run with the
// page's one button. A screenshot of the page is kept.
//
//   node tests/web/browser.mjs SITE_DIR ARTEFACT_DIR NATIVE_HOST
import { spawn, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';

import { chromium } from 'playwright-core';

const [siteDir, artefactDir, nativeHost] = process.argv.slice(2);
if (!siteDir || !artefactDir || !nativeHost) {
  console.error('usage: node browser.mjs SITE_DIR ARTEFACT_DIR NATIVE_HOST');
  process.exit(2);
}
const catalog = JSON.parse(readFileSync(path.join(siteDir, 'catalog.json'), 'utf8'));

// The ten typed calls: the form's slot values in order (the p1 an export only
// writes takes none). Operands with blanks, defaults (empty digits), both
// units, integers, the prime test's status and a result beyond the doubles.
const typedCalls = [
  ['n_tasu', '0.1', '0.2', '17'],
  ['n_waru', '1', '3', ''],
  ['n_sin', '30', '1', '17'],
  ['n_pow', '2', '0.5', '12'],
  ['n_sqrt', '  2', '17'],
  ['n_atanex', '1', '-1', '17'],
  ['n_poisson', '3.5', '2', '17'],
  ['n_kaijo', '13'],
  ['n_sosu', '97'],
  ['n_kakeru', '1e200', '1e200', '0'],
];

let failures = 0;
function check(ok, text) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${text}`);
  if (!ok) failures++;
}

// What the native host prints for the call (arguments as given; an empty
// digits field is an argument not given).
function hostOutput(words) {
  let args = words;
  while (args.length > 1 && args.at(-1) === '') args = args.slice(0, -1);
  const run = spawnSync(nativeHost, ['--quiet', ...args], { encoding: 'utf8' });
  return run.stdout.replace(/\n$/, '');
}

// The bits of the double nearest the decimal text, by JavaScript's reading;
// null for texts it does not read as a plain decimal number.
function javascriptBits(text) {
  if (!/^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(text)) return null;
  const view = new DataView(new ArrayBuffer(8));
  view.setFloat64(0, Number(text.trim()));
  return '0x' + view.getBigUint64(0).toString(16).toUpperCase().padStart(16, '0');
}

async function startServer() {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', siteDir],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  const port = await new Promise((resolve, reject) => {
    let seen = '';
    server.stdout.on('data', (chunk) => {
      seen += chunk;
      const m = /port (\d+)/.exec(seen);
      if (m) resolve(Number(m[1]));
    });
    server.on('exit', (code) => reject(new Error(`http.server ended (${code}): ${seen}`)));
    setTimeout(() => reject(new Error('http.server did not start')), 10000);
  });
  return { server, url: `http://127.0.0.1:${port}/` };
}

const profile = mkdtempSync(path.join(tmpdir(), 'vyxmath-chromium-'));
const { server, url } = await startServer();
let context;
try {
  context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 900 },
  });
  const page = context.pages()[0] ?? (await context.newPage());
  const problems = [];
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });

  await page.goto(url);
  await page.waitForSelector('body[data-ready]', { timeout: 30000 });
  check(await page.getAttribute('body', 'data-ready') === 'true', `page loaded: ${await page.textContent('#load-state')}`);
  const listed = await page.locator('nav button').count();
  check(listed === catalog.exports.length && listed === 35, `${listed} exports listed by topic`);

  for (const [name, ...values] of typedCalls) {
    await page.click(`#export-${name}`);
    await page.waitForFunction((n) => document.querySelector('#export-name').textContent === n, name);
    const inputs = page.locator('#slots input:not([disabled])');
    const count = await inputs.count();
    for (let i = 0; i < count; i++) {
      await inputs.nth(i).fill('');
      await inputs.nth(i).pressSequentially(values[i] ?? '');
    }
    await page.click('#call');
    await page.waitForSelector('#result:not([hidden])');
    const expected = hostOutput([name, ...values]);
    const shown = name === 'n_sosu' ? await page.textContent('#status') : await page.textContent('#p1-after');
    const reads = await page.$$eval('#reads tbody tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));
    let readsAgree = true;
    for (const [what, text, , hex] of reads) {
      const bits = what === 'p1 written' && !text.startsWith('"') ? null : javascriptBits(JSON.parse(text));
      if (bits !== null && bits !== hex) readsAgree = false;
    }
    check(count === values.length && shown === expected && readsAgree,
      `typed ${[name, ...values].map((v) => JSON.stringify(v)).join(' ')}: page ${JSON.stringify(shown)}, ` +
      `host ${JSON.stringify(expected)}; reads ${reads.map((r) => `${r[0]} ${r[1]} = ${r[3]}`).join(', ') || 'none'}`);
  }
  await page.screenshot({ path: path.join(artefactDir, 'call.png'), fullPage: true });

  await page.click('#run-examples');
  await page.waitForFunction(() => /^\d+ of \d+/.test(document.querySelector('#examples-summary').textContent), null,
    { timeout: 60000 });
  const summary = await page.textContent('#examples-summary');
  const rows = await page.locator('#examples tbody tr').count();
  const mismatches = await page.$$eval('#examples tbody tr.mismatch', (rs) => rs.map((r) => r.textContent));
  mismatches.slice(0, 20).forEach((m) => console.log(`  differs: ${m}`));
  check(rows === catalog.examples.length && rows >= 70 && mismatches.length === 0, `examples: ${summary}`);
  await page.screenshot({ path: path.join(artefactDir, 'page.png'), fullPage: true });

  check(problems.length === 0, `no errors in the page${problems.length ? ': ' + problems.join('; ') : ''}`);
} catch (e) {
  check(false, `browser test stopped: ${e.message}`);
} finally {
  await context?.close();
  server.kill();
  rmSync(profile, { recursive: true, force: true });
}
console.log(`browser test: ${failures === 0 ? 'passed' : `${failures} failed`}; screenshots in ${artefactDir}`);
process.exit(failures === 0 ? 0 : 1);
