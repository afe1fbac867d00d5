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

// VYX_HELP(name, "topic", "title", "summary", "slot names", ...): the fields
// are named by the file's own comment line "// VYX_HELP(name, topic, ...)",
// so a field added there is read without a change here. The texts hold no
// double quote or backslash, so a quoted field ends at the next quote.
export function parseHelpRows(text) {
  const header = /^\/\/ VYX_HELP\((.*)\)\s*$/m.exec(text);
  if (!header) throw new Error('export_help.inc: no "// VYX_HELP(name, ...)" line naming the fields');
  const names = header[1].split(',').map((f) => f.trim()).slice(1);
  const rows = new Map();
  for (const line of text.split('\n')) {
    const m = /^VYX_HELP\(\s*(n_[a-z]+)\s*,(.*)\)\s*$/.exec(line);
    if (!m) continue;
    const values = [...m[2].matchAll(/"([^"]*)"/g)].map((f) => f[1]);
    if (values.length !== names.length) {
      throw new Error(`export_help.inc: ${m[1]} has ${values.length} texts for the fields ${names.join(', ')}`);
    }
    const field = Object.fromEntries(names.map((name, i) => [name, values[i]]));
    const examples = [];
    for (let n = 1; `args ${n}` in field; n++) examples.push({ args: field[`args ${n}`], output: field[`output ${n}`] });
    rows.set(m[1], {
      topic: field.topic ?? '',
      title: field.title ?? '',
      summary: field.summary,
      slotNames: field['slot names'].split(/\s+/),
      examples,
    });
  }
  return rows;
}

// The order of the topics: the list `export_topics` of export_help.h.
export function parseTopicOrder(text) {
  const list = /export_topics\s*=\s*\{([^}]*)\}/.exec(text);
  return list ? [...list[1].matchAll(/"([^"]*)"/g)].map((m) => m[1]) : [];
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

// The examples of a reference page: a line "$ vyxmath ARGS", indented or
// in a fenced block, then what the host writes at the same indent: lines
// beginning "vyxmath: " are its warnings on standard error, the others its
// output (none: it printed an empty line). Calls with options (--help,
// --list) are left out. Then the claims in the prose: `n_fabs -3` → `3.`,
// a call and the one line it prints.
export function parseReferenceExamples(markdown, source) {
  const examples = [];
  const lines = markdown.split('\n');
  const isWritten = (line, indent) =>
    line.startsWith(indent) && line.trim() !== '' && !/^\s*(\$ |```|~~~)/.test(line);
  for (let i = 0; i < lines.length; i++) {
    const m = /^(\s*)\$ vyxmath (.*)$/.exec(lines[i]);
    if (!m) continue;
    const indent = m[1];
    const output = [];
    const warnings = [];
    while (i + 1 < lines.length && isWritten(lines[i + 1], indent)) {
      const line = lines[++i].slice(indent.length);
      (line.startsWith('vyxmath: ') ? warnings : output).push(line);
    }
    const words = splitShellWords(m[2].trim());
    if (words.length === 0 || words[0].startsWith('-')) continue;
    examples.push({ source, words, output: output.join('\n'), warnings });
  }
  for (const claim of markdown.matchAll(/`(n_[a-z]+(?:[ \t][^`]*)?)`\s*→\s*`([^`]*)`/g)) {
    examples.push({ source: `${source} (prose)`, words: splitShellWords(claim[1]), output: claim[2], warnings: [] });
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
      add({ source: 'export_help.inc', words: [name, ...splitShellWords(e.args)], output: e.output, warnings: [] });
    }
  }
  for (const { text, source } of pages) parseReferenceExamples(text, source).forEach(add);
  return examples;
}
