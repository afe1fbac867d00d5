"""Draws the benchmark page's charts from the small sample beside this file
and checks what comes out: every chart a well-formed SVG that names its
machine, compiler and date and every figure's label, the tables under them
with the ratios of the sample's medians, and a run whose figures cannot be
drawn failing. Exit status 77 (skipped) where matplotlib is not installed.

  check_charts.py REPORT_DIR OUT_DIR
"""

import json
import os
import shutil
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLE = os.path.join(HERE, "sample")
REPORT_DIR, OUT = sys.argv[1], sys.argv[2]
REPORT = os.path.join(REPORT_DIR, "report.py")
SPEED_CHARTS = ("kernels", "number_text", "exports", "module32", "batch")
PAGE = "".join(f"## {name}\n<!-- table:{name} -->\nold text\n<!-- /table -->\n" for name in SPEED_CHARTS)


def run(*args, stdin=None):
    return subprocess.run([sys.executable, REPORT, *args], capture_output=True, text=True, input=stdin)


def svg_text(path):
    """Every text of the SVG (text is kept as text, not as paths)."""
    root = ElementTree.parse(path).getroot()
    assert root.tag.endswith("svg"), path
    return " ".join(t for t in root.itertext())


class SpeedCharts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = os.path.join(OUT, "speed")
        shutil.rmtree(cls.out, ignore_errors=True)
        os.makedirs(cls.out)
        module = run("module-json", *[",".join(os.path.join(SAMPLE, f"{side}-{k}.tsv") for k in (1, 2, 3))
                                      for side in ("native", "module")])
        assert module.returncode == 0, module.stderr
        with open(os.path.join(SAMPLE, "batch_rate.log")) as f:
            batch = run("batch-json", stdin=f.read())
        assert batch.returncode == 0, batch.stderr
        cls.converted = {"module32": json.loads(module.stdout), "batch": json.loads(batch.stdout)}
        paths = [os.path.join(SAMPLE, "benchmarks.json")]
        for name, data in cls.converted.items():
            paths.append(os.path.join(cls.out, name + ".json"))
            with open(paths[-1], "w") as f:
                json.dump(data, f)
        cls.page = os.path.join(cls.out, "page.md")
        with open(cls.page, "w") as f:
            f.write(PAGE)
        cls.result = run("speed", "--require", "--out", cls.out, "--page", cls.page, *paths)
        with open(cls.page) as f:
            cls.tables = f.read()

    def test_every_chart_is_drawn(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        for name in SPEED_CHARTS:
            self.assertGreater(os.path.getsize(os.path.join(self.out, name + ".svg")), 2000, name)

    def test_charts_name_machine_compiler_date_and_figures(self):
        expected = {
            "kernels": ["sin (-pi, pi)", "tanh (-5, 5)", "atan2 (-10, 10)^2", "1.5x", "2x"],
            "number_text": ["random_doubles_17", "short_decimals", "std_from_chars", "strtod", "std_to_chars",
                            "snprintf"],
            "exports": ["n_tasu/short_decimals", "n_seikibunpu/x_3"],
            "module32": ["export/n_tasu/short_decimals", "read/short_decimals", "kernel/exp_wide"],
            "batch": ["n_tasu, short decimals", "all 35 exports mixed"],
        }
        for name, labels in expected.items():
            text = svg_text(os.path.join(self.out, name + ".svg"))
            if name in ("module32", "batch"):  # measured outside the benchmark program: this machine's stamp
                stamp = [self.converted[name]["context"]["date"][:10]]
            else:
                stamp = ["Sample Processor 9000", "g++ (Sample) 12.2.0", "2026-12-10 12:27 UTC"]
            for label in labels + stamp:
                self.assertIn(label, text, f"{name}.svg")

    def test_tables_hold_the_ratios_of_the_medians(self):
        # Kernel ratios module / glibc (the mean is 1.3 times the median in the
        # sample, the real time twice the CPU time: either taken would show).
        self.assertIn("| sin (-pi, pi) | 6.00 | 8.00 | 0.75 | 1.5 | 0.50 | 1 of 4096 |", self.tables)
        self.assertIn("| tanh (-5, 5) | 17.5 | 10.0 | 1.75 | 2 |  | 0 of 4096 |", self.tables)
        self.assertIn("| atan2 (-10, 10)^2 | 18.0 | 12.0 | 1.50 | 2 |  | 2 of 4096 |", self.tables)
        # Contenders over the module's reader and writer.
        self.assertIn("| random_doubles_17 | 24.0 | 30.0 (1.25x) | 165 (6.88x) |", self.tables)
        self.assertIn("| short_decimals | 20.0 | 18.0 (0.90x) | 60.0 (3.00x) |", self.tables)
        # The C-library path over the export.
        self.assertIn("| n_tasu/short_decimals | 50.0 | 330 | 6.60x |", self.tables)
        self.assertIn("| n_seikibunpu/x_3 | 18.0 us | 22.0 us | 1.22x |", self.tables)
        # Medians of the three rounds each side (a mean would give 0.48x on
        # reading short decimals); three figures or more of a kind as a range.
        self.assertIn("| n_tasu (short_decimals) | 50.0 | 75.0 | 1.50x |", self.tables)
        self.assertIn("| read (3 figures) | 11.0 to 1.60 us | 14.0 to 2.10 us | 1.10x to 1.31x |", self.tables)
        # The module's kernel against itself; the two C runtimes are not compared.
        self.assertIn("| kernels (exp_wide) | 8.00 | 12.0 | 1.50x |", self.tables)
        self.assertNotIn("c_runtime", self.tables)
        self.assertIn("| n_tasu, short decimals | 6.94 million |", self.tables)
        self.assertNotIn("old text", self.tables)
        self.assertNotIn("inputs/fingerprint", self.tables)  # a check, not a time


ACCURACY_CHARTS = ("fast_phase_errors", "slower_phases", "reader_rounding")
ACCURACY_PAGE = "".join(f"<!-- table:{name} -->\n<!-- /table -->\n" for name in ACCURACY_CHARTS)


def draw_accuracy(name, change=None):
    """Draws the accuracy pictures from the sample, changed by `change`."""
    with open(os.path.join(SAMPLE, "accuracy.json")) as f:
        data = json.load(f)
    if change:
        change(data)
    out = os.path.join(OUT, name)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    path, page = os.path.join(out, "accuracy.json"), os.path.join(out, "page.md")
    with open(path, "w") as f:
        json.dump(data, f)
    with open(page, "w") as f:
        f.write(ACCURACY_PAGE)
    result = run("accuracy", "--out", out, "--page", page, path)
    with open(page) as f:
        return result, out, f.read()


class AccuracyCharts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.result, cls.out, cls.tables = draw_accuracy("accuracy")

    def test_every_picture_is_drawn_with_its_stamp(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        for name in ACCURACY_CHARTS:
            text = svg_text(os.path.join(self.out, name + ".svg"))
            for stamp in ("g++ 12.2.0", "2026-12-10 16:50 UTC", "400 random arguments per kernel"):
                self.assertIn(stamp, text, name)
        errors = svg_text(os.path.join(self.out, "fast_phase_errors.svg"))
        for phase in ("exp", "log", "sin", "cos", "tan", "asin", "atan", "sinh"):
            self.assertIn(f"{phase}: worst", errors)
        self.assertIn("1 in 100 handed on", errors)  # exp: 4 of 400

    def test_tables_count_what_the_sample_holds(self):
        self.assertIn("| exp | 400 | 4 | 1 in 100 | 0 |", self.tables)
        self.assertIn("| sin | 400 | 1 | 1 in 400 | 0 |", self.tables)
        self.assertIn("| cos | 400 | 0 | none | 0 |", self.tables)
        self.assertNotIn("| expm1 |", self.tables)  # one phase, nothing handed on
        # 17 random digits: 12 of the 60 texts, at -323 to -320 and 16.
        self.assertIn("| 17 random digits | 60 | 12 (20.00 %) | 12 | -323 to 16 |", self.tables)
        self.assertIn("| exactly a half-way point | 24 | 12 (50.00 %) | 12 | 14 to 17 |", self.tables)
        self.assertNotIn("above the bound", self.tables)

    def test_an_error_above_its_bound_is_marked(self):
        def worsen(data):
            sample = data["fast_phases"][1]["samples"][0]
            sample[1] = sample[2] * 1.5
        result, _, tables = draw_accuracy("above", worsen)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertRegex(tables, r"\| log \| [^|]* \| \d+ \| 1.500 \(above the bound\) \|")

    def test_a_picture_that_cannot_be_drawn_fails(self):
        def empty(data):
            data["reader"] = []
        result, _, _ = draw_accuracy("no_reader", empty)
        self.assertEqual(result.returncode, 1)
        self.assertIn("reader_rounding", result.stderr)


class FailedCharts(unittest.TestCase):
    def test_a_chart_that_cannot_be_drawn_fails_the_run(self):
        with open(os.path.join(SAMPLE, "benchmarks.json")) as f:
            data = json.load(f)
        for entry in data["benchmarks"]:
            if entry["run_name"] == "export/n_tasu/short_decimals/libc":
                entry["cpu_time"] = float("nan")
        out = os.path.join(OUT, "broken")
        os.makedirs(out, exist_ok=True)
        path = os.path.join(out, "benchmarks.json")
        with open(path, "w") as f:
            json.dump(data, f)
        result = run("speed", "--out", out, path)
        self.assertEqual(result.returncode, 1, result.stdout)
        self.assertIn("exports", result.stderr)

    def test_a_chart_without_figures_fails_where_every_chart_is_required(self):
        out = os.path.join(OUT, "partial")
        self.assertEqual(run("speed", "--out", out, os.path.join(SAMPLE, "benchmarks.json")).returncode, 0)
        result = run("speed", "--require", "--out", out, os.path.join(SAMPLE, "benchmarks.json"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("module32", result.stderr)

    def test_a_page_without_the_table_s_place_fails(self):
        out = os.path.join(OUT, "no_place")
        os.makedirs(out, exist_ok=True)
        page = os.path.join(out, "page.md")
        with open(page, "w") as f:
            f.write("# no tables here\n")
        result = run("speed", "--out", out, "--page", page, os.path.join(SAMPLE, "benchmarks.json"))
        self.assertNotEqual(result.returncode, 0)


if __name__ == "__main__":
    try:
        import matplotlib  # noqa: F401
    except ImportError:
        print("skipped: matplotlib is not installed (Debian python3-matplotlib, scripts/install-deps.sh bench)")
        sys.exit(77)
    unittest.main(argv=[sys.argv[0], "-v"])
