// The page's grouping of the exports, in the order of the public header's
// sections. The build fails when an export is missing here or listed twice,
// so a new export cannot be left off the page.
export const topics = [
  { title: 'Basic operations', note: 'a ← a op b', names: ['n_tasu', 'n_hiku', 'n_kakeru', 'n_waru'] },
  {
    title: 'Elementary functions',
    names: ['n_fmod', 'n_pow', 'n_sqrt', 'n_circle', 'n_fabs', 'n_ln', 'n_log', 'n_exp'],
  },
  {
    title: 'Trigonometric and hyperbolic functions',
    note: 'unit 0 radians, 1 degrees',
    names: ['n_sin', 'n_asin', 'n_sinh', 'n_cos', 'n_acos', 'n_cosh', 'n_tan', 'n_atan', 'n_tanh', 'n_atanex'],
  },
  { title: 'Probability', names: ['n_poisson', 'n_seikibunpu'] },
  {
    title: 'Integer functions',
    note: '32-bit wrap-around',
    names: ['n_bitsft', 'n_ceil', 'n_floor', 'n_rand', 'n_kaijo', 'n_fib', 'n_gcd', 'n_lcm', 'n_comb', 'n_perm', 'n_sosu'],
  },
];

// Throws unless every export of `exportRows` is in exactly one topic.
export function checkTopics(exportRows) {
  const listed = topics.flatMap((t) => t.names);
  const known = new Set(exportRows.map((e) => e.name));
  const problems = [];
  for (const name of known) {
    const count = listed.filter((n) => n === name).length;
    if (count !== 1) problems.push(`${name} is in ${count} topics`);
  }
  for (const name of listed) if (!known.has(name)) problems.push(`${name} is no export`);
  if (problems.length) throw new Error(`web/lib/topics.mjs: ${problems.join('; ')}`);
}
