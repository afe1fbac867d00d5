"""The speed charts of bench/README.md, each drawn from the figures found and
returned with the markdown table that goes under it. A chart whose figures
are all absent is not drawn (returns None): a filtered run redraws only what
it measured."""

import os

import matplotlib.pyplot as plt

from results import checked, pairs
from style import MODULE_COLOUR, PEER_COLOURS, ns, save, stamp, table

KERNEL_LABELS = {
    "sin_pi": "sin (-pi, pi)", "sin_1e5": "sin (-1e5, 1e5)", "cos_pi": "cos (-pi, pi)",
    "tan_pi": "tan (-pi, pi)", "tan_1e5": "tan (-1e5, 1e5)", "asin_unit": "asin (-1, 1)",
    "acos_unit": "acos (-1, 1)", "atan_4": "atan (-4, 4)", "atan2_square": "atan2 (-10, 10)^2",
    "exp_wide": "exp (-700, 700)", "exp_of_e_wide": "e^x (-700, 700)", "log_wide": "log (2^-1000, 2^1000)",
    "log10_wide": "log10 (2^-1000, 2^1000)", "pow_general": "pow (0.01, 100)^(-30, 30)",
    "sinh_moderate": "sinh (-20, 20)", "cosh_moderate": "cosh (-20, 20)", "tanh_moderate": "tanh (-5, 5)",
}
# The ratio to glibc each kernel is held to: the circular functions, the
# exponential and the logarithm 1.5, the rest 2.
TIGHT_TARGET = ("sin_", "cos_", "tan_", "exp_", "log_", "log10_")


def kernel_target(group):
    return 1.5 if group.startswith(TIGHT_TARGET) else 2.0


def _ratio_lines(ax, lines, highest):
    """The ratio lines 1.5x and 2x, labelled at the top, and 1 (as fast)."""
    ax.set_xlim(0, max(max(lines) * 1.08, highest * 1.05))
    for value, style in zip(lines, ("--", ":")):
        ax.axvline(value, color="#b22222", linestyle=style, linewidth=1)
        ax.annotate(f"{value:g}x", (value, 1.0), xycoords=("data", "axes fraction"), xytext=(2, -10),
                    textcoords="offset points", color="#b22222", fontsize=8)
    ax.axvline(1.0, color="#333333", linewidth=0.6)


def _horizontal_bars(ax, labels, series, colours, names, base=0.0):
    """Bars from `base` to each value (on a log axis, from 1: a ratio below 1
    goes left); a value of None leaves its place empty."""
    height = 0.8 / len(series)
    for i, (values, colour, name) in enumerate(zip(series, colours, names)):
        positions = [k + (i - (len(series) - 1) / 2) * height for k in range(len(labels))]
        shown = [v - base if v is not None else 0 for v in values]
        ax.barh(positions, shown, left=base, height=height, color=colour, label=name)
    ax.set_yticks(range(len(labels)))
    ax.set_yticklabels(labels)
    ax.invert_yaxis()


def kernels(figures, out):
    found = pairs(figures, "kernel/", "module", "glibc")
    if not found:
        return None
    fresh = {g: (m, c) for g, m, c in pairs(figures, "kernel_fresh/", "module", "glibc")}
    labels = [KERNEL_LABELS.get(g, g) for g, _, _ in found]
    ratios = [m.ns / c.ns for _, m, c in found]
    fresh_ratios = [fresh[g][0].ns / fresh[g][1].ns if g in fresh else None for g, _, _ in found]
    fig, ax = plt.subplots(figsize=(7.5, 0.3 * len(found) + 1.6))
    series, names = [ratios], ["4096 arguments, met again and again"]
    if any(r is not None for r in fresh_ratios):
        series.append(fresh_ratios)
        names.append("2^20 arguments, each met once")
    _horizontal_bars(ax, labels, series, [MODULE_COLOUR, "#8fb3de"], names)
    _ratio_lines(ax, (1.5, 2.0), max(r for s in series for r in s if r is not None))
    ax.set_xlabel("module's time / glibc's time per call (below 1: the module is faster)")
    ax.set_title("Kernels on doubles against glibc")
    ax.legend(loc="upper right", bbox_to_anchor=(1.0, 0.94), fontsize=8, framealpha=0.95)
    save(fig, os.path.join(out, "kernels.svg"), stamp(fig, [m.run for _, m, _ in found]))
    rows = []
    for (g, m, c), label, r, fr in zip(found, labels, ratios, fresh_ratios):
        rate = m.counters.get("slow_phase_rate")
        slow = f"{round(rate * 4096)} of 4096" if rate is not None else ""
        rows.append([label, ns(m.ns), ns(c.ns), f"{r:.2f}", f"{kernel_target(g):g}",
                     f"{fr:.2f}" if fr is not None else "", slow])
    return table(["kernel (arguments)", "module ns", "glibc ns", "ratio", "target", "ratio on 2^20", "slower phases"],
                 rows)


