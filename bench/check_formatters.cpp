// Checks the quick number writers against the general ones over every 4-byte
// bit pattern: the free-form real against the exact conversion, the F6.1
// field against the general Fw.d writer, the free-form integer against the
// standard library's integer text. It takes minutes, so it is a tool to run by
// hand after a change to these writers, not part of the test suite (which
// checks a sample of the same comparisons).
//
//   check_formatters
//
// Prints the number of disagreements of each writer and the first few; exit
// status 1 when there is any.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "text/real_text.hpp"

namespace {

struct Tally {
    const char* what;
    std::uint64_t mismatches = 0;

    void check(bool agree, std::uint32_t bits, std::string_view expected, std::string_view actual) {
        if (agree) return;
        if (++mismatches <= 5) {
            std::printf("%s: bits 0x%08x: expected \"%.*s\", got \"%.*s\"\n", what, bits,
                        static_cast<int>(expected.size()), expected.data(), static_cast<int>(actual.size()),
                        actual.data());
        }
    }
};

void old_integer(std::int32_t value, char* out) {
    char text[16];
    const auto r = std::to_chars(text, text + sizeof text, value);
    const auto length = static_cast<std::size_t>(r.ptr - text);
    std::memset(out, ' ', tessadro::list_integer_width);
    std::memcpy(out + tessadro::list_integer_width - length, text, length);
}

// Checks the bit patterns whose top bits are part (one sixteenth of them).
void check_part(std::uint32_t part, Tally& list, Tally& f61, Tally& integer) {
    using namespace tessadro;
    const std::uint32_t first = part << 28;
    const std::uint32_t last = first | 0x0fffffffu;
    for (std::uint32_t bits = first;; ++bits) {
        const float v = std::bit_cast<float>(bits);
        char expected[32], actual[32];
        format_list_real_exact(v, expected);
        format_list_real(v, actual);
        list.check(std::memcmp(expected, actual, list_real_width) == 0, bits, {expected, list_real_width},
                   {actual, list_real_width});
        const bool fits_expected = format_fixed_real(v, 6, 1, expected);
        const bool fits_actual = format_f61(v, actual);
        f61.check(fits_expected == fits_actual && std::memcmp(expected, actual, 6) == 0, bits, {expected, 6},
                  {actual, 6});
        old_integer(std::bit_cast<std::int32_t>(bits), expected);
        format_list_integer(std::bit_cast<std::int32_t>(bits), actual);
        integer.check(std::memcmp(expected, actual, list_integer_width) == 0, bits,
                      {expected, list_integer_width}, {actual, list_integer_width});
        if (bits == last) break;
    }
    std::printf("part %2u of 16 done\n", part + 1);
    std::fflush(stdout);
}

}  // namespace

int main() {
    // The sixteen parts, one thread for each processor; each part has
    // tallies of its own, added up at the end.
    struct Part {
        Tally list{"free-form real"}, f61{"F6.1"}, integer{"free-form integer"};
    };
    std::vector<Part> parts(16);
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&parts, t, threads] {
            for (std::uint32_t part = t; part < 16; part += threads) {
                check_part(part, parts[part].list, parts[part].f61, parts[part].integer);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    int status = 0;
    for (const char* what : {"free-form real", "F6.1", "free-form integer"}) {
        std::uint64_t mismatches = 0;
        for (Part& part : parts) {
            for (const Tally* t : {&part.list, &part.f61, &part.integer}) {
                if (std::string_view(t->what) == what) mismatches += t->mismatches;
            }
        }
        std::printf("%-18s %llu mismatches in 4294967296 bit patterns\n", what,
                    static_cast<unsigned long long>(mismatches));
        if (mismatches != 0) status = 1;
    }
    return status;
}
