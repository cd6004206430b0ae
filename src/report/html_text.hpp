#pragma once

#include <string>

namespace tessadro {

// Text made safe inside an HTML or SVG element or a quoted attribute: file
// names and records of the user's files may hold any character.
std::string html_escaped(const std::string& text);

}  // namespace tessadro
