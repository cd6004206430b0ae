#pragma once

#include <stdexcept>
#include <string>

namespace tessadro {

// The one way a run ends on bad input: a location line and a message, written
// to standard error by the entry point, which then exits with status 2.
class RunError : public std::runtime_error {
public:
    RunError(std::string location, const std::string& message)
        : std::runtime_error(message), location_(std::move(location)) {}

    const std::string& location() const { return location_; }

private:
    std::string location_;
};

// The program name shown in every location line.
inline constexpr const char* program_name = "tessadrov11";

// "At line N of file tessadrov11 (unit = U, file = 'PATH')": a failed read or
// write, N being the number of the record at which it stopped.
std::string file_location(long record, int unit, const std::string& path);

// "At line N of file tessadrov11": a fault not tied to an open file.
std::string statement_location(long record);

// The prefix of the error line.
inline constexpr const char* error_prefix = "Error: ";

// Location of a fault that is not a read or write, such as an index outside a
// table: "At line N of file tessadrov11", N being the number of the record
// most recently read from a file still open (the record the value came from),
// 0 when there is none.
std::string current_location();

// The report of exhausted memory, most likely met on a huge record: located
// at the file and record this thread read last, as a failed read is.
RunError out_of_memory();

}  // namespace tessadro
