// INTERIM: stands in for the module's own number text writer until it lands.
#include <cstdint>
#include <cstdio>

#include "vyxmath.h"

char* vyxmath::write_number(double value, std::int32_t digits, char* buffer) {
    std::snprintf(buffer, digits < 1 ? 8 : digits + 8, "%.*g", digits < 1 ? 1 : digits, value);
    return buffer;
}
