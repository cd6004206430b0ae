#include "text/free_form.hpp"

#include <array>
#include <cstring>

#include "text/plain_number.hpp"
#include "text/real_text.hpp"
#include "text/run_error.hpp"

namespace tessadro {

// ---------------------------------------------------------------- writing

namespace {

// The widest item a record can hold without a text: a real.
constexpr std::size_t widest_number = list_real_width;

}  // namespace

void write_list(OutputFile& out, std::span<const Item> items) {
    // A record without items is an empty line; any other starts with a blank.
    // Room for the widest record is claimed at once and the unused rest
    // given back, so that each item is looked at only once.
    if (!items.empty()) {
        std::size_t room = 1;
        for (const Item& item : items) {
            room += 1 + (item.kind == Item::Kind::text ? item.text.size() : widest_number);
        }
        char* const start = out.claim(room);
        char* p = start;
        *p++ = ' ';
        Item::Kind before = Item::Kind::text;
        bool first = true;
        for (const Item& item : items) {
            // Two texts stand back to back; every other pair gets one blank.
            if (!first && (before != Item::Kind::text || item.kind != Item::Kind::text)) *p++ = ' ';
            first = false;
            before = item.kind;
            switch (item.kind) {
            case Item::Kind::integer:
                format_list_integer(item.integer, p);
                p += list_integer_width;
                break;
            case Item::Kind::real:
                format_list_real(item.real, p);
                p += list_real_width;
                break;
            case Item::Kind::text:
                for (std::size_t i = 0; i < item.text.size(); ++i) p[i] = item.text[i];
                p += item.text.size();
                break;
            }
        }
        out.give_back(room - static_cast<std::size_t>(p - start));
    }
    out.end_record();
}

void write_list(OutputFile& out, std::initializer_list<Item> items) {
    write_list(out, std::span<const Item>(items.begin(), items.size()));
}

// ---------------------------------------------------------------- reading

namespace {

// What a character means between and inside values.
enum class Char : std::uint8_t { other, blank, comma, slash, quote, star };

constexpr std::array<Char, 256> char_classes = [] {
    std::array<Char, 256> t{};
    t[' '] = t['\t'] = Char::blank;
    t[','] = t[';'] = Char::comma;
    t['/'] = Char::slash;
    t['\''] = t['"'] = Char::quote;
    t['*'] = Char::star;
    return t;
}();

Char class_of(char c) { return char_classes[static_cast<unsigned char>(c)]; }

// A value ends at a blank, comma, semicolon, slash or the record end.
bool ends_value(char c) {
    const Char k = class_of(c);
    return k == Char::blank || k == Char::comma || k == Char::slash;
}

// A plain value ends at a blank or a comma (a slash ends the read: left to
// the full reader).
bool ends_plain_value(char c) {
    const Char k = class_of(c);
    return k == Char::blank || k == Char::comma;
}

// Position within the records of one read.
class Cursor {
public:
    // At the start of the first record of the read, already taken from in.
    Cursor(LineReader& in, std::string_view first) : in_(in), record_(first) {}

    char peek() const { return record_[pos_]; }
    bool at_value_end() const { return pos_ >= record_.size() || ends_value(record_[pos_]); }
    void move_to(std::size_t pos) { pos_ = pos; }
    std::size_t position() const { return pos_; }

    // Passes over blanks, tabs and record ends (a record end is a blank).
    // False at end of file.
    bool skip_blanks() {
        for (;;) {
            while (pos_ < record_.size() && class_of(record_[pos_]) == Char::blank) ++pos_;
            if (pos_ < record_.size()) return true;
            if (!in_.next(record_)) return false;
            pos_ = 0;
            ++crossed_;
        }
    }

    // An unquoted value: up to a blank, comma, semicolon, slash or record end;
    // star tells whether it holds a "*" (a repeat count).
    std::string_view take_token(bool& star) {
        const std::size_t start = pos_;
        star = false;
        for (; pos_ < record_.size(); ++pos_) {
            const Char k = class_of(record_[pos_]);
            if (k == Char::blank || k == Char::comma || k == Char::slash) break;
            star |= k == Char::star;
        }
        return record_.substr(start, pos_ - start);
    }

