// The page: the exports by topic, a form that fills an export's slots and
// calls it, what was read and written on the way, and the reference's
// examples run in one go. Plain DOM code: one form and two tables do not
// need a framework.
import { CallError, Vyxmath, bitsToHex, parseInt32, takesArgument } from './lib/calls.js';

const slotKinds = {
  TEXT_IN_OUT: 'text: read, then the result is written over it',
  TEXT_OUT: 'text variable: only written',
  TEXT_IN: 'text: only read',
  INT_OUT: 'integer variable: only written',
  INT_IN: 'integer',
  DIGITS: 'significant digits (0 means 8)',
  ANGLE_UNIT: 'unit: 0 radians, 1 degrees',
  IGNORED: 'ignored',
};
const isText = (kind) => kind.startsWith('TEXT');
const $ = (selector) => document.querySelector(selector);

function element(tag, properties = {}, ...children) {
  const e = Object.assign(document.createElement(tag), properties);
  e.append(...children);
  return e;
}

// A call's words as the host's call line writes them.
function callLine(words) {
  return words.map((w) => (/^[^ \t"\\]+$/.test(w) ? w : `"${w.replace(/["\\]/g, (c) => '\\' + c).replace(/\n/g, '\\n')}"`)).join(' ');
}

// JavaScript's own shortest text for the double with pattern `bits`.
function javascriptNumber(bits) {
  const view = new DataView(new ArrayBuffer(8));
  view.setBigUint64(0, bits);
  return String(view.getFloat64(0));
}

class Page {
  // `vyxmath` serves the form; `fresh()` gives a new instance, in which each
  // example runs as in a process of its own.
  constructor(vyxmath, catalog, fresh) {
    this.vyxmath = vyxmath;
    this.fresh = fresh;
    this.catalog = catalog;
    this.rows = new Map(catalog.exports.map((row) => [row.name, row]));
  }

  showTopics() {
    const nav = $('#exports');
    for (const topic of this.catalog.topics) {
      nav.append(element('h2', {}, topic.title, ' ', element('small', {}, topic.note ?? '')));
      for (const name of topic.names) {
        const row = this.rows.get(name);
        const button = element('button', { type: 'button', id: `export-${name}`, title: row.summary },
          element('code', {}, name), ' ', element('b', {}, row.title), element('br'), element('span', {}, row.summary));
        button.addEventListener('click', () => { location.hash = name; });
        nav.append(button);
      }
    }
  }

  select(name) {
    const row = this.rows.get(name) ?? this.catalog.exports[0];
    this.row = row;
    document.querySelectorAll('nav button').forEach((b) => b.setAttribute('aria-current', String(b.id === `export-${row.name}`)));
    $('#export-name').textContent = row.name;
    $('#export-summary').textContent = `${row.title[0].toUpperCase()}${row.title.slice(1)}: ${row.summary}.`;
    const example = row.examples[0].args;  // the words of its first example
    let next = 0;
    const slots = $('#slots');
    slots.replaceChildren();
    row.slots.forEach((kind, slot) => {
      const takes = takesArgument(row, slot);
      const input = element('input', { id: `slot-${slot + 1}`, name: `p${slot + 1}`, disabled: !takes,
        value: takes ? example[next++] ?? '' : '', spellcheck: false });
      if (!takes) input.placeholder = kind === 'IGNORED' ? '—' : 'written by the call';
      const slotName = row.slotNames[slot] && row.slotNames[slot] !== '-' ? ` ${row.slotNames[slot]}` : '';
      slots.append(element('label', { htmlFor: input.id }, `p${slot + 1}${slotName}`), input,
        element('span', { className: 'kind' }, slotKinds[kind]));
    });
    $('#result').hidden = true;
  }

  // The form's values: texts as typed, integers checked as the host does.
  formValues() {
    const values = [undefined, undefined, undefined, undefined];
    const words = [this.row.name];
    this.row.slots.forEach((kind, slot) => {
      if (!takesArgument(this.row, slot)) return;
      const typed = $(`#slot-${slot + 1}`).value;
      words.push(typed);
      if (isText(kind)) {
        values[slot] = typed;
      } else if (typed.trim() !== '') {
        const parsed = parseInt32(typed.trim());
        if (parsed.error) throw new CallError(`p${slot + 1} is ${parsed.error}: "${typed}"`);
        values[slot] = parsed.value;
      }
    });
    return { values, words };
  }

  call() {
    const row = this.row;
    let values, words;
    try {
      ({ values, words } = this.formValues());
    } catch (e) {
      this.showResult({ error: e.message });
      return;
    }
    // The operands as the export reads them, before the call overwrites p1.
    const reads = [];
    row.slots.forEach((kind, slot) => {
      if (kind === 'TEXT_IN_OUT' || kind === 'TEXT_IN') reads.push({ what: `p${slot + 1} read`, text: values[slot] });
    });
    reads.forEach((r) => { r.bits = this.vyxmath.readBits(r.text); });
    const result = this.vyxmath.callSlots(row.name, values);
    if (result.text !== undefined) {
      reads.push({ what: 'p1 written', text: result.text, bits: this.vyxmath.readBits(result.text) });
    }
    this.showResult({ result, reads, words });
  }

  showResult({ error, result, reads = [], words = [] }) {
    $('#result').hidden = false;
    const tbody = $('#reads tbody');
    tbody.replaceChildren();
    if (error) {
      $('#p1-after').textContent = '';
      $('#status').textContent = '';
      $('#call-line').textContent = `not called: ${error}`;
      return;
    }
    const p1 = result.text ?? (result.integer !== undefined ? String(result.integer) : '(p1 is a value; see the status)');
    $('#p1-after').textContent = p1;
    $('#status').textContent = String(result.status);
    $('#call-line').textContent = callLine(words);
    for (const r of reads) {
      tbody.append(element('tr', {}, element('th', {}, r.what), element('td', {}, element('code', {}, JSON.stringify(r.text))),
        element('td', {}, element('code', {}, this.vyxmath.writeBits(r.bits, 17)), ' ',
          element('small', { title: "JavaScript's shortest text of the same double" }, `(${javascriptNumber(r.bits)})`)),
        element('td', {}, element('code', {}, bitsToHex(r.bits)))));
    }
    if (result.integer !== undefined) {
      const hex = '0x' + (result.integer >>> 0).toString(16).toUpperCase().padStart(8, '0');
      tbody.append(element('tr', {}, element('th', {}, 'p1 written'), element('td', {}, element('code', {}, String(result.integer))),
        element('td', {}, '32-bit integer'), element('td', {}, element('code', {}, hex))));
    }
  }

  runLine() {
    $('#line-output').textContent = this.vyxmath.runLine($('#line').value) || '(no call)';
  }

  // Every example in a fresh instance: the reference shows what one host
  // process prints, and n_rand's draws depend on the calls before.
  async runExamples() {
    const tbody = $('#examples tbody');
    tbody.replaceChildren();
    $('#examples-summary').textContent = 'running…';
    let matching = 0;
    for (const example of this.catalog.examples) {
      let got;
      try {
        got = (await this.fresh()).runWords(example.words);
      } catch (e) {
        if (!(e instanceof CallError)) throw e;
        got = `error: ${e.message}`;
      }
      const match = got === example.output;
      matching += match ? 1 : 0;
      tbody.append(element('tr', { className: match ? 'match' : 'mismatch' },
        element('td', {}, element('code', {}, callLine(example.words))),
        element('td', {}, element('code', {}, example.output),
          ...example.warnings.map((w) => element('div', { className: 'warning', title: "the command-line host's warning" }, w))),
        element('td', {}, element('code', {}, got)),
        element('td', { className: match ? 'match' : 'mismatch', title: example.source }, match ? '✓' : '✗ differs')));
    }
    const total = this.catalog.examples.length;
    const bySource = Object.entries(Object.groupBy
      ? Object.groupBy(this.catalog.examples, (e) => e.source)
      : this.catalog.examples.reduce((g, e) => ((g[e.source] ??= []).push(e), g), {}))
      .map(([source, list]) => `${list.length} from ${source}`).join(', ');
    const summary = $('#examples-summary');
    summary.textContent = `${matching} of ${total} examples match (${bySource})`;
    summary.className = matching === total ? 'match' : 'mismatch';
  }
}

// The module is compiled once; each instance has its own memory and state,
// as each process of the host has.
function moduleFactory(compiled) {
  return () => globalThis.createVyxmathModule({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled));
      return {};
    },
  });
}

async function start() {
  const [catalog, compiled] = await Promise.all([
    fetch('catalog.json').then((r) => r.json()),
    fetch('vyxmath.wasm').then((r) => r.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes)),
  ]);
  const newModule = moduleFactory(compiled);
  const page = new Page(new Vyxmath(await newModule(), catalog.exports), catalog,
    async () => new Vyxmath(await newModule(), catalog.exports));
  $('#version').textContent = catalog.version;
  page.showTopics();
  const selectFromHash = () => page.select(decodeURIComponent(location.hash.slice(1)));
  window.addEventListener('hashchange', selectFromHash);
  selectFromHash();
  $('#call-form').addEventListener('submit', (event) => { event.preventDefault(); page.call(); });
  $('#line-form').addEventListener('submit', (event) => { event.preventDefault(); page.runLine(); });
  $('#run-examples').addEventListener('click', () => page.runExamples());
  $('#run-examples').disabled = false;
  $('#load-state').textContent = `Ready: ${catalog.exports.length} exports, ${catalog.examples.length} examples.`;
  document.body.dataset.ready = 'true';
}

start().catch((e) => {
  $('#load-state').textContent = `The module did not load: ${e.message ?? e}`;
  document.body.dataset.ready = 'failed';
});
