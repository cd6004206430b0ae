#pragma once

#include "report/report_command.hpp"

namespace tessadro {

// tessadro-report --period <years file>: every year of the file run as
// tessadro-report <year> <factor> would run it in the current folder (out/
// and report/<year>/ the same, console.txt and stderr.txt beside them), then
// report/index.html, period.csv and changes.csv over the years. The console
// shows a line per year as it ends and a summary. Returns the exit status: 0
// when every year ran, 1 when --strict found an error problem in one, 2 when
// any year failed (the others complete), the years file is bad or the
// period's files could not be written.
int run_period(const ReportCommand& command);

}  // namespace tessadro