def _ratio_axis(ax, values):
    """A log axis of ratios with plain tick labels, the line at 1 drawn."""
    ax.set_xscale("log")
    low, high = min(values), max(values)
    ax.set_xlim(min(0.5, low / 1.3), max(2.0, high * 1.3))
    ticks = [t for t in (0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200) if low / 1.3 <= t <= high * 1.3 or t == 1]
    ax.set_xticks(ticks)
    ax.set_xticklabels([f"{t:g}" for t in ticks])
    ax.minorticks_off()
    ax.axvline(1.0, color="#333333", linewidth=0.8)


def _legend_above(ax, columns):
    ax.legend(loc="lower center", bbox_to_anchor=(0.5, 1.0), ncol=columns, fontsize=8, frameon=False)


def _grouped_ratios(ax, prefix, ours, figures, title):
    groups = {}
    for name, figure in figures.items():
        if name.startswith(prefix):
            group, contender = name[len(prefix):].rsplit("/", 1)
            groups.setdefault(group, {})[contender] = checked(name, figure)
    groups = {g: c for g, c in groups.items() if ours in c}
    if not groups:
        return None
    contenders = [ours] + sorted({c for cs in groups.values() for c in cs} - {ours})
    labels = list(groups)
    series = [[groups[g][c].ns / groups[g][ours].ns if c in groups[g] else None for g in labels]
              for c in contenders[1:]]
    _horizontal_bars(ax, labels, series, PEER_COLOURS, contenders[1:], base=1.0)
    _ratio_axis(ax, [v for s in series for v in s if v is not None])
    ax.set_xlabel(f"contender's time / {ours}'s time per number (log scale; above 1: {ours} is faster)")
    ax.set_title(title, pad=22)
    _legend_above(ax, len(contenders) - 1)
    rows = []
    for g in labels:
        base = groups[g][ours].ns
        cells = [ns(base)]
        for c in contenders[1:]:
            cells.append(f"{ns(groups[g][c].ns)} ({groups[g][c].ns / base:.2f}x)" if c in groups[g] else "")
        rows.append([g] + cells)
    return table(["input set"] + contenders, rows), [f for cs in groups.values() for f in cs.values()]


def number_text(figures, out):
    panels = [("read/", "read_number", "Reading"), ("write8/", "write_number", "Writing 8 digits"),
              ("write17/", "write_number", "Writing 17 digits")]
    present = [p for p in panels if any(n.startswith(p[0]) and n.endswith("/" + p[1]) for n in figures)]
    if not present:
        return None
    fig, axes = plt.subplots(len(present), 1, figsize=(7.5, 2.4 * len(present) + 0.6), squeeze=False)
    tables, used = [], []
    for ax, (prefix, ours, title) in zip(axes[:, 0], present):
        text, figs = _grouped_ratios(ax, prefix, ours, figures, title)
        tables.append(f"{title} (ns per number; in brackets the contender's time over the module's):\n\n{text}")
        used += figs
    save(fig, os.path.join(out, "number_text.svg"), stamp(fig, [f.run for f in used]))
    return "\n\n".join(tables)


def exports(figures, out):
    found = pairs(figures, "export/", "module", "libc")
    if not found:
        return None
    labels = [g for g, _, _ in found]
    fig, ax = plt.subplots(figsize=(7.5, 0.35 * len(found) + 1.6))
    ratios = [c.ns / m.ns for _, m, c in found]
    _horizontal_bars(ax, labels, [ratios], [MODULE_COLOUR], ["export"], base=1.0)
    _ratio_axis(ax, ratios)
    ax.set_xlabel("C-library path's time / the export's time per call (log scale; above 1: the export is faster)")
    ax.set_title("Exports, text to text, against strtod + the C library's function + snprintf")
    save(fig, os.path.join(out, "exports.svg"), stamp(fig, [m.run for _, m, _ in found]))
    rows = [[g, ns(m.ns), ns(c.ns), f"{c.ns / m.ns:.2f}x"] for g, m, c in found]
    return table(["export / operands", "module ns", "libc ns", "libc / module"], rows)


