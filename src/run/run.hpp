#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/run_state.hpp"

namespace tessadro {

// The year as the run takes it from the command line: its first four
// characters, padded with blanks. It names every year file.
std::string year_text(std::string_view year);

// The factor as the run takes it: its first ten characters, padded with
// blanks, which are read as one number.
std::string factor_text(std::string_view factor);

// The two usage lines, for a command line without exactly two arguments.
void print_usage();

// One run for a year and an exchange-area factor, as given on the command
// line: every phase in order, then the floating-point exception note. Ends by
// throwing RunError when the run cannot go on. An observer, when given, hears
// each decision of the phases, and a listener of the records the readers
// probably misread; the tables of the finished run are returned.
std::unique_ptr<RunState> run(std::string_view year, std::string_view factor, RunObserver* observer = nullptr,
                              RecordListener* listener = nullptr);

}  // namespace tessadro
