#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/years_file.hpp"

// The years of a period, each run as a process of its own: a run error, a
// crash or a signal in one year cannot touch another's memory, files or exit
// status. Each year runs this same program with the year's arguments in the
// current folder, its standard output and error captured under hidden names
// in report/<year>/ and put in place there as console.txt and stderr.txt when
// the year has ended.
namespace tessadro {

// How a year's process ended.
struct YearEnd {
    int status = 0;    // exit status; 0 when ended by a signal
    int signal = 0;    // the signal that ended it, 0 when it exited
    std::string why;   // why it could not be started; empty when it was
};

// Whether the year failed: not started, ended by a signal, or with a status
// other than 0 and 1 (1: --strict found an error problem in a complete report).
bool year_failed(const YearEnd& end);

// Runs tessadro-report <options> -- <year> <factor> for each year, at most
// jobs at once, starting them in the order given; ended(k, end) is called for
// years[k] as each ends, after its captures are in place, in the order they
// end.
void run_years(const std::vector<PeriodYear>& years, const std::vector<std::string>& options, int jobs,
               const std::function<void(std::size_t, const YearEnd&)>& ended);

}  // namespace tessadro
