"""Draws the benchmark report's charts (SVG, matplotlib) and rewrites the
tables under them in the page.

  report.py speed --out DIR [--page PAGE] [--require] RESULTS.json...
      the speed charts from the benchmark program's JSON
      (--benchmark_out_format=json) and the files below; a later file's
      figure replaces an earlier one's. --require: every chart must be drawn.
  report.py accuracy --out DIR [--page PAGE] PLOT_DATA.json
      the accuracy pictures from vyxmath_long_run_kernels --plot-data FILE.
  report.py module-json NATIVE.tsv,... MODULE.tsv,... > module32.json
      the 32-bit module's timing runs (vyxmath_module_timing --out) as
      benchmark JSON: the median of each side per figure.
  report.py batch-json < batch_rate.log > batch.json
      bench/batch_rate.sh's lines as benchmark JSON (calls per second).

The page holds each table between "<!-- table:NAME -->" and "<!-- /table -->";
the text between them is replaced. Exit status 1 when a chart cannot be drawn.
"""

import argparse
import json
import os
import platform
import re
import statistics
import subprocess
import sys
import traceback
from datetime import datetime, timezone

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import results  # noqa: E402


def rewrite_tables(page, tables):
    with open(page, encoding="utf-8") as f:
        text = f.read()
    for name, body in tables.items():
        pattern = re.compile(r"(<!-- table:%s -->\n).*?(<!-- /table -->)" % re.escape(name), re.S)
        if not pattern.search(text):
            raise SystemExit(f"report.py: {page} has no place for the table {name}")
        text = pattern.sub(lambda m: m.group(1) + body + "\n" + m.group(2), text)
    with open(page, "w", encoding="utf-8") as f:
        f.write(text)


def draw(charts, figures, out, page, require):
    os.makedirs(out, exist_ok=True)
    tables, failed = {}, []
    for name, chart in charts.items():
        try:
            body = chart(figures, out)
        except Exception:  # a chart that cannot be drawn fails the run
            traceback.print_exc()
            failed.append(name)
            continue
        if body is None:
            print(f"report.py: no figures for the chart {name}", file=sys.stderr)
            if require:
                failed.append(name)
            continue
        tables[name] = body
        print(f"drew {os.path.join(out, name)}.svg")
    if page and tables:
        rewrite_tables(page, tables)
    if failed:
        print("report.py: not drawn: " + ", ".join(failed), file=sys.stderr)
    return 1 if failed else 0


def this_machine():
    """The context of a run on this machine, for figures measured outside the
    benchmark program."""
    processor = platform.processor()
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as f:
            fields = {}
            for line in f:
                key, _, value = line.partition(":")
                fields.setdefault(key.strip(), value.strip())
        processor = f"{fields['model name']} (family {fields['cpu family']}, model {fields['model']})"
    except (OSError, KeyError):
        pass
    compiler = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout.splitlines()
    return {"date": datetime.now(timezone.utc).strftime("%Y-%m-%dT%H:%M:%S+00:00"), "processor": processor,
            "compiler": compiler[0] if compiler else ""}


def module_json(native_paths, module_paths):
    def medians(paths):
        by_figure = {}
        for path in paths:
            with open(path, encoding="utf-8") as f:
                for line in f:
                    name, value, _check = line.rstrip("\n").split("\t")
                    if float(value) > 0:  # figures of zero time are checks only
                        by_figure.setdefault(name, []).append(float(value))
        return {name: statistics.median(values) for name, values in by_figure.items()}

    native, module = medians(native_paths), medians(module_paths)
    entries = []
    for name in native:
        if name in module:
            entries.append((f"module32/{name}/native", native[name], {}))
            entries.append((f"module32/{name}/module", module[name], {}))
    context = this_machine()
    context["source"] = f"scripts/bench.sh module, {len(native_paths)} rounds each side"
    return results.benchmark_json(context, entries)


BATCH_LINE = re.compile(r"^(\S+)\s+(\d+) calls: median CPU .* ([0-9]+) calls/s")


def batch_json(lines):
    entries = []
    for line in lines:
        m = BATCH_LINE.match(line)
        if m:
            rate = float(m.group(3))
            entries.append((f"batch/{m.group(1)}", 1e9 / rate, {"calls_per_second": rate}))
    context = this_machine()
    context["source"] = "bench/batch_rate.sh"
    return results.benchmark_json(context, entries)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    speed = sub.add_parser("speed")
    speed.add_argument("--out", required=True)
    speed.add_argument("--page")
    speed.add_argument("--require", action="store_true")
    speed.add_argument("results", nargs="+")
    accuracy = sub.add_parser("accuracy")
    accuracy.add_argument("--out", required=True)
    accuracy.add_argument("--page")
    accuracy.add_argument("plot_data")
    module = sub.add_parser("module-json")
    module.add_argument("native")
    module.add_argument("module")
    sub.add_parser("batch-json")
    args = parser.parse_args(argv)

    if args.command == "speed":
        from speed_charts import CHARTS
        return draw(CHARTS, results.load(args.results), args.out, args.page, args.require)
    if args.command == "accuracy":
        from accuracy_charts import CHARTS
        with open(args.plot_data, encoding="utf-8") as f:
            data = json.load(f)
        return draw(CHARTS, data, args.out, args.page, require=True)
    if args.command == "module-json":
        data = module_json(args.native.split(","), args.module.split(","))
    else:
        data = batch_json(sys.stdin)
    if not data["benchmarks"]:
        print("report.py: no figures in the input", file=sys.stderr)
        return 1
    json.dump(data, sys.stdout, indent=1)
    print()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
