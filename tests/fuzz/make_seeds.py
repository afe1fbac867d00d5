#!/usr/bin/env python3
"""Regenerates the seed corpora of the fuzz targets (corpus/<target>/).

Each seed file is named after a hash of its content, as libFuzzer names the
inputs it keeps, so running this again rewrites the same files. Seeds only
steer the fuzzers towards the interesting regions; they assert nothing.
"""
import hashlib
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent


def write_corpus(target, inputs):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for data in inputs:
        (folder / hashlib.sha1(data).hexdigest()).write_bytes(data)


# Number text: every branch of the scanner, the clamps, the rounding corners.
NUMBER_TEXTS = [
    "", "0", "1", "-1", "+7", "  12.5", "\t\n 42", "\x0b\x0c7", "\xa01", "-.5", ".", ".e5", "e5",
    "-", "- 5", "--1", "+-1", "1e3", "1E+3", "1d3", "1D-2", "3.", "5.e3", "0001.5000", "1.5e",
    "1e+", "1e-", "1e0005", "1e00", "1e-0", "0.e5", "000", "abc", "-0", "-0.0", "-0e99999",
    "0x10", "inf", "nan", "1,5", "1+2", "1-2", "1.2.3", "1e5.5", "1e400", "1e5200", "1e99999",
    "-1e400", "1e-400", "1e-5200", "1e-5201", "-1e-400", "1.7976931348623157e308",
    "1.7976931348623158e308", "1.7976931348623159e308", "2.2250738585072014e-308", "1e-310",
    "4.9406564584124654e-324", "7.4e-324", "8e-324", "3e-324", "2.4703282292062328e-324",
    "9007199254740993", "9007199254740995", "4503599627370497.5", "18014398509481987",
    "66287682351673492627e-33", "1" + "0" * 30, "0." + "0" * 29 + "1", "0.1",
    "0." + "0" * 5999 + "1e6000", "1" + "0" * 400, "9" * 25, "9" * 24 + "5", "1" * 40 + "e-20",
    "123456789012345678901234567890", "0.000000000000000000000000000000000012345",
    "1.#INF", "-1.#IND", "1.#QNAN", "\xef\xbc\x91", "1\x002",
]

# write_number: (bit pattern, digits).
def f64(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]

WRITE_CASES = [
    (f64(1.0), 8), (f64(0.5), 8), (f64(0.1), 8), (f64(0.05), 8), (f64(2.5e-7), 8),
    (f64(3.14159265358979), 8), (f64(2 / 3), 8), (f64(0.3 - 0.1), 8), (f64(-123.456), 8),
    (f64(12345678.0), 8), (f64(100000000.0), 8), (f64(123456789.0), 8), (f64(6.02e23), 8),
    (f64(-1e-300), 8), (0x7FEFFFFFFFFFFFFF, 8), (0x0000000000000001, 8), (0, 8),
    (0x8000000000000000, 8), (f64(99999999.5), 8), (f64(9.9999999999), 8),
    (f64(0.099999999999), 8), (f64(2.00000015), 8), (f64(0.25), 1), (f64(-1.5), 1),
    (f64(0.96), 1), (f64(9.6), 1), (f64(0.05), 1), (f64(123456789.0), 1), (f64(100.0), 3),
    (f64(0.1), 17), (f64(1 / 3), 17), (f64(496682386976504.375), 17),
    (f64(496682386976504.375), 16), (f64(1 / 3), 25), (f64(1e20), 25), (f64(2.0**70), 25),
    (0x7FF0000000000000, 8), (0xFFF0000000000000, 8), (0xFFF8000000000000, 8),
    (0x7FF8000000000000, 8), (0x7FF0000000000001, 8), (0x7FF0000000000000, 2),
    (0x7FF8000000000000, 5), (0x7FEFFFFFFFFFFFFF, 1), (f64(1.0), 1000), (f64(-1e-300), 1000),
    (f64(1.0), -1), (f64(-1.0), -1), (f64(-123.456), -1000), (0xFFF8000000000000, -5),
    (f64(5.0), 0), (0x000FFFFFFFFFFFFF, 17),
]

