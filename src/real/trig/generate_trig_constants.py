#!/usr/bin/env python3
"""Writes trig_constants.h: the bits of 2/pi, pi/2 in pieces, atan(k/8), the
points m pi/512 of the fast sine and cosine and pi/512 in pieces, the expansions of the fast arc sine,
tangent and arc tangent, and pi/2 and atan(k/8) to 256 bits for the wide
evaluation.

Everything is computed here in exact rational and integer arithmetic (pi by
Machin's formula, the arc tangents by Euler's series, the expansions from the
differential equations of the functions), so the table depends on nothing
but this script. tests/real/trig/trig_constants_test.cpp recomputes every value
in C++ by an independent route and compares.

Usage: python3 generate_trig_constants.py > trig_constants.h
"""
from fractions import Fraction
import math
from math import isqrt
import pathlib
import sys

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
from exact_arithmetic import arc_series  # noqa: E402

PRECISION = 640  # fraction bits of every fixed-point value below
ONE = 1 << PRECISION
TWO_OVER_PI_WORDS = 10  # 320 bits after the binary point


def atan_inverse(m):
    """atan(1/m) * 2^PRECISION, truncated, for an integer m >= 3."""
    return arc_series(1, m, PRECISION, alternating=True)


def atan_ratio(p, q):
    """atan(p/q) * 2^PRECISION by Euler's series, for 0 < p <= q."""
    # atan(x) = x/(1+x^2) * sum_n prod_{j<=n} (2j/(2j+1)) * (x^2/(1+x^2))^n
    den = p * p + q * q
    term = ONE * p * q // den
    total, n = 0, 0
    while term:
        total += term
        n += 1
        term = term * 2 * n * p * p // ((2 * n + 1) * den)
    return total


PI = 16 * atan_inverse(5) - 4 * atan_inverse(239)  # error below 2^-630


def nearest(value):
    """The double nearest value (a Fraction)."""
    return float(value)


def split(value, pieces):
    """value as a sum of doubles, each the double nearest what is left."""
    out = []
    for _ in range(pieces):
        d = nearest(value)
        out.append(d)
        value -= Fraction(d)
    return out


def truncated(value, bits):
    """value truncated to `bits` significant bits (a double), and the rest."""
    exponent = value.numerator.bit_length() - value.denominator.bit_length()
    while Fraction(2) ** exponent > abs(value):
        exponent -= 1
    while Fraction(2) ** (exponent + 1) <= abs(value):
        exponent += 1
    scale = Fraction(2) ** (bits - 1 - exponent)
    head = Fraction(int(value * scale)) / scale
    return float(head), value - head


WIDE_WORDS = 10
WIDE_FRACTION_BITS = 256


def wide_words(value, indent="    "):
    """value * 2^256 rounded to an integer, as 32-bit words, least significant first."""
    n = int(value * 2 ** WIDE_FRACTION_BITS + Fraction(1, 2))
    words = [(n >> (32 * i)) & 0xFFFFFFFF for i in range(WIDE_WORDS)]
    lines = []
    for i in range(0, WIDE_WORDS, 5):
        lines.append(indent + ", ".join(f"0x{w:08X}u" for w in words[i:i + 5]) + ",")
    return "\n".join(lines)


SINE_TABLE_STEPS = 512  # the points m pi/512, m = 0 .. 511, of the fast sine and cosine


ARCTANGENT_EXPANSION_STEP = 256  # points i/256, i = 0 .. 256
TANGENT_TABLE_STEPS = 1024  # the points j pi/1024, j = 0 .. 256, of the fast tangent
TANGENT_DEGREE = 7  # its expansions' (their offsets are at most pi/2048)