def _module32_family(name):
    """The row of the module's table a figure goes in: an export's operand
    sets, a conversion's input sets and the kernels share one row each."""
    parts = name.split("/")
    return parts[1] if parts[0] == "export" else {"kernel": "kernels"}.get(parts[0], parts[0])


def _span(values, text):
    """Two values or fewer listed, more as their range."""
    if len(values) <= 2:
        return ", ".join(text(v) for v in values)
    return f"{text(min(values))} to {text(max(values))}"


def module32(figures, out):
    # The C runtime's kernels differ between the builds (glibc, msvcrt): only
    # the module's own code is set against itself.
    found = [f for f in pairs(figures, "module32/", "module", "native") if not f[0].endswith("/c_runtime")]
    if not found:
        return None
    labels = [g[:-len("/module")] if g.startswith("kernel/") else g for g, _, _ in found]
    ratios = [m.ns / n.ns for _, m, n in found]
    fig, ax = plt.subplots(figsize=(7.5, 0.2 * len(found) + 1.6))
    _horizontal_bars(ax, labels, [ratios], [MODULE_COLOUR], ["32-bit module under wine / native library"])
    _ratio_lines(ax, (1.5, 2.0), max(ratios))
    ax.set_xlabel("module's time / native time per call")
    ax.set_title("The 32-bit Windows module against the native library")
    ax.tick_params(axis="y", labelsize=7)
    save(fig, os.path.join(out, "module32.svg"), stamp(fig, [m.run for _, m, _ in found]))
    families = {}
    for (g, m, n), r in zip(found, ratios):
        families.setdefault(_module32_family(g), []).append((g.split("/")[-2 if g.startswith("kernel/") else -1],
                                                             n.ns, m.ns, r))
    rows = []
    for family, members in families.items():
        sets = [name for name, _, _, _ in members]
        label = f"{family} ({', '.join(sets)})" if len(sets) <= 2 else f"{family} ({len(sets)} figures)"
        rows.append([label, _span([n for _, n, _, _ in members], ns), _span([m for _, _, m, _ in members], ns),
                     _span([r for _, _, _, r in members], lambda r: f"{r:.2f}x")])
    return table(["figure", "native ns", "module ns", "module / native"], rows)


BATCH_LABELS = {"n_tasu": "n_tasu, short decimals", "n_tasu_17": "n_tasu, 17-digit doubles",
                "mixed": "all 35 exports mixed"}
BATCH_TARGET = 2_000_000  # n_tasu calls per second on short decimals


def batch(figures, out):
    found = [(n[len("batch/"):], f) for n, f in figures.items()
             if n.startswith("batch/") and "calls_per_second" in f.counters]
    if not found:
        return None
    labels = [BATCH_LABELS.get(k, k) for k, _ in found]
    rates = [f.counters["calls_per_second"] / 1e6 for _, f in found]
    if not all(r > 0 for r in rates):
        raise ValueError(f"batch: calls per second {rates} cannot be drawn")
    fig, ax = plt.subplots(figsize=(7.5, 0.4 * len(found) + 1.5))
    _horizontal_bars(ax, labels, [rates], [MODULE_COLOUR], ["calls per second"])
    ax.axvline(BATCH_TARGET / 1e6, color="#b22222", linestyle="--", linewidth=1)
    ax.set_xlabel("million calls per second, one process on one core (dashed: 2 million, n_tasu's target)")
    ax.set_title("The host's batch mode")
    save(fig, os.path.join(out, "batch.svg"), stamp(fig, [f.run for _, f in found]))
    rows = [[label, f"{r:.2f} million"] for label, r in zip(labels, rates)]
    return table(["call lines", "calls per second"], rows)


CHARTS = {"kernels": kernels, "number_text": number_text, "exports": exports, "module32": module32,
          "batch": batch}
