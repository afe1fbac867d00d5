"""Exact arithmetic shared by the table generators of the real-valued
functions: the arc series of atan and atanh on whole numbers, and ln 2 from
it, the one way the generators compute it.

Each value is a whole number standing for value * 2^bits, truncated term by
term, so within a few units of its last place.
"""


def arc_series(p, q, bits, alternating=False):
    """atanh(p/q) * 2^bits (atan(p/q) with alternating), for |p/q| < 1/2:
    sum over n of (+-1)^n (p/q)^(2n+1) / (2n+1), each power truncated."""
    if p < 0:
        return -arc_series(-p, q, bits, alternating)
    term = (1 << bits) * p // q
    total, n, sign = 0, 0, 1
    while term:
        total += sign * (term // (2 * n + 1))
        term = term * p * p // (q * q)
        n += 1
        if alternating:
            sign = -sign
    return total


def ln2(bits):
    """ln 2 * 2^bits = 2 atanh(1/3) * 2^bits, within a few units."""
    return 2 * arc_series(1, 3, bits)
