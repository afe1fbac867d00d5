#include "translation.h"

#include "message.h"

#ifdef VYXMATH_NLS
#include <libintl.h>
#include <unistd.h>

#include <clocale>
#include <string>
#endif

namespace vyxmath::host {

std::string tr_format(const char* english, std::initializer_list<std::string_view> values) {
    std::string text;
    substitute(tr(english), values, [&text](std::string_view piece) { text += piece; });
    return text;
}

#ifdef VYXMATH_NLS

namespace {
constexpr const char* domain = "vyxmath";
}

void start_translation() {
    // Messages and characters only: nothing the host computes or prints as
    // a number depends on the locale.
    std::setlocale(LC_MESSAGES, "");
    std::setlocale(LC_CTYPE, "");
    std::string exe(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    if (length <= 0) return;
    exe.resize(static_cast<std::size_t>(length));
    const std::size_t bin = exe.rfind('/');
    const std::size_t prefix = exe.rfind('/', bin == 0 ? 0 : bin - 1);
    if (bin == std::string::npos || prefix == std::string::npos) return;
    const std::string locale_dir = exe.substr(0, prefix) + "/share/locale";
    bindtextdomain(domain, locale_dir.c_str());
    bind_textdomain_codeset(domain, "UTF-8");
    textdomain(domain);
}

const char* tr(const char* english) { return dgettext(domain, english); }

#else

void start_translation() {}
const char* tr(const char* english) { return english; }

#endif

}  // namespace vyxmath::host
