"""The accuracy pictures of docs/accuracy.md, from the file that
vyxmath_long_run_kernels --plot-data writes: each fast phase's error against
its bound, the share of arguments handed to the slower phases, and where the
number-text reader's double differs from the correctly rounded one."""

import math
import os

import matplotlib.pyplot as plt
from matplotlib.ticker import FuncFormatter

from results import Run
from style import MODULE_COLOUR, PEER_COLOURS, save, stamp, table

HANDED_ON_COLOUR = "#c0392b"
READER_KINDS = ("17 random digits", "25 digits next to a half-way point", "exactly a half-way point")


def run_of(data):
    context = data["context"]
    tried = max((t["tried"] for t in data["tallies"]), default=0)
    return Run(processor="the same bits on every machine", compiler=context.get("compiler", ""),
               date=context.get("date", ""),
               source=f"vyxmath_long_run_kernels, {tried:,} random arguments per kernel, "
                      f"{context.get('samples', '?')} per error plot")


def _powers_of_two(axis):
    axis.set_major_formatter(FuncFormatter(lambda v, _: f"2^{math.log2(v):.0f}" if v > 0 else "0"))


def _power_label(value):
    if value == 0:
        return "0"
    return ("-" if value < 0 else "") + f"2^{math.log2(abs(value)):.0f}"


