"""The benchmark program's JSON (--benchmark_out_format=json), read into one
figure per benchmark: its median CPU time per call in nanoseconds, its
counters, and the context of the run it came from (machine, compiler, date,
and where recorded figures were taken from)."""

import json
import math
import statistics
from dataclasses import dataclass, field

_NS_PER_UNIT = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
# Fields of a benchmark entry that are not counters.
_NOT_COUNTERS = {"name", "run_name", "run_type", "aggregate_name", "aggregate_unit", "family_index",
                 "per_family_instance_index", "repetitions", "repetition_index", "threads", "iterations",
                 "real_time", "cpu_time", "time_unit", "error_occurred", "error_message", "label"}


@dataclass
class Run:
    processor: str
    compiler: str
    date: str
    source: str

    def stamp(self):
        """The line printed on every chart drawn from this run."""
        day = self.date.replace("T", " ")[:16] + " UTC" if self.date else "date unknown"
        return " · ".join(part for part in (self.processor, self.compiler, day, self.source) if part)


@dataclass
class Figure:
    ns: float
    run: Run
    counters: dict = field(default_factory=dict)


def _run_of(context):
    host = context.get("host_name", "")
    processor = context.get("processor") or (f"{context.get('num_cpus', '?')} CPUs at "
                                             f"{context.get('mhz_per_cpu', '?')} MHz {host}".strip())
    return Run(processor=processor, compiler=context.get("compiler", "compiler unknown"),
               date=context.get("date", ""), source=context.get("source", "scripts/bench.sh --report"))


def load(paths):
    """Every benchmark of the given files by its run name ("kernel/sin_pi/module").
    The median aggregate where the run had repetitions, else the median of the
    single runs; a later file's figure replaces an earlier one's."""
    figures = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        run = _run_of(data.get("context", {}))
        singles, medians = {}, {}
        for entry in data.get("benchmarks", []):
            if entry.get("error_occurred"):
                continue
            name = entry.get("run_name", entry["name"])
            ns = entry["cpu_time"] * _NS_PER_UNIT[entry.get("time_unit", "ns")]
            counters = {k: v for k, v in entry.items() if k not in _NOT_COUNTERS}
            if entry.get("run_type") == "aggregate":
                if entry.get("aggregate_name") == "median":
                    medians[name] = Figure(ns, run, counters)
            else:
                singles.setdefault(name, []).append(Figure(ns, run, counters))
        for name, runs in singles.items():
            if name not in medians:
                ns = statistics.median(f.ns for f in runs)
                medians[name] = Figure(ns, run, runs[0].counters)
        figures.update(medians)
    return figures


def checked(name, figure):
    """The figure, if its time can be drawn; a time that is not a positive
    finite number (a broken run) makes its chart fail."""
    if not (math.isfinite(figure.ns) and figure.ns > 0):
        raise ValueError(f"{name}: {figure.ns} ns per call cannot be drawn")
    return figure


def pairs(figures, prefix, ours, theirs):
    """(group, our figure, their figure) for every group "prefix<group>/ours"
    that has both, in the order the groups first appear."""
    found = []
    for name, figure in figures.items():
        if name.startswith(prefix) and name.endswith("/" + ours):
            group = name[len(prefix):-len(ours) - 1]
            other = figures.get(f"{prefix}{group}/{theirs}")
            if other is not None:
                found.append((group, checked(name, figure), checked(f"{prefix}{group}/{theirs}", other)))
    return found


def benchmark_json(context, entries):
    """A file in the benchmark program's own shape, for figures measured
    outside it (the 32-bit module's timing program, the host's batch mode):
    entries are (run name, ns per call, counters)."""
    benchmarks = []
    for name, ns, counters in entries:
        entry = {"name": name, "run_name": name, "run_type": "iteration", "repetitions": 1, "threads": 1,
                 "iterations": 1, "real_time": ns, "cpu_time": ns, "time_unit": "ns"}
        entry.update(counters)
        benchmarks.append(entry)
    return {"context": context, "benchmarks": benchmarks}
