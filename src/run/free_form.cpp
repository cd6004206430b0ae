#include "run/free_form.hpp"

#include <charconv>
#include <cstring>
#include <optional>

#include "run/real_text.hpp"
#include "run/run_error.hpp"

namespace tessadro {

// ---------------------------------------------------------------- writing

void write_list(OutputFile& out, std::span<const Item> items) {
    // A record without items is an empty line; any other starts with a blank.
    if (!items.empty()) out.append(" ", 1);
    bool previous_text = false;
    bool first = true;
    for (const Item& item : items) {
        const bool text = item.kind == Item::Kind::text;
        if (!first && !(text && previous_text)) out.append(" ", 1);
        first = false;
        previous_text = text;
        switch (item.kind) {
        case Item::Kind::integer: {
            char digits[16];
            const auto r = std::to_chars(digits, digits + sizeof digits, item.integer);
            const auto length = static_cast<std::size_t>(r.ptr - digits);
            out.append_blanks(11 - length);
            out.append(digits, length);
            break;
        }
        case Item::Kind::real: {
            char field[list_real_width];
            format_list_real(item.real, field);
            out.append(field, list_real_width);
            break;
        }
        case Item::Kind::text:
            out.append(item.text);
            break;
        }
    }
    out.end_record();
}

void write_list(OutputFile& out, std::initializer_list<Item> items) {
    write_list(out, std::span<const Item>(items.begin(), items.size()));
}

// ---------------------------------------------------------------- reading

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_comma(char c) { return c == ',' || c == ';'; }
bool ends_value(char c) { return is_blank(c) || is_comma(c) || c == '/'; }
bool is_quote(char c) { return c == '\'' || c == '"'; }

// Position within the records of one read.
class Cursor {
public:
    explicit Cursor(LineReader& in) : in_(in) {}

    bool start() { return in_.next(record_); }
    bool at_end() const { return pos_ >= record_.size(); }
    char peek() const { return record_[pos_]; }
    void advance(std::size_t n = 1) { pos_ += n; }
    std::string_view rest() const { return record_.substr(pos_); }

    // Passes over blanks, tabs and record ends (a record end is a blank).
    // False at end of file.
    bool skip_blanks() {
        for (;;) {
            while (pos_ < record_.size() && is_blank(record_[pos_])) ++pos_;
            if (pos_ < record_.size()) return true;
            if (!in_.next(record_)) return false;
            pos_ = 0;
        }
    }

    // An unquoted value: up to a blank, comma, semicolon, slash or record end.
    std::string_view take_token() {
        const std::size_t start = pos_;
        while (pos_ < record_.size() && !ends_value(record_[pos_])) ++pos_;
        return record_.substr(start, pos_ - start);
    }

    // A quoted text (the quote at hand); a doubled quote stands for one.
    std::string take_quoted() {
        const char quote = record_[pos_++];
        std::string text;
        while (pos_ < record_.size()) {
            const char c = record_[pos_++];
            if (c != quote) {
                text += c;
            } else if (pos_ < record_.size() && record_[pos_] == quote) {
                text += quote;
                ++pos_;
            } else {
                break;
            }
        }
        return text;
    }

private:
    LineReader& in_;
    std::string_view record_;
    std::size_t pos_ = 0;
};

std::string item_message(const char* before, std::size_t item, const char* after) {
    return std::string(before) + std::to_string(item) + after;
}

// Stores one value into a target; a message when it does not fit.
std::optional<std::string> store(const Target& target, std::string_view value, bool quoted,
                                 std::size_t item) {
    switch (target.kind) {
    case Target::Kind::integer: {
        std::int32_t v = 0;
        const NumberStatus s = quoted ? NumberStatus::bad : parse_integer(value, v);
        if (s == NumberStatus::bad) return item_message("Bad integer for item ", item, " in list input");
        if (s == NumberStatus::overflow) return item_message("Integer overflow while reading item ", item, "");
        *static_cast<std::int32_t*>(target.place) = v;
        return std::nullopt;
    }
    case Target::Kind::real: {
        float v = 0.0f;
        if (quoted || !parse_real(value, v)) return item_message("Bad real number in item ", item, " of list input");
        *static_cast<float*>(target.place) = v;
        return std::nullopt;
    }
    case Target::Kind::text: {
        char* place = static_cast<char*>(target.place);
        const std::size_t n = std::min(value.size(), target.length);
        std::memcpy(place, value.data(), n);
        std::memset(place + n, ' ', target.length - n);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// A repeat count "r*" at the cursor: r, 0 when there is none; a message when
// it is bad.
std::optional<std::string> take_repeat(Cursor& at, long& repeat, std::size_t item) {
    repeat = 0;
    const std::string_view rest = at.rest();
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    if (digits == 0 || digits >= rest.size() || rest[digits] != '*') return std::nullopt;
    std::int32_t count = 0;
    const NumberStatus s = parse_integer(rest.substr(0, digits), count);
    if (s == NumberStatus::overflow) return item_message("Repeat count overflow in item ", item, " of list input");
    if (count == 0) return item_message("Bad repeat count in item ", item, " of list input");
    at.advance(digits + 1);
    repeat = count;
    return std::nullopt;
}

ReadResult failed(std::string message) { return {1, std::move(message)}; }
ReadResult end_of_file() { return {-1, "End of file"}; }

}  // namespace

ReadResult read_list(LineReader& in, std::span<const Target> targets) {
    Cursor at(in);
    if (!at.start()) return end_of_file();
    std::size_t next = 0;             // index of the next target to fill
    bool after_value = false;         // a value was read and no comma has followed it yet
    while (next < targets.size()) {
        if (!at.skip_blanks()) return end_of_file();
        if (is_comma(at.peek())) {
            at.advance();
            // The first comma after a value only separates; any other comma
            // stands for a null value: the target keeps what it holds.
            if (!after_value) ++next;
            after_value = false;
            continue;
        }
        if (at.peek() == '/') return {};
        long repeat = 0;
        if (auto bad = take_repeat(at, repeat, next + 1)) return failed(*bad);
        after_value = true;
        if (repeat > 0 && (at.at_end() || ends_value(at.peek()))) {  // "r*": r null values
            next += static_cast<std::size_t>(std::min<long>(repeat, static_cast<long>(targets.size() - next)));
            continue;
        }
        const bool quoted = is_quote(at.peek());
        std::string quoted_text;
        std::string_view value;
        if (quoted) {
            quoted_text = at.take_quoted();
            value = quoted_text;
        } else {
            value = at.take_token();
        }
        for (long copies = repeat > 0 ? repeat : 1; copies > 0 && next < targets.size(); --copies) {
            if (auto bad = store(targets[next], value, quoted, next + 1)) return failed(*bad);
            ++next;
        }
    }
    return {};
}

ReadResult read_list(InputFile& in, std::span<const Target> targets) {
    return read_list(in.reader(), targets);
}

bool read_record(InputFile& in, std::initializer_list<Target> targets) {
    const ReadResult r = read_list(in, std::span<const Target>(targets.begin(), targets.size()));
    if (r.status < 0) return false;
    if (r.status > 0) throw RunError(in.location(), r.message);
    return true;
}

void read_required(InputFile& in, std::initializer_list<Target> targets) {
    const ReadResult r = read_list(in, std::span<const Target>(targets.begin(), targets.size()));
    if (r.status != 0) throw RunError(in.location(), r.message);
}

}  // namespace tessadro
