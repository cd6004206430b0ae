#pragma once

#include <string>
#include <string_view>

namespace tessadro {

// Text made safe inside an HTML or SVG element or a quoted attribute: file
// names and records of the user's files may hold any byte. The four markup
// characters that could end an element or an attribute become entities;
// invalid UTF-8 and control characters become U+FFFD (shown_text.hpp), since
// the page is declared UTF-8.
std::string html_escaped(std::string_view text);

}  // namespace tessadro
