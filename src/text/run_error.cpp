#include "text/run_error.hpp"

#include "text/record_file.hpp"

namespace tessadro {

std::string file_location(long record, int unit, const std::string& path) {
    return "At line " + std::to_string(record) + " of file " + program_name + " (unit = " +
           std::to_string(unit) + ", file = '" + path + "')";
}

std::string statement_location(long record) {
    return "At line " + std::to_string(record) + " of file " + program_name;
}

std::string current_location() {
    const InputFile* file = InputFile::last_read();
    return statement_location(file != nullptr ? file->records() : 0);
}

RunError out_of_memory() {
    const InputFile* file = InputFile::last_read();
    return RunError(file != nullptr ? file->location() : current_location(), "Out of memory");
}

}  // namespace tessadro
