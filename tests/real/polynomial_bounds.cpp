// Writes a Sollya script that checks the polynomials of the fast phases
// against the bounds their error budgets count, from the same constants:
// every stored coefficient is the double (or pair) nearest its exact value,
// and supnorm, a rigorous bound over the whole interval, holds what each
// truncated series leaves out below its named term. The script prints one
// line per check, "exceeds" on a failure, and "all polynomial bounds hold"
// at the end when none failed. Run as: vyxmath_polynomial_bounds | sollya
#include <cstdio>
#include <string>

#include "real/kernels/exponential_detail.h"
#include "real/trig/circular_detail.h"
#include "real/trig/hyperbolic_detail.h"

namespace {

using namespace vyxmath;

std::string hex(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", v);
    return text;
}

void coefficient(const char* name, double stored, const char* exact) {
    std::printf("if %s != round(%s, D, RN) then { print(\"exceeds: %s is not the double nearest %s\"); failed = true; }"
                " else print(\"ok: %s\");\n",
                hex(stored).c_str(), exact, name, exact, name);
}

void pair_coefficient(const char* name, double_double stored, const char* exact) {
    std::printf("if %s + %s != round(%s, DD, RN) then { print(\"exceeds: %s is not the pair nearest %s\"); "
                "failed = true; } else print(\"ok: %s\");\n",
                hex(stored.hi).c_str(), hex(stored.lo).c_str(), exact, name, exact, name);
}

// sup over [low, high] of |taylor - f| (relative to f where `relative`)
// against the bound, both in Sollya's syntax, the bound a budget's named
// term.
void truncation(const char* name, const char* taylor, const char* f, double low, double high, double bound,
                bool relative = false) {
    std::printf("e = supnorm(%s, %s, [%s; %s], %s, 2^-20);\n", taylor, f, hex(low).c_str(), hex(high).c_str(),
                relative ? "relative" : "absolute");
    std::printf("if sup(e) <= %s then print(\"ok: %s leaves out 2^\", round(log2(sup(e)), 24, RN), \" <= 2^\", "
                "round(log2(%s), 24, RN)) else { print(\"exceeds: %s leaves out 2^\", round(log2(sup(e)), 24, RN)); "
                "failed = true; };\n",
                hex(bound).c_str(), name, hex(bound).c_str(), name);
}

}  // namespace

int main() {
    std::printf("prec = 300!;\ndisplay = decimal;\nfailed = false;\n");

    namespace ep = fast_exp_polynomial;
    coefficient("exp c2", ep::c2, "1/2");
    coefficient("exp c3", ep::c3, "1/6");
    coefficient("exp c4", ep::c4, "1/24");
    coefficient("exp c5", ep::c5, "1/120");
    coefficient("exp c6", ep::c6, "1/720");
    truncation("the exponential's polynomial", "1 + x + x^2/2 + x^3/6 + x^4/24 + x^5/120 + x^6/720", "exp(x)",
               -ep::reach, ep::reach, ep::truncation);

    namespace sp = fast_sine_polynomials;
    coefficient("sine s3", sp::s3, "-1/6");
    coefficient("sine s5", sp::s5, "1/120");
    coefficient("sine s7", sp::s7, "-1/5040");
    coefficient("cosine c2", sp::c2, "-1/2");
    coefficient("cosine c4", sp::c4, "1/24");
    coefficient("cosine c6", sp::c6, "-1/720");
    truncation("the sine's polynomial", "x - x^3/6 + x^5/120 - x^7/5040", "sin(x)", -sp::reach, sp::reach,
               sp::sine_truncation);
    truncation("the cosine's polynomial", "1 - x^2/2 + x^4/24 - x^6/720", "cos(x)", -sp::reach, sp::reach,
               sp::cosine_truncation);

    // The odd series relative to a, from their error relative to f: tanh
    // lies below a, so that bound is the larger; sinh lies above a by less
    // than 1.0027 times, taken off the bound.
    pair_coefficient("sinh c1", sinh_series_c1, "1/6");
    const char* sinh_exact[] = {"1/120", "1/5040", "1/362880", "1/39916800", "1/6227020800"};
    for (int j = 0; j < 5; ++j) coefficient(("sinh c" + std::to_string(j + 2)).c_str(), sinh_series_tail[j], sinh_exact[j]);
    truncation("the sinh series",
               "x + x^3/6 + x^5/120 + x^7/5040 + x^9/362880 + x^11/39916800 + x^13/6227020800", "sinh(x)", 0x1p-27,
               sinh_series_limit, sinh_series_truncation / 1.0027, true);
    pair_coefficient("tanh c1", tanh_series_c1, "-1/3");
    const char* tanh_exact[] = {"2/15",          "-17/315",        "62/2835",           "-1382/155925",
                                "21844/6081075", "-929569/638512875", "6404582/10854718875"};
    for (int j = 0; j < 7; ++j) coefficient(("tanh c" + std::to_string(j + 2)).c_str(), tanh_series_tail[j], tanh_exact[j]);
    truncation("the tanh series",
               "x - x^3/3 + 2/15*x^5 - 17/315*x^7 + 62/2835*x^9 - 1382/155925*x^11 + 21844/6081075*x^13"
               " - 929569/638512875*x^15 + 6404582/10854718875*x^17",
               "tanh(x)", 0x1p-27, tanh_series_limit, tanh_series_truncation, true);

    std::printf("if !failed then print(\"all polynomial bounds hold\");\nquit;\n");
}
