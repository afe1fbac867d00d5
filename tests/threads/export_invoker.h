// Calls any of the 35 exports through one uniform record of arguments, with
// exactly the parameter types that the public header declares for it. The
// table of callers is built from the export list, so it has the same rows in
// the same order as vyxmath::export_table.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "frame/export_table.h"
#include "vyxmath.h"

namespace vyxmath::test {

// What an export may receive in each slot p1..p4: the text variable, the
// integer variable (p1 only) or the integer value. A slot's kind in the
// export table decides which of the three the export is given.
struct ExportArguments {
    std::array<char*, 4> text{};
    std::int32_t* integer_variable = nullptr;
    std::array<std::int32_t, 4> value{};
};

using ExportCaller = std::int32_t (*)(ExportArguments&);

namespace detail {

template <class Parameter>
Parameter slot_argument(ExportArguments& args, int slot) {
    if constexpr (std::is_same_v<Parameter, char*> || std::is_same_v<Parameter, const char*>)
        return args.text[slot];
    else if constexpr (std::is_same_v<Parameter, std::int32_t*>)
        return args.integer_variable;
    else {
        static_assert(std::is_same_v<Parameter, std::int32_t>, "unexpected parameter type in vyxmath.h");
        return args.value[slot];
    }
}

template <class P1, class P2, class P3, class P4>
std::int32_t invoke(std::int32_t(VYX_CALL* export_function)(P1, P2, P3, P4), ExportArguments& args) {
    return export_function(slot_argument<P1>(args, 0), slot_argument<P2>(args, 1), slot_argument<P3>(args, 2),
                           slot_argument<P4>(args, 3));
}

#define VYX_EXPORT(name, p1, p2, p3, p4) +[](ExportArguments& args) { return invoke(&::name, args); },
inline constexpr ExportCaller callers[] = {
#include "frame/export_list.inc"
};
#undef VYX_EXPORT

}  // namespace detail

// export_callers[i] calls export_table[i].
inline constexpr std::array<ExportCaller, export_count> export_callers = [] {
    static_assert(std::size(detail::callers) == export_count);
    std::array<ExportCaller, export_count> callers{};
    for (std::size_t i = 0; i < export_count; ++i) callers[i] = detail::callers[i];
    return callers;
}();

}  // namespace vyxmath::test