def _arguments(xs):
    """The arguments as drawn: plain for a narrow range, their binary exponent
    for positive ones over many binades (up to 2^1024, beyond what a log axis
    can compute), else as they are on a symmetric log axis."""
    magnitudes = [abs(x) for x in xs if x != 0]
    if not magnitudes or max(magnitudes) / min(magnitudes) < 1e3:
        return xs, "x", None
    if min(xs) > 0:
        return [math.log2(x) for x in xs], "binary exponent of x", None
    low, high = math.floor(math.log2(min(magnitudes))), math.ceil(math.log2(max(magnitudes)))
    step = max(1, math.ceil((high - low) / 3))
    ticks = [2.0 ** k for k in range(high, low + step // 2, -step)]
    return xs, "x", (2.0 ** low, sorted([-t for t in ticks] + [0.0] + ticks))


def _argument_axis(ax, symlog):
    if symlog is not None:
        linthresh, ticks = symlog
        ax.set_xscale("symlog", linthresh=linthresh, base=2)
        ax.set_xticks(ticks)
        ax.set_xticklabels([_power_label(t) for t in ticks])
        ax.minorticks_off()


def _handed_on(tally):
    if tally is None or not tally["accurate_phase"]:
        return "none handed on" if tally else ""
    return f"1 in {tally['tried'] / tally['accurate_phase']:,.0f} handed on"


def fast_phase_errors(data, out):
    phases = [p for p in data.get("fast_phases", []) if p["samples"]]
    if not phases:
        return None
    tallies = {t["name"]: t for t in data["tallies"]}
    columns = 2
    rows = math.ceil(len(phases) / columns)
    fig, axes = plt.subplots(rows, columns, figsize=(7.5, 2.3 * rows + 0.6), squeeze=False)
    summary = []
    for ax, phase in zip(axes.flat, phases):
        samples = sorted(phase["samples"])
        xs, x_label, symlog = _arguments([s[0] for s in samples])
        floor = min(s[2] for s in samples) * 2.0 ** -40  # an exact value drawn at the foot of the axis
        errors = [max(s[1], floor) for s in samples]
        kept = [(x, e) for x, e, s in zip(xs, errors, samples) if not s[3]]
        handed = [(x, e) for x, e, s in zip(xs, errors, samples) if s[3]]
        ax.scatter([x for x, _ in kept], [e for _, e in kept], s=2, color=MODULE_COLOUR, label="decided fast",
                   rasterized=True)
        if handed:
            ax.scatter([x for x, _ in handed], [e for _, e in handed], s=14, marker="x", color=HANDED_ON_COLOUR,
                       label="handed on")
        ax.plot(xs, [s[2] for s in samples], color="#b22222", linewidth=1, label="bound")
        ax.set_yscale("log", base=2)
        _powers_of_two(ax.yaxis)
        _argument_axis(ax, symlog)
        ax.set_xlabel(x_label, fontsize=7, labelpad=1)
        worst = max(s[1] / s[2] for s in samples)
        ax.set_title(f"{phase['name']}: worst {worst:.2f} of the bound; {_handed_on(tallies.get(phase['name']))}",
                     fontsize=8)
        ax.tick_params(labelsize=7)
        verdict = " (above the bound)" if worst >= 1 else ""
        summary.append([phase["name"], phase["bound"], f"{len(samples)}", f"{worst:.3f}{verdict}",
                        f"2^{math.log2(max(s[1] for s in samples)):.1f}"])
    for ax in list(axes.flat)[len(phases):]:
        ax.axis("off")
    axes.flat[0].legend(fontsize=7, loc="lower left", markerscale=2)
    fig.suptitle("The fast phases' relative error against MPFR (dots) and the bound their rounding test takes "
                 "(line), over the argument", fontsize=9)
    save(fig, os.path.join(out, "fast_phase_errors.svg"), stamp(fig, [run_of(data)]))
    return table(["fast phase", "bound (relative)", "arguments", "worst error / bound", "worst error"], summary)


def slower_phases(data, out):
    tallies = [t for t in data["tallies"] if t["fast_phase"]]
    if not tallies:
        return None
    shares = [t["accurate_phase"] / t["tried"] if t["tried"] else 0 for t in tallies]
    fig, ax = plt.subplots(figsize=(7.5, 0.28 * len(tallies) + 1.5))
    ax.barh(range(len(tallies)), [s * 100 for s in shares], color=MODULE_COLOUR)
    ax.set_yticks(range(len(tallies)))
    ax.set_yticklabels([t["name"] for t in tallies])
    ax.invert_yaxis()
    ax.set_xlabel("share of random arguments handed to the slower phases (%)")
    ax.set_title("How often the fast phase cannot decide the rounding")
    for i, (t, s) in enumerate(zip(tallies, shares)):
        ax.annotate(f"1 in {1 / s:,.0f}" if s else "none", (s * 100, i), xytext=(3, -3),
                    textcoords="offset points", fontsize=7)
    ax.set_xlim(0, max(shares) * 100 * 1.25 or 1)
    save(fig, os.path.join(out, "slower_phases.svg"), stamp(fig, [run_of(data)]))
    rows = [[t["name"], f"{t['tried']:,}", f"{t['accurate_phase']:,}",
             f"1 in {t['tried'] / t['accurate_phase']:,.0f}" if t["accurate_phase"] else "none", f"{t['mismatches']}"]
            for t in data["tallies"] if t["fast_phase"] or t["mismatches"]]
    return table(["kernel", "random arguments", "handed on", "share", "results not correctly rounded"], rows)


def reader_rounding(data, out):
    reader = data.get("reader", [])
    if not reader:
        return None
    fig, ax = plt.subplots(figsize=(7.5, 3.4))
    rows = []
    for kind, (label, colour, marker) in enumerate(zip(READER_KINDS, [MODULE_COLOUR] + PEER_COLOURS, "o^s")):
        points = [(r["exponent"], 100 * r["differ"][kind] / r["tried"][kind]) for r in reader if r["tried"][kind]]
        ax.scatter([e for e, _ in points], [p for _, p in points], s=6, marker=marker, color=colour, label=label,
                   rasterized=True)
        tried = sum(r["tried"][kind] for r in reader)
        differ = sum(r["differ"][kind] for r in reader)
        low = sum(r["low"][kind] for r in reader)
        where = [r["exponent"] for r in reader if r["differ"][kind]]
        rows.append([label, f"{tried:,}", f"{differ:,} ({100 * differ / tried:.2f} %)" if tried else "0",
                     f"{low:,}", f"{min(where)} to {max(where)}" if where else ""])
    ax.set_xlabel("decimal exponent of the text")
    ax.set_ylabel("texts read to another double (%)")
    ax.set_title("Where the reader's double differs from the correctly rounded one")
    ax.legend(fontsize=7, loc="upper center", bbox_to_anchor=(0.5, -0.18), ncol=3, markerscale=2, frameon=False)
    save(fig, os.path.join(out, "reader_rounding.svg"), stamp(fig, [run_of(data)]))
    return table(["texts", "read", "read to another double", "of those, to the smaller magnitude",
                  "decimal exponents where it happens"], rows)


CHARTS = {"fast_phase_errors": fast_phase_errors, "slower_phases": slower_phases, "reader_rounding": reader_rounding}
