#include "monthly/array_file.hpp"

#include "text/fixed_field.hpp"
#include "text/units.hpp"

namespace tessadro {

ArrayFile::ArrayFile(const std::string& path) : file_(path, unit::plot) {}

void ArrayFile::write_row(const Table<float, 2>& grid, std::int32_t row, std::int32_t ncol) {
    static const Format row_format("(326f6.1)");
    values_.clear();
    for (std::int32_t j = 1; j <= ncol; ++j) values_.push_back(grid(j, row));
    write_fixed_reals(file_, row_format, values_);
}

void ArrayFile::close() {
    file_.close();
    if (file_.overflowed_fields() > 0) {
        warn("Warning: " + std::to_string(file_.overflowed_fields()) +
             " value(s) too wide for F6.1 written as ****** in '" + file_.path() + "'");
    }
}

float write_annual_array(const Grid& geometry, const Table<float, 2>& grid, const std::string& path) {
    ArrayFile file(path);
    float total = 0.0f;
    for (std::int32_t i = 1; i <= geometry.nrow; ++i) {
        for (std::int32_t j = 1; j <= geometry.ncol; ++j) total += grid(j, i);
        file.write_row(grid, i, geometry.ncol);
    }
    file.close();
    return total;
}

}  // namespace tessadro
