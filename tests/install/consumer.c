/* A program built against the installed library: adds 1.5 and 2.25 through
 * n_tasu and prints the text it writes, 3.75. */
#include <stdio.h>
#include <vyxmath.h>
#include <vyxmath_version.h>

int main(void) {
    char a[32] = "1.5";
    if (n_tasu(a, "2.25", 0, 0) != 0) return 1;
    if (VYXMATH_VERSION_MAJOR < 1) return 1;
    puts(a);
    return 0;
}
