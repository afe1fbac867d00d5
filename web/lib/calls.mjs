// Calls the module's exports from JavaScript with the slots a script passes:
// four 32-bit values, each an address (text or integer variable) or a number.
// The caller's variables live in the module's memory, allocated once at their
// largest size, so that no call allocates: p1's text variable (read first by
// the exports that take an operand there, then overwritten with the result),
// p2's text, p1's integer variable, and a double's bits.
//
// The same rules as the command-line host bind the words of a call line to
// the slots: arguments fill the slots from p1, except that a p1 the export only
// writes, and ignored slots, take none; texts must be given, integers not
// given are 0.

export const maxDigits = 4096;       // the largest digits argument passed on
export const maxTextBytes = 65536;   // the longest text copied into a variable

const textKinds = new Set(['TEXT_IN_OUT', 'TEXT_OUT', 'TEXT_IN']);
const numberKindNames = { DIGITS: 'digits', ANGLE_UNIT: 'angle unit', INT_IN: 'integer' };

export class CallError extends Error {}

// Room a result written at `digits` needs, its NUL included.
export function writtenTextBound(digits) {
  return digits <= 1 ? 8 : digits + 8;
}

export function takesArgument(row, slot) {
  const kind = row.slots[slot];
  if (kind === 'IGNORED') return false;
  return !(slot === 0 && (kind === 'TEXT_OUT' || kind === 'INT_OUT'));
}

// The export prints its status when p1 is a plain value (the prime test).
export function printsStatus(row) {
  return !textKinds.has(row.slots[0]) && row.slots[0] !== 'INT_OUT';
}

// Decimal 32-bit signed integer: optional sign, then digits.
export function parseInt32(text) {
  const m = /^([+-]?)([0-9]+)$/.exec(text);
  if (!m) return { error: 'not an integer' };
  const magnitude = BigInt(m[2]);
  const negative = m[1] === '-';
  if (magnitude > (negative ? 2n ** 31n : 2n ** 31n - 1n)) return { error: 'outside the 32-bit range' };
  return { value: Number(negative ? -magnitude : magnitude) };
}

// A call line of the host's batch mode: blank-separated words, a word in
// double quotes may hold blanks and the escapes \" \\ \n \t \r.
export function splitCallLine(line) {
  const words = [];
  const escapes = { '"': '"', '\\': '\\', n: '\n', t: '\t', r: '\r' };
  let i = 0;
  const blank = (c) => c === ' ' || c === '\t';
  for (;;) {
    while (i < line.length && blank(line[i])) i++;
    if (i === line.length) break;
    let word = '';
    if (line[i] === '"') {
      const opening = i++;
      for (; i < line.length && line[i] !== '"'; i++) {
        if (line[i] !== '\\') {
          word += line[i];
          continue;
        }
        if (i + 1 === line.length) throw new CallError(`quote not closed, opened at column ${opening + 1}`);
        const meant = escapes[line[i + 1]];
        if (meant === undefined) throw new CallError(`unknown escape at column ${i + 1}`);
        word += meant;
        i++;
      }
      if (i === line.length) throw new CallError(`quote not closed, opened at column ${opening + 1}`);
      i++;
      if (i < line.length && !blank(line[i])) throw new CallError(`text right after a closing quote at column ${i + 1}`);
    } else {
      for (; i < line.length && !blank(line[i]); i++) {
        if (line[i] === '"') throw new CallError(`quote inside an unquoted word at column ${i + 1}`);
        word += line[i];
      }
    }
    words.push(word);
  }
  if (words.length === 0) throw new CallError('empty line: no export named');
  return words;
}

// The host's form of a text that holds a line break, which reads back as it.
function quoteText(text) {
  const escaped = { '"': '\\"', '\\': '\\\\', '\n': '\\n', '\r': '\\r', '\t': '\\t' };
  return `"${text.replace(/["\\\n\r\t]/g, (c) => escaped[c])}"`;
}

export function bitsToHex(bits) {
  return '0x' + bits.toString(16).toUpperCase().padStart(16, '0');
}

export class Vyxmath {
  // `module`: the instantiated Emscripten module; `exportRows`: the export
  // table ({name, slots}).
  constructor(module, exportRows) {
    this.m = module;
    this.rows = new Map(exportRows.map((row) => [row.name, row]));
    this.textBytes = Math.max(maxTextBytes + 1, writtenTextBound(maxDigits));
    // One more byte behind each text variable: a NUL the module never reaches.
    this.p1Text = module._malloc(this.textBytes + 1);
    this.p2Text = module._malloc(this.textBytes + 1);
    this.p1Integer = module._malloc(4);
    this.bits = module._malloc(8);
    this.written = module._malloc(writtenTextBound(maxDigits));
  }

