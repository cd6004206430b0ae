// Arbitrary bytes as a data file, read free-form into every kind of target.
// The first byte chooses the targets of each read (two bits a target: integer,
// real, text of 2, text of 12); the rest is the file. Every read must end with
// end of file, success or a failure with its message, and never read beyond
// the file or leave a target half written.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/free_form.hpp"
#include "text/run_error.hpp"

using namespace tessadro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned pattern = data[0];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    std::array<std::int32_t, 4> ints{};
    std::array<float, 4> reals{};
    std::array<std::array<char, 2>, 4> shorts{};
    std::array<std::array<char, 12>, 4> longs{};
    std::vector<Target> targets;
    for (std::size_t k = 0; k < 4; ++k) {
        switch ((pattern >> (2 * k)) & 3u) {
        case 0: targets.emplace_back(ints[k]); break;
        case 1: targets.emplace_back(reals[k]); break;
        case 2: targets.emplace_back(shorts[k]); break;
        default: targets.emplace_back(longs[k]); break;
        }
    }

    // Through a plain reader, with the status result.
    LineReader lines(text);
    for (int reads = 0; reads < 10000; ++reads) {
        const ReadResult r = read_list(lines, targets);
        if (r.status < -1 || r.status > 1 || (r.status != 0 && r.message.empty())) __builtin_trap();
        if (r.status < 0) break;
    }
    // Through a data file, where a failure is the run-error report; an empty
    // list skips one record.
    InputFile file("fuzz.txt", 13, text);
    try {
        while (read_record(file, {}) && read_record(file, {targets[0], targets[1], targets[2], targets[3]})) {
        }
    } catch (const RunError& e) {
        if (e.location().rfind("At line ", 0) != 0 || std::string(e.what()).empty()) __builtin_trap();
    }
    return 0;
}
