// Calls over every export by the kinds of its slots, for comparing two builds
// at the last bit: real results at 17 significant digits (and some at the
// default 8, which takes the writer's rounding path), operands that are
// random 17-digit numbers over many binades plus the texts where reading and
// the functions have their edges. Seeded, so that a difference repeats.

const specialTexts = ['0', '-0', '1', '-1', '0.5', '2', '10', '45', '90', '180', '1e-5', '1e22', '1e23',
  '1.7976931348623157e308', '4.9e-324', '2.2250738585072014e-308', '1e400', '-1e400', '710', '-745',
  '3.141592653589793', '0.7071067811865476', 'abc', '1D3', '.5e-1', '  1.5', '1.#INF', '-1.#IND'];

// mulberry32: a small generator whose sequence is the same everywhere.
function generator(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

export function sweepCalls(exportRows, perExport = 300, seed = 20261210) {
  const random = generator(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const digits17 = () => {
    let s = String(1 + Math.floor(random() * 9)) + '.';
    for (let i = 0; i < 16; i++) s += Math.floor(random() * 10);
    return s;
  };
  // A number text: mostly random 17-digit values between 10^low and 10^high.
  const text = (low, high) => {
    if (random() < 0.1) return pick(specialTexts);
    const exponent = low + Math.floor(random() * (high - low + 1));
    return `${random() < 0.5 ? '-' : ''}${digits17()}e${exponent}`;
  };
  // Integers: counts and directions near 0, loop lengths, and any 32-bit value.
  const int32 = () => {
    const r = random();
    if (r < 0.4) return Math.floor(random() * 44) - 3;
    if (r < 0.7) return Math.floor(random() * 6001) - 3000;
    return Math.floor(random() * 4294967296) - 2147483648;
  };
  const digits = () => (random() < 0.8 ? 17 : pick([0, 1, 3, 8, 16]));
  const quote = (t) => (/^[^ \t"]+$/.test(t) ? t : `"${t.replace(/[\\"]/g, (c) => '\\' + c)}"`);

  const calls = [];
  for (const row of exportRows) {
    const [, k2, k3, k4] = row.slots;
    // The normal integral's work grows with its operand; the others take any.
    const [low, high] = row.name === 'n_seikibunpu' ? [-3, 1] : [-9, 5];
    for (let i = 0; i < perExport; i++) {
      const words = [row.name];
      if (row.slots[0] === 'TEXT_IN_OUT') words.push(quote(text(low, high)));
      for (const kind of [k2, k3, k4]) {
        if (kind === 'TEXT_IN') words.push(quote(text(row.slots[0] === 'TEXT_IN_OUT' ? -3 : low, row.slots[0] === 'TEXT_IN_OUT' ? 2 : high)));
        else if (kind === 'DIGITS') words.push(String(digits()));
        else if (kind === 'ANGLE_UNIT') words.push(String(random() < 0.5 ? 0 : 1));
        else if (kind === 'INT_IN') words.push(String(int32()));
      }
      if (row.slots[0] === 'INT_IN') words.push(String(int32()));
      calls.push(words.join(' '));
    }
  }
  return calls;
}
