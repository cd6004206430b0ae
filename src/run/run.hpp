#pragma once

#include <string_view>

namespace tessadro {

// The two usage lines, for a command line without exactly two arguments.
void print_usage();

// One run for a year and an exchange-area factor, as given on the command
// line: every phase in order, then the floating-point exception note. Ends by
// throwing RunError when the run cannot go on.
void run(std::string_view year, std::string_view factor);

}  // namespace tessadro
