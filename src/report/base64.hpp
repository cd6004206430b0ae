#pragma once

#include <string>
#include <string_view>

namespace tessadro {

// Standard base64 with padding, for images embedded in the page as data URIs.
std::string base64(std::string_view bytes);

// The same digits appended to out, which holds the page around them.
void append_base64(std::string& out, std::string_view bytes);

}  // namespace tessadro
