#include "report/written_value.hpp"

#include "text/real_text.hpp"

namespace tessadro {

WrittenValue as_written(float value) {
    std::int32_t tenths = 0;
    if (!f61_tenths(value, tenths)) return {0, true};
    WrittenValue w;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
    w.tenths = tenths;  // six characters: at most 99999 tenths
#pragma GCC diagnostic pop
    return w;
}

}  // namespace tessadro
