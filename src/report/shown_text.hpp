#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessadro {

// A text of the user's files as the report shows it. The records are bytes in
// whatever encoding the file was saved in, and may hold stray control bytes
// (a NUL, a lone carriage return); the page is declared UTF-8 and a CSV
// reader splits rows at a carriage return. So every byte sequence that is not
// valid UTF-8 and every control character but the tab becomes U+FFFD, the
// replacement character, one for each maximal ill-formed subsequence as
// Unicode recommends; everything else is kept as it is.
struct ShownText {
    std::string text;            // at most the characters asked for, the last one "…" when cut
    std::size_t characters = 0;  // of the whole text, after the replacements
    bool cut = false;
};

// The text cut to at most `most` characters (code points, at least 1): a
// longer one keeps its first most - 1 and ends with "…".
ShownText shown_text(std::string_view raw, std::size_t most);

// Whether shown_text(raw, most) is raw itself: printable ASCII and tabs, no
// longer than `most`. Most records are, and are checked at a few
// instructions a byte.
bool shown_as_is(std::string_view raw, std::size_t most);

// The whole text with the replacements only.
std::string valid_text(std::string_view raw);

}  // namespace tessadro
