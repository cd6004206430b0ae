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
    // An array of the given grid formatted in memory, perhaps on another
    // thread, and written out by write_out() in its turn; the buffer of an
    // array written before may be handed on.
    ArrayFile(const std::string& path, const Grid& grid, OutputFile::Later, std::vector<char> buffer = {});

    // Writes row i, columns 1 to ncol, of a grid; or a row's values.
    void write_row(const Table<float, 2>& grid, std::int32_t row, std::int32_t ncol);
    void write_row(std::span<const float> values);

    // An array formatted ahead: creates the file, writes what was formatted
    // and closes it.
    void write_out();
    // The buffer of an array written out.
    std::vector<char> take_buffer() { return file_.take_buffer(); }

    // Closes the file; warns on standard error when any value was too wide
    // for its field and went out as asterisks, which the model cannot read.
    void close();

private:
    OutputFile file_;
};

// Writes an annual grid as it is, every cell whatever its sign, to the file
// name in folder, and returns its sum accumulated in row order; the observer,
// if any, hears of each row written.
float write_annual_array(const Grid& geometry, const Table<float, 2>& grid, const std::string& folder,
                         const std::string& name, RunObserver* observer);

}  // namespace tessadro
