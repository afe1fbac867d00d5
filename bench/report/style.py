"""What every chart shares: the SVG settings (text kept as text, so that the
files are small, searchable and the same bytes for the same figures), the
stamp of the run(s) the figures came from, and the markdown tables."""

import textwrap

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

plt.rcParams.update({
    "svg.fonttype": "none",
    "svg.hashsalt": "vyxmath",
    "font.size": 9,
    "axes.spines.top": False,
    "axes.spines.right": False,
    "axes.grid": True,
    "grid.alpha": 0.3,
})

MODULE_COLOUR = "#1f5fa8"
PEER_COLOURS = ["#d9822b", "#7a9a01", "#a23b72", "#6c6c6c", "#2aa198"]


def stamp(fig, runs):
    """Prints the machine, compiler, date and source of each run under the chart."""
    lines = []
    for run in runs:
        for line in textwrap.wrap(run.stamp(), 130):
            if line not in lines:
                lines.append(line)
    fig.text(0.01, 0.005, "\n".join(lines), fontsize=7, color="#555555", va="bottom", ha="left")
    return len(lines)


def save(fig, path, stamped_lines):
    height = fig.get_size_inches()[1]
    fig.tight_layout(rect=(0, min(0.3, (0.13 * stamped_lines + 0.05) / height), 1, 1))
    fig.savefig(path, format="svg", metadata={"Date": None})
    plt.close(fig)


def table(header, rows):
    """A markdown table; the first column left-aligned, the others right."""
    out = ["| " + " | ".join(header) + " |", "|---" + "|---:" * (len(header) - 1) + "|"]
    out += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(out)


def ns(value):
    """Nanoseconds to three significant figures, in us or ms where large."""
    unit = ""
    for name, scale in (("ms", 1e6), ("us", 1e3)):
        if value >= scale:
            value, unit = value / scale, " " + name
            break
    return (f"{value:.0f}" if value >= 100 else f"{value:#.3g}") + unit
