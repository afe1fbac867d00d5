// The page's groups of exports: the topics of the export descriptions
// (export_help.inc), in the order export_help.h lists them. Only the
// headings' wording is the page's own.
const headings = {
  arithmetic: { title: 'Arithmetic' },
  'powers and logarithms': { title: 'Powers and logarithms' },
  trigonometric: { title: 'Trigonometric functions', note: 'unit 0 radians, 1 degrees' },
  hyperbolic: { title: 'Hyperbolic functions' },
  probability: { title: 'Probability' },
  integer: { title: 'Integer functions', note: '32-bit wrap-around' },
  random: { title: 'Random numbers' },
};

// [{title, note, names}] for `exports` ({name, topic}) in the topics' order;
// throws when an export's topic is not in `order`.
export function groupByTopic(exports, order) {
  const unknown = exports.filter((e) => !order.includes(e.topic)).map((e) => `${e.name} (${e.topic || 'no topic'})`);
  if (unknown.length) throw new Error(`exports without a known topic: ${unknown.join(', ')}`);
  return order.map((topic) => ({
    title: headings[topic]?.title ?? topic[0].toUpperCase() + topic.slice(1),
    note: headings[topic]?.note,
    names: exports.filter((e) => e.topic === topic).map((e) => e.name),
  })).filter((group) => group.names.length > 0);
}
