// The page's catalog read from the sources: every export with its slots and
// two examples, and the reference pages' examples in the layouts a page may
// use (indented blocks, fenced blocks, quoted arguments, empty output).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import {
  collectExamples, parseExportList, parseHelpRows, parseReferenceExamples, parseTopicOrder, splitShellWords,
} from '../../web/lib/catalog.mjs';
import { groupByTopic } from '../../web/lib/topics.mjs';
import { sourceDir } from './wasm_module.mjs';

const read = (relative) => readFileSync(path.join(sourceDir, relative), 'utf8');

test('the export table and the descriptions cover the same 35 exports, each in one topic', () => {
  const rows = parseExportList(read('src/frame/export_list.inc'));
  const help = parseHelpRows(read('src/frame/export_help.inc'));
  assert.equal(rows.length, 35);
  assert.deepEqual([...help.keys()], rows.map((r) => r.name));
  for (const row of rows) {
    const described = help.get(row.name);
    assert.equal(row.slots.length, 4, row.name);
    assert.equal(described.slotNames.length, 4, row.name);
    assert.equal(described.examples.length, 2, row.name);
    assert.ok(described.title && described.summary, row.name);
  }
  assert.deepEqual(rows.find((r) => r.name === 'n_poisson').slots, ['TEXT_OUT', 'TEXT_IN', 'INT_IN', 'DIGITS']);
  assert.deepEqual(help.get('n_tasu').examples[0], { args: '1.5 2.25', output: '3.75' });

  const groups = groupByTopic(rows.map((r) => ({ name: r.name, topic: help.get(r.name).topic })),
    parseTopicOrder(read('src/frame/export_help.h')));
  assert.deepEqual(groups.flatMap((g) => g.names).sort(), rows.map((r) => r.name).sort());
  assert.equal(groups[0].title, 'Arithmetic');
  assert.throws(() => groupByTopic([{ name: 'n_x', topic: 'astrology' }], ['arithmetic']), /n_x/);
});

test('descriptions read by the field names of their comment line', () => {
  const text = '// VYX_HELP(name, summary, slot names, args 1, output 1)\n' +
    'VYX_HELP(n_fabs, "the absolute value", "result x digits -", "-2", "2.")\n';
  assert.deepEqual(parseHelpRows(text).get('n_fabs'),
    { topic: '', title: '', summary: 'the absolute value', slotNames: ['result', 'x', 'digits', '-'], examples: [{ args: '-2', output: '2.' }] });
  assert.throws(() => parseHelpRows(text.replace(', "2.")', ')')), /n_fabs has 3 texts/);
});

test('shell words as the pages write them', () => {
  const cases = [
    ['n_tasu 1.5 2.25', ['n_tasu', '1.5', '2.25']],
    ['n_tasu "  -1.5e3" 0', ['n_tasu', '  -1.5e3', '0']],
    ["n_kakeru '' 5", ['n_kakeru', '', '5']],
    ['n_tasu "a\\"b" x\\ y', ['n_tasu', 'a"b', 'x y']],
    ['  n_fabs\t-2  ', ['n_fabs', '-2']],
  ];
  for (const [text, words] of cases) assert.deepEqual(splitShellWords(text), words, text);
  assert.throws(() => splitShellWords('n_tasu "1'));
});

test('examples in indented and fenced blocks, warnings apart, claims in the prose', () => {
  const page = [
    'Text with a claim: `n_fabs -3` → `3.`, and `n_tasu` alone.', '', '    $ vyxmath n_tasu 1 2', '    3.',
    '    $ vyxmath n_kakeru abc 5', '    vyxmath: warning: argument 1 ("abc") holds no number and is read as 0', '    0.', '',
    '```console', '$ vyxmath n_waru 1 3 17', '0.33333333333333331', '$ vyxmath --list', 'n_tasu ...', '```',
    '', '    $ vyxmath n_sin 30 2', '    vyxmath: warning: unit 2', '', 'After.',
  ].join('\n');
  const warning = 'vyxmath: warning: argument 1 ("abc") holds no number and is read as 0';
  assert.deepEqual(parseReferenceExamples(page, 'p.md'), [
    { source: 'p.md', words: ['n_tasu', '1', '2'], output: '3.', warnings: [] },
    { source: 'p.md', words: ['n_kakeru', 'abc', '5'], output: '0.', warnings: [warning] },
    { source: 'p.md', words: ['n_waru', '1', '3', '17'], output: '0.33333333333333331', warnings: [] },
    { source: 'p.md', words: ['n_sin', '30', '2'], output: '', warnings: ['vyxmath: warning: unit 2'] },
    { source: 'p.md (prose)', words: ['n_fabs', '-3'], output: '3.', warnings: [] },
  ]);
});

test('an example in both the descriptions and a page is run once', () => {
  const help = new Map([['n_tasu', { examples: [{ args: '1 2', output: '3.' }, { args: '1.5 2.25', output: '3.75' }] }]]);
  const examples = collectExamples(help, [{ text: '    $ vyxmath n_tasu 1 2\n    3.\n    $ vyxmath n_tasu 2 2\n    4.\n', source: 'r.md' }]);
  assert.deepEqual(examples.map((e) => [e.source, e.words.join(' ')]),
    [['export_help.inc', 'n_tasu 1 2'], ['export_help.inc', 'n_tasu 1.5 2.25'], ['r.md', 'n_tasu 2 2']]);
});
