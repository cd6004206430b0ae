#pragma once

#include <string>
#include <vector>

#include "model/run_state.hpp"
#include "text/free_form.hpp"

namespace tessadro {

// An array file the model reads: one "(326f6.1)" record per grid row, north to
// south, a row of more than 326 columns continuing on a second record.
class ArrayFile {
public:
    explicit ArrayFile(const std::string& path);

    // Writes row i, columns 1 to ncol, of a grid.
    void write_row(const Table<float, 2>& grid, std::int32_t row, std::int32_t ncol);

    // Closes the file; warns on standard error when any value was too wide
    // for its field and went out as asterisks, which the model cannot read.
    void close();

private:
    OutputFile file_;
    std::vector<float> values_;
};

// Writes an annual grid as it is, every cell whatever its sign, and returns
// its sum accumulated in row order.
float write_annual_array(const Grid& geometry, const Table<float, 2>& grid, const std::string& path);

}  // namespace tessadro
