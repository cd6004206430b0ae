#pragma once

#include <string>
#include <string_view>

namespace tessadro {

// Standard base64 with padding, for images embedded in the page as data URIs.
std::string base64(std::string_view bytes);

}  // namespace tessadro
