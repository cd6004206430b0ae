#include "report/html_text.hpp"

#include "report/shown_text.hpp"

namespace tessadro {

std::string html_escaped(std::string_view text) {
    std::string out;
    for (char c : valid_text(text)) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else if (c == '"') out += "&quot;";
        else out.push_back(c);
    }
    return out;
}

}  // namespace tessadro
