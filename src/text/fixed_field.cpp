#include "text/fixed_field.hpp"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <string>

#include "text/real_text.hpp"
#include "text/run_error.hpp"

namespace tessadro {
namespace {

int take_number(std::string_view text, std::size_t& pos) {
    int n = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') n = n * 10 + (text[pos++] - '0');
    return n;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

Format::Format(std::string_view text) {
    std::size_t pos = 0;
    if (text.empty() || text.front() != '(' || text.back() != ')') throw std::logic_error("bad format");
    text = text.substr(1, text.size() - 2);
    while (pos < text.size()) {
        const std::size_t start = pos;
        int repeat = take_number(text, pos);
        if (pos == start) repeat = 1;
        if (pos >= text.size()) throw std::logic_error("bad format");
        FieldSpec field{upper(text[pos++]), 0, 0};
        field.width = take_number(text, pos);
        if (pos < text.size() && text[pos] == '.') {
            ++pos;
            field.decimals = take_number(text, pos);
        }
        if (std::string_view("IFGA").find(field.kind) == std::string_view::npos) throw std::logic_error("bad format");
        fields_.insert(fields_.end(), static_cast<std::size_t>(repeat), field);
        if (pos < text.size() && text[pos++] != ',') throw std::logic_error("bad format");
    }
    if (fields_.empty()) throw std::logic_error("bad format");
    all_f61_ = std::all_of(fields_.begin(), fields_.end(), [](const FieldSpec& f) {
        return (f.kind == 'F' || f.kind == 'G') && f.width == 6 && f.decimals == 1;
    });
}

// ---------------------------------------------------------------- writing

namespace {

bool is_f61(const FieldSpec& field) { return field.width == 6 && field.decimals == 1; }

bool format_real_field(const FieldSpec& field, float value, char* out) {
    if (is_f61(field)) return format_f61(value, out);
    return format_fixed_real(value, field.width, field.decimals, out);
}

void write_field(OutputFile& out, const FieldSpec& field, const Item& item) {
    char buffer[64];
    const auto width = static_cast<std::size_t>(field.width);
    switch (field.kind) {
    case 'I': {
        if (item.kind != Item::Kind::integer) throw std::logic_error("integer field needs an integer");
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, item.integer);
        const auto length = static_cast<std::size_t>(r.ptr - buffer);
        if (length > width) {
            out.append(std::string(width, '*'));  // rare: no need to be quick
            return;
        }
        out.append_blanks(width - length);
        out.append(buffer, length);
        return;
    }
    case 'F':
    case 'G': {
        if (item.kind != Item::Kind::real) throw std::logic_error("real field needs a real");
        if (!format_real_field(field, item.real, out.claim(width))) out.count_overflow();
        return;
    }
    default: {
        if (item.kind != Item::Kind::text) throw std::logic_error("text field needs a text");
        const std::string_view text = item.text;
        if (width == 0) {
            out.append(text);
        } else if (text.size() >= width) {
            out.append(text.substr(0, width));
        } else {
            out.append_blanks(width - text.size());
            out.append(text);
        }
    }
    }
}

}  // namespace

void write_fixed(OutputFile& out, const Format& format, std::span<const Item> items) {
    const auto& fields = format.fields();
    std::size_t k = 0;
    for (const Item& item : items) {
        if (k == fields.size()) {
            out.end_record();
            k = 0;
        }
        write_field(out, fields[k++], item);
    }
    out.end_record();
}

namespace {

// Fields of F6.1 only, the rows of the array files: most cells are zero, and
// a zero is one copy.
void write_f61_fields(OutputFile& out, std::span<const float> values) {
    char* p = out.claim(6 * values.size());
    for (const float value : values) {
        if (std::bit_cast<std::uint32_t>(value) == 0) {
            std::memcpy(p, "   0.0", 6);
        } else if (!format_f61(value, p)) {
            out.count_overflow();
        }
        p += 6;
    }
}

}  // namespace

void write_fixed_reals(OutputFile& out, const Format& format, std::span<const float> values) {
    const auto& fields = format.fields();
    if (format.all_f61()) {  // the array files: a record of F6.1 fields, again under reversion
        std::size_t at = 0;
        do {
            const std::size_t n = std::min(fields.size(), values.size() - at);
            write_f61_fields(out, values.subspan(at, n));
            out.end_record();
            at += n;
        } while (at < values.size());
        return;
    }
    for (const FieldSpec& field : fields) {
        if (field.kind != 'F' && field.kind != 'G') throw std::logic_error("real fields only");
    }
    // One record's room claimed at once; under reversion each further
    // record starts again at the first field.
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(fields.size(), values.size() - at);
        std::size_t width = 0;
        for (std::size_t i = 0; i < n; ++i) width += static_cast<std::size_t>(fields[i].width);
        char* p = out.claim(width);
        for (std::size_t i = 0; i < n; ++i) {
            if (!format_real_field(fields[i], values[at + i], p)) out.count_overflow();
            p += fields[i].width;
        }
        at += n;
        out.end_record();
    } while (at < values.size());
}

void write_fixed(OutputFile& out, const Format& format, std::initializer_list<Item> items) {
    write_fixed(out, format, std::span<const Item>(items.begin(), items.size()));
}

// ---------------------------------------------------------------- reading

namespace {

// The next field of a record: w characters, fewer at the record's end (the
// missing ones are blanks), or up to a comma, which ends a numeric field early.
std::string_view take_field(std::string_view record, std::size_t& pos, std::size_t width) {
    if (pos >= record.size()) return {};
    std::string_view field = record.substr(pos, width);
    const std::size_t comma = field.find(',');
    if (comma != std::string_view::npos) {
        pos += comma + 1;
        return field.substr(0, comma);
    }
    pos += field.size();
    return field;
}

// Blanks in a numeric field are ignored.
std::string_view squeeze(std::string_view field, char* buffer) {
    std::size_t n = 0;
    for (char c : field) {
        if (c != ' ') buffer[n++] = c;
    }
    return {buffer, n};
}

std::string read_field(const FieldSpec& field, std::string_view text, const Target& target) {
    char buffer[64];
    const std::string_view value = squeeze(text.substr(0, sizeof buffer), buffer);
    if (field.kind == 'I' && target.kind == Target::Kind::integer) {
        std::int32_t v = 0;
        if (!value.empty()) {
            const NumberStatus s = parse_integer(value, v);
            if (s == NumberStatus::bad) return "Bad value during integer read";
            if (s == NumberStatus::overflow) return "Value overflowed during integer read";
        }
        *static_cast<std::int32_t*>(target.place) = v;
        return {};
    }
    if ((field.kind == 'F' || field.kind == 'G') && field.decimals == 0 && target.kind == Target::Kind::real) {
        float v = 0.0f;
        if (!value.empty() && !parse_real(value, v)) return "Bad value during floating point read";
        *static_cast<float*>(target.place) = v;
        return {};
    }
    throw std::logic_error("field and target do not match");
}

}  // namespace

ReadResult read_fixed(LineReader& in, const Format& format, std::span<const Target> targets) {
    const auto& fields = format.fields();
    std::string_view record;
    if (!in.next(record)) return {-1, "End of file"};
    std::size_t pos = 0;
    std::size_t k = 0;
    for (const Target& target : targets) {
        if (k == fields.size()) {
            if (!in.next(record)) return {-1, "End of file"};
            pos = 0;
            k = 0;
        }
        const FieldSpec& field = fields[k++];
        std::string message = read_field(field, take_field(record, pos, static_cast<std::size_t>(field.width)), target);
        if (!message.empty()) return {1, std::move(message)};
    }
    return {};
}

void read_fixed(InputFile& in, const Format& format, std::span<const Target> targets) {
    ReadResult r = read_fixed(in.reader(), format, targets);
    if (r.status != 0) throw RunError(in.location(), r.message);
}

}  // namespace tessadro
