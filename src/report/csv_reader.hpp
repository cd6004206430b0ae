#pragma once

#include <string>
#include <string_view>
#include <vector>

// The files of a period read back, and the report's own CSV files (docs/formats.md, section 10): records
// end at a line feed, fields are separated by commas, and a field in double
// quotes may hold commas, doubled quotes and line ends.
namespace tessadro {

using CsvRow = std::vector<std::string>;

// Reads the file at path whole into text, at most most bytes of it; false
// with the system's reason (or "larger than N bytes") when it cannot.
bool read_whole(const std::string& path, std::size_t most, std::string& text, std::string& reason);

// Every row of the text, the header included.
std::vector<CsvRow> csv_rows_of(std::string_view text);

}  // namespace tessadro