write_corpus("fuzz_read_number", [t.encode("latin-1") for t in NUMBER_TEXTS])
write_corpus("fuzz_write_number", [struct.pack("<Qh", bits, d) for bits, d in WRITE_CASES])


# Every export: byte 0 the row of the export list, byte 1 flags (bit 0: the
# same text variable as p1 and p2), four little-endian int32 slot values,
# then p1's text, a NUL and p2's text.
def export_rows():
    rows = []
    for line in (HERE.parent.parent / "src" / "frame" / "export_list.inc").read_text().splitlines():
        if line.startswith("VYX_EXPORT("):
            name, *kinds = [w.strip() for w in line[len("VYX_EXPORT("):-1].split(",")]
            rows.append((name, kinds))
    return rows


SLOT_CHOICES = {
    "DIGITS": [0, 1, 8, 17, -3, 40],
    "ANGLE_UNIT": [0, 1, 2],
    "INT_IN": [0, 1, -1, 5, 13, 34, 97, -2147483648, 2147483647],
    "IGNORED": [0],
    "INT_OUT": [0],
    "TEXT_IN": [0],
    "TEXT_OUT": [0],
    "TEXT_IN_OUT": [0],
}
TEXT_PAIRS = [("1.5", "2.25"), ("-7", "3"), ("0", "0"), ("1e308", "-1e-310"), ("abc", "1e999"),
              ("0.5", "90"), ("2", "-1")]


def export_seeds():
    seeds = []
    for row, (name, kinds) in enumerate(export_rows()):
        for i in range(12):
            values = []
            for kind in kinds:
                choices = SLOT_CHOICES[kind]
                values.append(choices[(i * 7 + len(values) * 3) % len(choices)])
            p1, p2 = TEXT_PAIRS[i % len(TEXT_PAIRS)]
            flags = 1 if i == 5 else 0
            seeds.append(bytes([row, flags]) + struct.pack("<4i", *values)
                         + p1.encode() + b"\0" + p2.encode())
    return seeds


write_corpus("fuzz_exports", export_seeds())


# The host's batch mode: byte 0 picks the read block size, the rest is the
# input, good and bad lines mixed.
BATCH_INPUTS = [
    b"n_tasu 1.5 2.25\n",
    b"n_tasu 1.5 2.25\nn_waru 1 3 17\n\"n_hiku\" \"0.3\" \"0.1\"\n",
    b"n_sin 30 1\nn_sin 30 2 8\nn_cos \"1e999\" 0 0\r\nn_atanex 1 -1",
    b"n_bitsft 1 31 1\nn_gcd 2147483647 -2147483648\nn_gcd 2 2147483648\nn_gcd 2 -2147483649\n",
    b"n_sosu 7\nn_sosu\nn_sosu 1 2\nn_rand 0\nn_kaijo +5\nn_kaijo -\nn_kaijo 0x10\n",
    b"n_poisson 2 3 8\nn_poisson 2 3 4096\nn_poisson 2 3 4097\nn_tasu 1 2 -2147483648\n",
    b"n_foo 1\nN_TASU 1 2\n_n_tasu@16 1 2\n\n  \t \n",
    b"n_fabs \"a\\\"b\\\\c\\n\\t\\r\"\nn_fabs \"abc\nn_fabs \"a\\q\"\nn_fabs \"a\"b\nn_fabs a\"b\"\n",
    b"n_fabs a\x00b\nn_fabs \xc3\nn_fabs \xc3\xa9\nn_fabs \xed\xa0\x80\nn_fabs \xc0\x80\nn_fabs \xf4\x90\x80\x80\n",
    b"a b c d e f g h\na b c d e f g h i\nn_tasu 1 2 3 4\nn_ceil\nn_ceil 2.5\n",
    b"n_fabs " + b"8" * 65529 + b"\nn_gcd 1 1\n",
    b"n_fabs " + b"9" * 65530 + b"\r\nn_gcd 1 1\n",
    b" " * 66000 + b"\nn_gcd 3 3",
    b"\r\n\r\r\n\n",
]


def batch_seeds():
    return [bytes([i % 6]) + data for i, data in enumerate(BATCH_INPUTS)]


write_corpus("fuzz_batch_lines", batch_seeds())
