// What the page knows of the exports, read from the library's own tables at
// build time: the slot kinds of every export (src/frame/export_list.inc), what
// each computes with its two examples (src/frame/export_help.inc), and the
// examples of the reference pages ("    $ vyxmath ARGS" followed by the
// lines the host prints).

// VYX_EXPORT(n_tasu, TEXT_IN_OUT, TEXT_IN, DIGITS, IGNORED)
export function parseExportList(text) {
  const rows = [];
  for (const line of text.split('\n')) {
    const m = /^VYX_EXPORT\(\s*(n_[a-z]+)\s*,\s*([A-Z_]+)\s*,\s*([A-Z_]+)\s*,\s*([A-Z_]+)\s*,\s*([A-Z_]+)\s*\)/.exec(line);
    if (m) rows.push({ name: m[1], slots: [m[2], m[3], m[4], m[5]] });
  }
  return rows;
}

// VYX_HELP(name, "summary", "slot names", "other words", "args 1", "output 1", "args 2", "output 2")
// The texts hold no double quote or backslash, so a quoted field ends at the
// next quote.
export function parseHelpRows(text) {
  const rows = new Map();
  for (const line of text.split('\n')) {
    const m = /^VYX_HELP\(\s*(n_[a-z]+)\s*,(.*)\)\s*$/.exec(line);
    if (!m) continue;
    const fields = [...m[2].matchAll(/"([^"]*)"/g)].map((f) => f[1]);
    if (fields.length !== 7) throw new Error(`export_help.inc: ${m[1]} has ${fields.length} texts, not 7`);
    const [summary, slotNames, otherWords, args1, output1, args2, output2] = fields;
    rows.set(m[1], {
      summary,
      slotNames: slotNames.split(/\s+/),
      otherWords: otherWords.split(/\s+/).filter(Boolean),
      examples: [
        { args: args1, output: output1 },
        { args: args2, output: output2 },
      ],
    });
  }
  return rows;
}

// Splits arguments as a POSIX shell would for the simple forms the pages use:
// blanks separate words, '...' is literal, "..." keeps blanks and honours
// \" \\ \$ \`, and a backslash outside quotes takes the next character.
export function splitShellWords(text) {
  const words = [];
  let word = null;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (c === ' ' || c === '\t') {
      if (word !== null) words.push(word);
      word = null;
    } else if (c === "'") {
      const end = text.indexOf("'", i + 1);
      if (end < 0) throw new Error(`unclosed ' in: ${text}`);
      word = (word ?? '') + text.slice(i + 1, end);
      i = end;
    } else if (c === '"') {
      word = word ?? '';
      for (i++; i < text.length && text[i] !== '"'; i++) {
        if (text[i] === '\\' && '"\\$`'.includes(text[i + 1] ?? '')) i++;
        word += text[i];
      }
      if (i >= text.length) throw new Error(`unclosed " in: ${text}`);
    } else if (c === '\\' && i + 1 < text.length) {
      word = (word ?? '') + text[++i];
    } else {
      word = (word ?? '') + c;
    }
  }
  if (word !== null) words.push(word);
  return words;
}

// The examples of a reference page: an indented line "$ vyxmath ARGS", then
// the indented lines the host prints (none: it printed an empty line).
// Examples with options (--help, --list) are no calls and are left out.
export function parseReferenceExamples(markdown, source) {
  const examples = [];
  const lines = markdown.split('\n');
  for (let i = 0; i < lines.length; i++) {
    const m = /^( {4,}|\t)\$ vyxmath (.*)$/.exec(lines[i]);
    if (!m) continue;
    const indent = m[1];
    const output = [];
    while (i + 1 < lines.length && lines[i + 1].startsWith(indent) && !/^\s*\$ /.test(lines[i + 1])
           && lines[i + 1].trim() !== '') {
      output.push(lines[++i].slice(indent.length));
    }
    const words = splitShellWords(m[2].trim());
    if (words.length === 0 || words[0].startsWith('-')) continue;
    examples.push({ source, words, output: output.length ? output.join('\n') : '' });
  }
  return examples;
}

// All examples: the two of each export's description, then the reference
// pages', without repeats (the same call with the same output).
export function collectExamples(helpRows, pages) {
  const seen = new Set();
  const examples = [];
  const add = (example) => {
    const key = JSON.stringify([example.words, example.output]);
    if (seen.has(key)) return;
    seen.add(key);
    examples.push(example);
  };
  for (const [name, row] of helpRows) {
    for (const e of row.examples) {
      add({ source: 'export_help.inc', words: [name, ...splitShellWords(e.args)], output: e.output });
    }
  }
  for (const { text, source } of pages) parseReferenceExamples(text, source).forEach(add);
  return examples;
}
