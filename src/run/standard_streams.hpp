#pragma once

namespace tessadro {

// Makes the process fit for a batch run whatever its caller left it with. A
// closed standard descriptor (0, 1 or 2) is opened on /dev/null, so that no
// file the run opens takes its number: a warning meant for standard error
// would otherwise land in a report. A console pipe whose reader has gone
// gives a write error instead of a signal that kills the run before its files
// are written. When standard output was closed, the console log is marked
// lost from the start.
void guard_standard_streams();

}  // namespace tessadro