EXPANSION_DEGREE = 8  # of the fast arc sine and tangent
# The expansion points of the fast arc sine: i/128 up to 1/2, then i/256 up
# to 3/4, i/512 up to 7/8 and i/1024 up to 15/16, so that |h| / (1 - x0)
# stays at most 2^-7.
ARCSINE_POINTS = ([(i, 128) for i in range(65)] + [(i, 256) for i in range(129, 193)] +
                  [(i, 512) for i in range(385, 449)] + [(i, 1024) for i in range(897, 961)])


def arcsine_point(p, q):
    """asin(x0 + h) = sum_k a_k h^k at x0 = p/q, a_0 .. a_EXPANSION_DEGREE (Fractions).

    a_0 by the series of asin, a_1 = 1/sqrt(1 - x0^2) by the integer root, and
    the others from (1 - x^2) y'' = x y':
    a_(k+2) = (x0 (k+1)(2k+1) a_(k+1) + k^2 a_k) / ((1 - x0^2)(k+2)(k+1))."""
    # asin x = sum_n t_n / (2n+1), t_0 = x, t_(n+1) = t_n x^2 (2n+1)/(2n+2)
    total, term, n = 0, ONE * p // q, 0
    while term:
        total += term // (2 * n + 1)
        term = term * p * p * (2 * n + 1) // (q * q * (2 * n + 2))
        n += 1
    x0 = Fraction(p, q)
    u = 1 - x0 * x0
    a = [Fraction(total, ONE), Fraction(isqrt(ONE * ONE * q * q // (q * q - p * p)), ONE)]
    a.append(x0 * a[1] / (2 * u))
    for k in range(1, EXPANSION_DEGREE + 8):
        a.append((x0 * (k + 1) * (2 * k + 1) * a[k + 1] + k * k * a[k]) / (u * (k + 2) * (k + 1)))
    return a


def expansion_bounds(a, x0, h, floor=1, degree=EXPANSION_DEGREE):
    # floor != 1: the function is atan, bounded below by its value at low
    """log2 of the bounds, relative to the function over [x0 - h, x0 + h], of
    the terms from a2 on and of the terms beyond the degree (to a_(degree + 9);
    the later ones shrink by 2^-7 each), all at |h|. The function is at least
    its argument (asin, tan), or for atan its value at the low end.
    About 0, where the terms are odd powers, each over |h| grows with |h|."""
    low = max(x0 - h, h)
    if floor != 1:  # atan: its value at low, a little less
        low = Fraction(math.atan(low) * (1 - 1e-12))
    terms = [abs(a[k]) * h ** k for k in range(len(a))]
    return (math.log2(sum(terms[2:degree + 1]) / low),
            math.log2(sum(terms[degree + 1:]) / low))


def arctangent_point(i):
    """atan(x0 + h) = sum_k c_k h^k at x0 = i/256, c_0 .. c_(degree + 9): c_0 by
    Euler's series, c_1 = 1/(1 + x0^2), the others from (1 + x^2) y'' + 2x y' = 0:
    c_(k+2) = -(2 x0 (k+1) c_(k+1) + k c_k) / ((1 + x0^2)(k + 2))."""
    x0 = Fraction(i, ARCTANGENT_EXPANSION_STEP)
    c = [Fraction(atan_ratio(i, ARCTANGENT_EXPANSION_STEP), ONE) if i else Fraction(0), 1 / (1 + x0 * x0)]
    for k in range(EXPANSION_DEGREE + 8):
        c.append(-(2 * x0 * (k + 1) * c[k + 1] + k * c[k]) / ((1 + x0 * x0) * (k + 2)))
    return c


def arctangent_point_beyond_one(i):
    """atan(x0 + h) = sum_k c_k h^k at x0 = 2^e (1 + j/128), e = i >> 7,
    j = i & 127 (1 <= x0 <= 4): c_0 = pi/2 - atan(1/x0) (pi/4 at x0 = 1),
    the others by the recurrence of arctangent_point."""
    x0 = Fraction(2 ** (i >> 7)) * (1 + Fraction(i & 127, 128))
    p, q = x0.numerator, x0.denominator
    c0 = PI // 2 - atan_ratio(q, p) if p > q else PI // 4
    c = [Fraction(c0, ONE), 1 / (1 + x0 * x0)]
    for k in range(EXPANSION_DEGREE + 8):
        c.append(-(2 * x0 * (k + 1) * c[k + 1] + k * c[k]) / ((1 + x0 * x0) * (k + 2)))
    return c, x0


def tangent_point(j):
    """tan(x0 + h) = sum_k b_k h^k at x0 = j pi/1024, b_0 .. b_(degree + 9):
    b_0 = sin x0 / cos x0 (to 2^-600), the others from y' = 1 + y^2:
    b_(k+1) = ([k = 0] + sum_j b_j b_(k-j)) / (k + 1)."""
    sine, cosine = sine_cosine_fixed(j * PI // TANGENT_TABLE_STEPS)
    b = [Fraction(round(sine / cosine * 2**600), 2**600)]
    for k in range(EXPANSION_DEGREE + 9):
        b.append((Fraction(k == 0) + sum(b[j] * b[k - j] for j in range(k + 1))) / (k + 1))
    return b


def expansion_row(a, x0, degree=EXPANSION_DEGREE):
    """{a0 hi, a0 lo, a1 head (26 bits), a1 tail, a2 .. a_degree, x0}."""
    head, rest = truncated(a[1], 26)
    row = split(a[0], 2) + [head, nearest(rest)] + [nearest(v) for v in a[2:degree + 1]]
    return row + [nearest(x0)]


def expansion_rows(expansions, floor=1, degree=EXPANSION_DEGREE):
    """The table rows for (coefficients, x0, h) triples, and the worst bounds
    (log2, relative) over them of the terms from the second on and of the
    dropped ones."""
    worst_terms, worst_dropped = -1000.0, -1000.0
    rows = []
    for a, x0, h in expansions:
        terms, dropped = expansion_bounds(a, x0, h, floor=floor, degree=degree)
        worst_terms, worst_dropped = max(worst_terms, terms), max(worst_dropped, dropped)
        rows.append(expansion_row(a, x0, degree))
    return rows, worst_terms, worst_dropped


def print_bounds(name, first, worst_terms, worst_dropped):
    """The bounds of a table's rows, as a comment and as constants (log2,
    rounded up to hundredths) that the error budgets beside the code cite."""
    terms, dropped = (math.ceil(v * 100) / 100 for v in (worst_terms, worst_dropped))
    print(f"// the terms from {first} on below 2^{terms:.2f}, the dropped ones below 2^{dropped:.2f}.")
    print(f"inline constexpr double {name}_terms_log2 = {terms:.2f};")
    print(f"inline constexpr double {name}_dropped_log2 = {dropped:.2f};")


def print_expansion_table(name, rows, degree=EXPANSION_DEGREE):
    print(f"inline constexpr int {name}_row_count = {len(rows)};")
    print(f"inline constexpr double {name}_table[{name}_row_count][{degree + 4}] = {{")
    for row in rows:
        print("    {" + ", ".join(v.hex() for v in row) + "},")
    print("};")


def on_grid(value, unit_exponent):
    """The multiple of 2^unit_exponent nearest value (a Fraction), as a double."""
    scaled = value * Fraction(2) ** -unit_exponent
    n = math.floor(scaled + Fraction(1, 2))
    return float(Fraction(n) * Fraction(2) ** unit_exponent)


def rounded_to_bits(value, bits):
    """value rounded to nearest with `bits` significant bits, as a double."""
    if value == 0:
        return 0.0
    exponent = math.frexp(float(abs(value)))[1]  # 2^(exponent-1) <= |value| < 2^exponent, near enough
    head = on_grid(value, exponent - bits)
    if abs(Fraction(head)) >= Fraction(2) ** exponent:  # rounded up into the next binade
        head = on_grid(value, exponent + 1 - bits)
    return head


def step_pieces(step, grids):
    """step as three pieces on the given grids and the nearest double to the rest."""
    pieces, rest = [], step
    for g in grids:
        pieces.append(on_grid(rest, g))
        rest -= Fraction(pieces[-1])
    return pieces + [nearest(rest)]


def print_short_step_pieces(name, step, grids):
    """The step in three pieces for quotients below 2^15 (arguments below 64):
    two of at most 38 bits on the grids and the nearest double to the rest."""
    pieces = step_pieces(step, grids)
    print(f"// For |x| < 64 (quotients below 2^15) the step is c1 + c2 + c3 + O(2^-138),")
    print(f"// c1 and c2 multiples of 2^{grids[0]} and 2^{grids[1]} of at most 38 significant bits.")
    for i, value in enumerate(pieces):
        print(f"inline constexpr double {name}_short_step_c{i + 1} = {value.hex()};")


def sine_cosine_fixed(theta):
    """sin and cos of theta / 2^PRECISION (an integer, 0 <= theta < 4), times
    2^PRECISION, by their Taylor series."""
    sine, cosine = 0, 0
    term, n = ONE, 0  # theta^n / n!
    while term:
        sign = -1 if (n // 2) % 2 else 1
        if n % 2:
            sine += sign * term
        else:
            cosine += sign * term
        n += 1
        term = term * theta // (ONE * n)
    return Fraction(sine, ONE), Fraction(cosine, ONE)


def main():
    pi = Fraction(PI, ONE)
    half_pi = pi / 2
    two_over_pi = (ONE * ONE * 2) // PI  # 2/pi * 2^PRECISION
    words = []
    bits = two_over_pi >> (PRECISION - 32 * TWO_OVER_PI_WORDS)
    for i in range(TWO_OVER_PI_WORDS):
        words.append((bits >> (32 * (TWO_OVER_PI_WORDS - 1 - i))) & 0xFFFFFFFF)

    c1, rest = truncated(half_pi, 33)
    c2, rest = truncated(rest, 33)
    c3, rest = truncated(rest, 33)
    c4 = nearest(rest)
    hp = split(half_pi, 2)

    print("// Generated by generate_trig_constants.py; do not edit.")
    print("// Checked against an independent computation by trig_constants_test.cpp.")
    print("#pragma once")
    print()
    print("#include <cstdint>")
    print()
    print('#include "real/double_double.h"')
    print()
    print("namespace vyxmath::trig_constants {")
    print()
    print(f"// The bits of 2/pi after the binary point, most significant word first,")
    print(f"// truncated to {32 * TWO_OVER_PI_WORDS} bits.")
    print(f"inline constexpr int two_over_pi_word_count = {TWO_OVER_PI_WORDS};")
    print("inline constexpr std::uint32_t two_over_pi_words[two_over_pi_word_count] = {")
    for i in range(0, len(words), 5):
        print("    " + ", ".join(f"0x{w:08X}u" for w in words[i:i + 5]) + ",")
    print("};")
    print()
    print("// pi/2 = c1 + c2 + c3 + c4 + O(2^-150): c1, c2 and c3 hold 33 significant")
    print("// bits each, so their products with a quotient below 2^20 are exact.")
    for name, value in (("half_pi_c1", c1), ("half_pi_c2", c2), ("half_pi_c3", c3), ("half_pi_c4", c4)):
        print(f"inline constexpr double {name} = {value.hex()};")
    print()
    print("// pi/2 to 107 bits.")
    print(f"inline constexpr double_double half_pi = {{{hp[0].hex()}, {hp[1].hex()}}};")
    print()
    print("// atan(k/8) to 107 bits, k = 0 .. 8.")
    print("inline constexpr double_double atan_of_eighths[9] = {")
    print("    {0x0p+0, 0x0p+0},")
    for k in range(1, 9):
        a = split(Fraction(atan_ratio(k, 8), ONE), 2)
        print(f"    {{{a[0].hex()}, {a[1].hex()}}},")
    print("};")
    print()
    step = pi / SINE_TABLE_STEPS
    # The pieces of pi/512 on fixed grids: with a quotient k below 2^28
    # (arguments below 2^20), k c1, k c2 and k c3 are exact, and x - k c1 -
    # k c2 is exact for every such x (all three are multiples of 2^-61).
    p1, p2, p3, p4 = step_pieces(step, (-32, -57, -82))
    print(f"// The points m pi/{SINE_TABLE_STEPS} of the fast sine and cosine: {SINE_TABLE_STEPS}/pi, and pi/{SINE_TABLE_STEPS} = c1 + c2 +")
    print("// c3 + c4 + O(2^-136) with c1, c2 and c3 multiples of 2^-32, 2^-57 and 2^-82")
    print("// of at most 25 significant bits.")
    print(f"inline constexpr int sine_table_steps = {SINE_TABLE_STEPS};")
    print(f"inline constexpr double sine_steps_per_radian = {nearest(1 / step).hex()};")
    for name, value in (("sine_step_c1", p1), ("sine_step_c2", p2), ("sine_step_c3", p3), ("sine_step_c4", p4)):
        print(f"inline constexpr double {name} = {value.hex()};")
    print_short_step_pieces("sine", step, (-45, -84))
    print(f"// sin a and cos a at a = m pi/{SINE_TABLE_STEPS}, m = 0 .. {SINE_TABLE_STEPS - 1}, as {{sin hi, sin lo, cos head,")
    print("// cos tail}: sin a to 107 bits, cos a as a head of 27 significant bits (its")
    print("// products with 26-bit halves are exact) and the nearest double to the rest.")
    print(f"inline constexpr double sine_cosine_table[sine_table_steps][4] = {{")
    for m in range(SINE_TABLE_STEPS):
        # To 2^-600, far beyond what the doubles hold, so that sin(pi/2) and
        # cos(pi/2) come out as exactly 1 and 0 despite pi's last bits.
        sv, cv = (Fraction(round(v * 2**600), 2**600) for v in sine_cosine_fixed(m * PI // SINE_TABLE_STEPS))
        a = split(sv, 2)
        head = rounded_to_bits(cv, 27)
        print(f"    {{{a[0].hex()}, {a[1].hex()}, {head.hex()}, {nearest(cv - Fraction(head)).hex()}}},")
    print("};")
    print()
    print("// asin about the points x0 = i/128, i = 0 .. 64, then i/256, i = 129 .. 192,")
    print("// i/512, i = 385 .. 448, and i/1024, i = 897 .. 960:")
    print("// the rows of the fast arc sine, {a0 hi, a0 lo, a1 head, a1 tail, a2 .. a8, x0}")
    print("// with asin(x0 + h) = sum a_k h^k, a0 to 107 bits, a1 = head + tail with a")
    print("// head of 26 significant bits (its products with a split double are exact),")
    print("// the others the nearest doubles. Over |h| <= 1/256 (1/512 from 1/2 on,")
    print("// 1/1024 from 3/4 on, 1/2048 from 7/8 on),")
    print("// relative to asin(x0 + h):")
    rows, worst_terms, worst_dropped = expansion_rows(
        (arcsine_point(p, q), Fraction(p, q), Fraction(1, 2 * q)) for p, q in ARCSINE_POINTS)
    print_bounds("arcsine", "a2", worst_terms, worst_dropped)
    print(f"inline constexpr int expansion_degree = {EXPANSION_DEGREE};")
    print_expansion_table("arcsine", rows)
    print()
    step = pi / TANGENT_TABLE_STEPS
    # The quotient k stays below 2^28.4: pieces of 24 bits, and x - k c1 -
    # k c2 exact (multiples of 2^-62).
    pieces = step_pieces(step, (-32, -56, -80))
    print(f"// The fast tangent reduces by pi/{TANGENT_TABLE_STEPS}: {TANGENT_TABLE_STEPS}/pi, and pi/{TANGENT_TABLE_STEPS} = c1 + c2 + c3 + c4 +")
    print("// O(2^-134) with c1, c2 and c3 multiples of 2^-32, 2^-56 and 2^-80 of at")
    print("// most 24 significant bits.")
    print(f"inline constexpr int tangent_table_steps = {TANGENT_TABLE_STEPS};")
    print(f"inline constexpr double tangent_steps_per_radian = {nearest(1 / step).hex()};")
    for i, value in enumerate(pieces):
        print(f"inline constexpr double tangent_step_c{i + 1} = {value.hex()};")
    print_short_step_pieces("tangent", step, (-46, -85))
    # |h| up to half a step and the rounding of x 1024/pi (2^-23.6 of a step).
    reach = step * (Fraction(1, 2) + Fraction(1, 2**23))
    print(f"// tan about x0 = j pi/{TANGENT_TABLE_STEPS}, j = 0 .. 256: the rows of the fast tangent, laid out as")
    print(f"// those of the arc sine but of degree {TANGENT_DEGREE}. Over |h| <= (1/2 + 2^-23) pi/{TANGENT_TABLE_STEPS}, relative to")
    print("// tan(x0 + h):")
    rows, worst_terms, worst_dropped = expansion_rows(
        ((tangent_point(j), step * j, reach) for j in range(TANGENT_TABLE_STEPS // 4 + 1)), degree=TANGENT_DEGREE)
    print_bounds("tangent", "b2", worst_terms, worst_dropped)
    print(f"inline constexpr int tangent_degree = {TANGENT_DEGREE};")
    print_expansion_table("tangent", rows, TANGENT_DEGREE)
    print()
    step = ARCTANGENT_EXPANSION_STEP
    print(f"// atan about x0 = i/{step}, i = 0 .. {step}: the rows of the fast arc tangent, laid out")
    print(f"// as those of the arc sine. Over |h| <= 1/{2 * step}, relative to atan(x0 + h):")
    rows, worst_terms, worst_dropped = expansion_rows(
        ((arctangent_point(i), Fraction(i, step), Fraction(1, 2 * step)) for i in range(step + 1)), floor=0)
    print_bounds("arctangent_expansion", "c2", worst_terms, worst_dropped)
    print(f"inline constexpr int arctangent_expansion_step = {step};")
    print_expansion_table("arctangent_expansion", rows)
    print()
    print("// atan about x0 = 2^(i >> 7) (1 + (i & 127)/128), i = 0 .. 256, from 1 to 4: the rows")
    print("// of the fast arc tangent past 1, laid out as those above. Over |h| <= 2^(i >> 7)/256,")
    print("// relative to atan(x0 + h):")
    points = [arctangent_point_beyond_one(i) for i in range(257)]
    rows, worst_terms, worst_dropped = expansion_rows(
        ((c, x0, Fraction(2 ** (i >> 7), 256)) for i, (c, x0) in enumerate(points)), floor=0)
    print_bounds("arctangent_beyond_one", "c2", worst_terms, worst_dropped)
    print_expansion_table("arctangent_beyond_one", rows)
    print()
    print("// The same values to 256 bits after the binary point (rounded to nearest),")
    print("// as ten 32-bit words, least significant first: the constants of the")
    print("// wide evaluation (wide_fixed.h).")
    print(f"inline constexpr int wide_word_count = {WIDE_WORDS};")
    print("inline constexpr std::uint32_t half_pi_wide[wide_word_count] = {")
    print(wide_words(half_pi))
    print("};")
    print("inline constexpr std::uint32_t atan_of_eighths_wide[9][wide_word_count] = {")
    for k in range(0, 9):
        print("    {")
        print(wide_words(Fraction(atan_ratio(k, 8), ONE) if k else Fraction(0), " " * 8))
        print("    },")
    print("};")
    print()
    print("}  // namespace vyxmath::trig_constants")


if __name__ == "__main__":
    main()
