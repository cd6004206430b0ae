#pragma once

#include <functional>

namespace tessadro {

// Runs the body of a command-line program the way every program of the
// project ends: a run-error report on standard error with status 2 when the
// run cannot go on (memory exhausted included, located at the file and record
// being read), "Internal error" with status 3 for anything else, status 0
// otherwise. The standard streams are made safe first; a console that could
// not be written is told on standard error at the end without changing the
// status, which is that of the data.
int run_command(const std::function<void()>& body);

}  // namespace tessadro