  row(name) {
    const row = this.rows.get(name);
    if (!row) throw new CallError(`unknown export "${name}"`);
    return row;
  }

  putText(address, text) {
    const bytes = this.m.lengthBytesUTF8(text);
    if (bytes > maxTextBytes) throw new CallError(`a text is longer than the limit of ${maxTextBytes} bytes`);
    this.m.stringToUTF8(text, address, bytes + 1);
    this.m.HEAPU8[address + this.textBytes] = 0;
  }

  // The bits of the double `text` reads as, the way the exports read it.
  readBits(text) {
    this.putText(this.p2Text, text);
    this.m._vyx_read_number_bits(this.p2Text, this.bits);
    const words = this.m.HEAPU32;
    return (BigInt(words[(this.bits >> 2) + 1]) << 32n) | BigInt(words[this.bits >> 2]);
  }

  // The text the library writes for the double with pattern `bits`.
  writeBits(bits, digits) {
    const words = this.m.HEAPU32;
    words[this.bits >> 2] = Number(bits & 0xffffffffn);
    words[(this.bits >> 2) + 1] = Number(bits >> 32n);
    this.m._vyx_write_number_bits(this.bits, digits, this.written);
    return this.m.UTF8ToString(this.written);
  }

  // Calls `name` with the values of the slots that take one: texts for text
  // slots, integers for the others (missing ones 0). Returns the status, the
  // slot values passed and p1 after the call: its text for a text variable,
  // its value for an integer variable.
  callSlots(name, values) {
    const row = this.row(name);
    const slots = [0, 0, 0, 0];
    for (let slot = 0; slot < 4; slot++) {
      const kind = row.slots[slot];
      const value = values[slot];
      if (kind === 'TEXT_IN_OUT' || (kind === 'TEXT_OUT' && slot === 0)) {
        this.putText(this.p1Text, kind === 'TEXT_OUT' ? '' : value ?? '');
        slots[slot] = this.p1Text;
      } else if (kind === 'TEXT_IN') {
        this.putText(this.p2Text, value ?? '');
        slots[slot] = this.p2Text;
      } else if (kind === 'INT_OUT') {
        this.m.HEAP32[this.p1Integer >> 2] = 0;
        slots[slot] = this.p1Integer;
      } else if (kind !== 'IGNORED') {
        slots[slot] = (value ?? 0) | 0;
      }
    }
    const status = this.m[`_${name}`](...slots);
    const result = { status, slots };
    if (textKinds.has(row.slots[0])) result.text = this.m.UTF8ToString(this.p1Text);
    else if (row.slots[0] === 'INT_OUT') result.integer = this.m.HEAP32[this.p1Integer >> 2];
    return result;
  }

  // Binds the words of a call (name, then arguments) as the host does and
  // gives the line the host prints: p1 after the call, or the status.
  runWords(words) {
    const [name, ...args] = words;
    const row = this.row(name);
    const limit = [0, 1, 2, 3].filter((slot) => takesArgument(row, slot)).length;
    if (args.length > limit) throw new CallError(`${name}: too many arguments (${args.length} given, at most ${limit})`);
    const values = [undefined, undefined, undefined, undefined];
    let next = 0;
    for (let slot = 0; slot < 4; slot++) {
      if (!takesArgument(row, slot)) continue;
      const kind = row.slots[slot];
      const arg = args[next++];
      const place = `${name}: argument ${next} (p${slot + 1}, ${numberKindNames[kind] ?? 'text'})`;
      if (textKinds.has(kind)) {
        if (arg === undefined) throw new CallError(`${place} is missing`);
        values[slot] = arg;
        continue;
      }
      let number = 0;
      if (arg !== undefined) {
        const parsed = parseInt32(arg);
        if (parsed.error) throw new CallError(`${place} is ${parsed.error}: "${arg}"`);
        number = parsed.value;
      }
      if (kind === 'DIGITS' && (number === 0 ? 8 : number) > maxDigits) {
        throw new CallError(`${place} is ${number}, above the limit of ${maxDigits}`);
      }
      values[slot] = number;
    }
    const result = this.callSlots(name, values);
    if (result.text !== undefined) return /[\n\r]/.test(result.text) ? quoteText(result.text) : result.text;
    return String(printsStatus(row) ? result.status : result.integer);
  }

  // One line of the host's batch mode: a blank line or a comment gives an
  // empty line, a bad one "error: ...".
  runLine(line) {
    const trimmed = line.replace(/^[ \t]+/, '');
    if (trimmed === '' || trimmed.startsWith('#')) return '';
    try {
      return this.runWords(splitCallLine(line));
    } catch (e) {
      if (e instanceof CallError) return `error: ${e.message}`;
      throw e;
    }
  }
}
