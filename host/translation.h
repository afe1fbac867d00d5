// The host's messages in the user's language: GNU gettext looks each English
// message up in the catalogue of the language the locale asks for
// (LANG=ja_JP.UTF-8, or LANGUAGE=ja), and English stays where there is no
// catalogue, no such locale, or a build without gettext (Windows). Messages
// with values write them as {1}, {2}, ... so that a translation can put
// them in its own order (Message::add_format).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vyxmath::host {

// Takes the language from the environment and finds the catalogue in
// share/locale beside the executable's folder (bin/../share/locale), where
// both the build and the installation put it.
void start_translation();

// The message in the user's language, or `english` itself.
const char* tr(const char* english);

// tr(english) with {1}..{9} replaced by the texts given.
std::string tr_format(const char* english, std::initializer_list<std::string_view> values);

}  // namespace vyxmath::host
