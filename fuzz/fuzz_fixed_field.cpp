// Arbitrary bytes as a file read under the field formats that the run reads
// with: the grid rows "(326i2)", the factor "(G32.0)", and mixed integer and
// real fields. The first byte chooses the format and the number of targets
// (more than the format's fields makes the format start again on the next
// record); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/fixed_field.hpp"

using namespace tessadro;

namespace {

struct Layout {
    const char* format;
    const char* kinds;  // the target kinds of one pass over the format
};

const Layout layouts[] = {
    {"(326i2)", "i"},
    {"(G32.0)", "f"},
    {"(2i6,2f12.0)", "iiff"},
    {"(i2,f6.0,i6)", "ifi"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Layout& layout = layouts[data[0] & 3u];
    const std::size_t count = 1 + (data[0] >> 2);  // 1 to 64 targets
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    static std::vector<Format> formats;
    if (formats.empty()) {
        for (const Layout& l : layouts) formats.emplace_back(l.format);
    }
    const Format& format = formats[data[0] & 3u];

    std::vector<std::int32_t> ints(count);
    std::vector<float> reals(count);
    std::vector<Target> targets;
    const std::string kinds = layout.kinds;
    for (std::size_t k = 0; k < count; ++k) {
        if (kinds[k % kinds.size()] == 'i') targets.emplace_back(ints[k]);
        else targets.emplace_back(reals[k]);
    }
    LineReader lines(text);
    for (int reads = 0; reads < 10000; ++reads) {
        const ReadResult r = read_fixed(lines, format, targets);
        if (r.status < -1 || r.status > 1 || (r.status != 0 && r.message.empty())) __builtin_trap();
        if (r.status < 0) break;
    }
    return 0;
}