    // A quoted text (the quote at hand); a doubled quote stands for one.
    // False when the record ends before the closing quote: a data record
    // never continues a text on the next record, so the quote is a mistake
    // that would otherwise swallow the record's remaining values.
    bool take_quoted(std::string& text) {
        const char quote = record_[pos_++];
        text.clear();
        while (pos_ < record_.size()) {
            const char c = record_[pos_++];
            if (c != quote) {
                text += c;
            } else if (pos_ < record_.size() && record_[pos_] == quote) {
                text += quote;
                ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }

private:
    LineReader& in_;
    std::string_view record_;
    std::size_t pos_ = 0;

public:
    // Record ends passed so far; what is left of the record at hand.
    long crossed() const { return crossed_; }
    std::string_view rest() const { return record_.substr(pos_); }
    std::string_view record() const { return record_; }

private:
    long crossed_ = 0;
};

enum class Fault { none, bad_integer, integer_overflow, bad_real, bad_repeat, repeat_overflow, unclosed_quote };

std::string message(Fault fault, std::size_t item) {
    const std::string n = std::to_string(item);
    switch (fault) {
    case Fault::bad_integer: return "Bad integer for item " + n + " in list input";
    case Fault::integer_overflow: return "Integer overflow while reading item " + n;
    case Fault::bad_real: return "Bad real number in item " + n + " of list input";
    case Fault::bad_repeat: return "Bad repeat count in item " + n + " of list input";
    case Fault::repeat_overflow: return "Repeat count overflow in item " + n + " of list input";
    case Fault::unclosed_quote: return "Quoted text not closed in item " + n + " of list input";
    case Fault::none: break;
    }
    return {};
}

// Stores one value into a target.
Fault store(const Target& target, std::string_view value, bool quoted) {
    switch (target.kind) {
    case Target::Kind::integer: {
        std::int32_t v = 0;
        const NumberStatus s = quoted ? NumberStatus::bad : parse_integer(value, v);
        if (s == NumberStatus::bad) return Fault::bad_integer;
        if (s == NumberStatus::overflow) return Fault::integer_overflow;
        *static_cast<std::int32_t*>(target.place) = v;
        return Fault::none;
    }
    case Target::Kind::real: {
        float v = 0.0f;
        if (quoted || !parse_real(value, v)) return Fault::bad_real;
        *static_cast<float*>(target.place) = v;
        return Fault::none;
    }
    case Target::Kind::text: {
        char* place = static_cast<char*>(target.place);
        const std::size_t n = std::min(value.size(), target.length);
        std::memcpy(place, value.data(), n);
        std::memset(place + n, ' ', target.length - n);
        return Fault::none;
    }
    }
    return Fault::none;
}

// A token "r*..." is a repeat count r; the rest, if any, is the value.
Fault repeat_count(std::string_view token, long& repeat, std::size_t& digits) {
    repeat = 0;
    digits = 0;
    while (digits < token.size() && token[digits] >= '0' && token[digits] <= '9') ++digits;
    if (digits == 0 || digits >= token.size() || token[digits] != '*') return Fault::none;
    std::int32_t count = 0;
    if (parse_integer(token.substr(0, digits), count) == NumberStatus::overflow) return Fault::repeat_overflow;
    if (count == 0) return Fault::bad_repeat;
    repeat = count;
    return Fault::none;
}

// The quick road for the records that make up nearly every data file: all
// values on this record, numbers in their plain forms (plain_number.hpp),
// texts without quotes or stars, one blank-or-comma separator between two
// values. It stores exactly what the full reader below stores for such a
// record, value by value in the same order, and returns where it stopped
// (null when it gave up); at the first thing it does not take on (a null
// value, a repeat count, a quote, a slash, a bad or out-of-range number,
// values continued on the next record) it gives up, and the full reader
// starts over from the record's start, storing the same values again up to
// that point and deciding the rest.
const char* read_plain(std::string_view record, std::span<const Target> targets) {
    const char* p = record.data();
    const char* const end = p + record.size();
    auto skip_blanks = [&] {
        while (p != end && class_of(*p) == Char::blank) ++p;
    };
    bool first = true;
    for (const Target& target : targets) {
        skip_blanks();
        if (!first && p != end && class_of(*p) == Char::comma) {
            ++p;  // the comma after a value only separates
            skip_blanks();
        }
        first = false;
        if (p == end) return nullptr;
        switch (target.kind) {
        case Target::Kind::integer: {
            std::int32_t v = 0;
            const char* const q = scan_plain_integer_at(p, end, v);
            if (q == nullptr || (q != end && !ends_plain_value(*q))) return nullptr;
            *static_cast<std::int32_t*>(target.place) = v;
            p = q;
            break;
        }
        case Target::Kind::real: {
            float v = 0.0f;
            const char* const q = scan_plain_real_at(p, end, v);
            if (q == nullptr || (q != end && !ends_plain_value(*q))) return nullptr;
            *static_cast<float*>(target.place) = v;
            p = q;
            break;
        }
        case Target::Kind::text: {
            const char* q = p;
            while (q != end && class_of(*q) == Char::other) ++q;
            if (q == p || (q != end && !ends_plain_value(*q))) return nullptr;
            store(target, std::string_view(p, static_cast<std::size_t>(q - p)), false);
            p = q;
            break;
        }
        }
    }
    return p;
}

ReadResult failed(Fault fault, std::size_t item) { return {1, message(fault, item)}; }
ReadResult end_of_file() { return {-1, "End of file"}; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// What the rest of a record after a read's last value holds. A name or a
// comment there is normal in these files; another number means the record
// had more values than the read takes: a number split by a thousands
// separator or a decimal comma, or a column too many.
bool holds_number(std::string_view rest) {
    std::size_t at = 0;
    while (at < rest.size() && class_of(rest[at]) == Char::blank) ++at;
    if (at < rest.size() && class_of(rest[at]) == Char::comma) ++at;
    while (at < rest.size() && class_of(rest[at]) == Char::blank) ++at;
    std::size_t end = at;
    while (end < rest.size() && !ends_value(rest[end])) ++end;
    const std::string_view token = rest.substr(at, end - at);
    // Only what starts like a number: "Inf" or "NaN" there is a name.
    std::size_t first = token.starts_with('+') || token.starts_with('-') ? 1 : 0;
    if (first < token.size() && token[first] == '.') ++first;
    if (first >= token.size() || !is_digit(token[first])) return false;
    float value = 0.0f;
    return parse_real(token, value);
}

// A record of a spreadsheet export with decimal commas: semicolons between
// the fields and a comma between two digits ("7,04").
bool decimal_commas(std::string_view record) {
    if (record.find(';') == std::string_view::npos) return false;
    for (std::size_t i = 1; i + 1 < record.size(); ++i) {
        if (record[i] == ',' && is_digit(record[i - 1]) && is_digit(record[i + 1])) return true;
    }
    return false;
}

// The notes that the first record of a read earns whatever the read does.
void note_record(std::string_view record, long line, ReadNotes& notes) {
    notes.line = line;
    if (line == 1 && record.starts_with("\xEF\xBB\xBF")) notes.add(RecordNote::byte_order_mark);
    if (decimal_commas(record)) notes.add(RecordNote::decimal_comma);
}

}  // namespace

namespace {

// The full reader, from the start of the read's first record (already taken
// from in) that the quick road gave up on.
ReadResult read_full(LineReader& in, std::string_view record, std::span<const Target> targets, ReadNotes* notes) {
    auto note = [notes](RecordNote n) {
        if (notes != nullptr) notes->add(n);
    };
    Cursor at(in, record);
    std::size_t next = 0;      // index of the next target to fill
    bool after_value = false;  // a value was read and no comma has followed it yet
    bool started = false;      // a value or a null value was taken
    std::string quoted_text;
    while (next < targets.size()) {
        const long crossed = at.crossed();
        const bool more = at.skip_blanks();
        // A read that had begun and had to go on to the next record: the
        // record was short (blank lines before a read begins are harmless).
        // A short last record ends the file in the middle of its read: it
        // is dropped, which is worth a note as much.
        if (at.crossed() != crossed || !more) {
            if (started) note(RecordNote::continued);
            else if (notes != nullptr && more) {  // the read begins on this record
                notes->line = in.records();
                notes->text.assign(at.record());
            }
        }
        if (!more) return end_of_file();
        const Char k = class_of(at.peek());
        started = true;
        if (k == Char::comma) {
            at.move_to(at.position() + 1);
            // The first comma after a value only separates; any other comma
            // stands for a null value: the target keeps what it holds.
            if (!after_value) {
                ++next;
                note(RecordNote::null_value);
            }
            after_value = false;
            continue;
        }
        if (k == Char::slash) {
            note(RecordNote::slash_end);
            return {};
        }
        after_value = true;
        // A value: a quoted text, or a token up to the next separator.
        bool quoted = false;
        bool closed = true;
        auto take_value = [&]() -> std::string_view {
            quoted = class_of(at.peek()) == Char::quote;
            if (!quoted) {
                bool star = false;
                return at.take_token(star);
            }
            closed = at.take_quoted(quoted_text);
            return quoted_text;
        };
        long repeat = 0;
        std::string_view value;
        if (k == Char::quote) {
            value = take_value();
        } else {
            const std::size_t start = at.position();
            bool star = false;
            value = at.take_token(star);
            if (star) {  // "r*value" or "r*"
                std::size_t digits = 0;
                if (Fault f = repeat_count(value, repeat, digits); f != Fault::none) return failed(f, next + 1);
                if (repeat > 0) {
                    at.move_to(start + digits + 1);
                    if (at.at_value_end()) {  // "r*": r null values
                        note(RecordNote::null_value);
                        const auto left = static_cast<long>(targets.size() - next);
                        next += static_cast<std::size_t>(std::min(repeat, left));
                        continue;
                    }
                    value = take_value();
                }
            }
        }
        if (!closed) return failed(Fault::unclosed_quote, next + 1);
        // One value for one target is by far the most common case.
        if (repeat == 0) {
            if (Fault f = store(targets[next], value, quoted); f != Fault::none) return failed(f, next + 1);
            ++next;
            continue;
        }
        for (long copies = repeat; copies > 0 && next < targets.size(); --copies) {
            if (Fault f = store(targets[next], value, quoted); f != Fault::none) return failed(f, next + 1);
            ++next;
        }
    }
    // After a short record, the numbers left on the last record are that
    // same misreading, already noted.
    if (notes != nullptr && !notes->has(RecordNote::continued) && holds_number(at.rest())) {
        notes->add(RecordNote::extra_numbers);
    }
    return {};
}

}  // namespace

// Without notes to take, the quick road is exactly what it is without a
// listener anywhere: the notes are looked for on their own road below.
ReadResult read_list(LineReader& in, std::span<const Target> targets) {
    std::string_view record;
    if (!in.next(record)) return end_of_file();
    if (read_plain(record, targets) != nullptr) return {};
    return read_full(in, record, targets, nullptr);
}

namespace {

// The read of a record already taken from in, with the notes it earns.
ReadResult read_taken(LineReader& in, std::string_view record, std::span<const Target> targets, ReadNotes& notes) {
    note_record(record, in.records(), notes);
    if (const char* stop = read_plain(record, targets)) {
        if (holds_number(record.substr(static_cast<std::size_t>(stop - record.data())))) {
            notes.add(RecordNote::extra_numbers);
        }
        if (notes.kinds != 0) notes.text.assign(record);
        return {};
    }
    notes.text.assign(record);
    return read_full(in, record, targets, &notes);
}

// The same, its notes told to the file's listener.
ReadResult read_noticed(InputFile& in, std::string_view record, std::span<const Target> targets) {
    ReadNotes notes;
    ReadResult r = read_taken(in.reader(), record, targets, notes);
    for (int k = 0; k < record_note_kinds && notes.kinds != 0; ++k) {
        const auto kind = static_cast<RecordNote>(k);
        if (notes.has(kind)) in.listener()->noticed(kind, in.path(), notes.line, notes.text);
    }
    return r;
}

// Whether the quick road's reading of a record leaves nothing to note: no
// byte-order mark (first record only), no semicolon for decimal commas, and
// no number after the values read (stop: where the quick road ended).
bool earns_no_note(std::string_view record, long line, const char* stop) {
    if (line == 1 && record.starts_with("\xEF\xBB\xBF")) return false;
    if (record.find(';') != std::string_view::npos) return false;
    return !holds_number(record.substr(static_cast<std::size_t>(stop - record.data())));
}

}  // namespace

ReadResult read_list(LineReader& in, std::span<const Target> targets, ReadNotes* notes) {
    if (notes == nullptr) return read_list(in, targets);
    std::string_view record;
    if (!in.next(record)) return end_of_file();
    return read_taken(in, record, targets, *notes);
}

ReadResult read_list(InputFile& in, std::span<const Target> targets) {
    // A read of no values skips a header record, whatever it holds.
    if (in.listener() == nullptr || targets.empty()) return read_list(in.reader(), targets);
    std::string_view record;
    if (!in.reader().next(record)) return end_of_file();
    return read_noticed(in, record, targets);
}

bool read_record(InputFile& in, std::initializer_list<Target> targets) {
    const std::span<const Target> list(targets.begin(), targets.size());
    if (in.listener() == nullptr) {
        // The records of a data file read by the quick road, as read_list
        // reads them, with no result to build.
        LineReader& reader = in.reader();
        std::string_view record;
        if (!reader.next(record)) return false;
        if (read_plain(record, list) != nullptr) return true;
        const ReadResult r = read_full(reader, record, list, nullptr);
        if (r.status < 0) return false;
        if (r.status > 0) throw RunError(in.location(), r.message);
        return true;
    }
    ReadResult r;
    if (list.empty()) {
        r = read_list(in, list);  // a header record skipped
    } else {
        // With a listener, a record that the quick road reads whole and that
        // earns no note costs no more; any other is read again with its notes.
        LineReader& reader = in.reader();
        std::string_view record;
        if (!reader.next(record)) return false;
        const char* stop = read_plain(record, list);
        if (stop != nullptr && earns_no_note(record, reader.records(), stop)) return true;
        r = read_noticed(in, record, list);
    }
    if (r.status < 0) return false;
    if (r.status > 0) throw RunError(in.location(), r.message);
    return true;
}

void read_required(InputFile& in, std::initializer_list<Target> targets) {
    const ReadResult r = read_list(in, std::span<const Target>(targets.begin(), targets.size()));
    if (r.status != 0) throw RunError(in.location(), r.message);
}

}  // namespace tessadro
