#include "monthly/array_file.hpp"

#include <algorithm>

#include "text/fixed_field.hpp"
#include "text/units.hpp"

namespace tessadro {

namespace {
const Format row_format("(326f6.1)");
}

ArrayFile::ArrayFile(const std::string& path) : file_(path, unit::plot) {}

ArrayFile::ArrayFile(const std::string& path, const Grid& grid, OutputFile::Later later, std::vector<char> buffer)
    : file_(path, unit::plot, later, std::move(buffer)) {
    // Six characters a cell, a line end a record.
    const auto columns = static_cast<std::size_t>(std::max(grid.ncol, 1));
    const std::size_t records = (columns + 325) / 326;
    file_.reserve(static_cast<std::size_t>(std::max(grid.nrow, 0)) * (6 * columns + 2 * records) + 1);
}

void ArrayFile::write_row(const Table<float, 2>& grid, std::int32_t row, std::int32_t ncol) {
    write_fixed_reals(file_, row_format, grid.run(ncol, row));
}

void ArrayFile::write_row(std::span<const float> values) { write_fixed_reals(file_, row_format, values); }

void ArrayFile::write_out() {
    file_.open();
    close();
}

void ArrayFile::close() {
    file_.close();
    if (file_.overflowed_fields() > 0) {
        warn("Warning: " + std::to_string(file_.overflowed_fields()) +
             " value(s) too wide for F6.1 written as ****** in '" + file_.path() + "'");
    }
}

float write_annual_array(const Grid& geometry, const Table<float, 2>& grid, const std::string& folder,
                         const std::string& name, RunObserver* observer) {
    ArrayFile file(folder + name);
    float total = 0.0f;
    for (std::int32_t i = 1; i <= geometry.nrow; ++i) {
        for (std::int32_t j = 1; j <= geometry.ncol; ++j) total += grid(j, i);
        file.write_row(grid, i, geometry.ncol);
        if (observer != nullptr) observer->array_row(name, i, geometry.nrow, grid.run(geometry.ncol, i));
    }
    file.close();
    return total;
}

}  // namespace tessadro
