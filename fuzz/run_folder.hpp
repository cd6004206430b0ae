#pragma once

// The folder a whole run works in, for the fuzz targets that run it
// in-process: a scratch folder of the process's own, on a memory file system
// when there is one, removed at exit. The run reads and writes files relative
// to the working directory, so the process moves there; the paths on the
// command line (corpus folders, -artifact_prefix=, -dict=, ...) are made
// absolute first, so that they may be given relative to where the target was
// started. The run's console goes to /dev/null.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Call from LLVMFuzzerInitialize, which libFuzzer calls before it reads its
// arguments.
void enter_run_folder(int* argc, char*** argv);

// Appends an input's outcome to the file named by FUZZ_OUTCOMES, when set:
// a line of a hash of the input, then "completed", or "error: " and the run
// error's message and location. fuzz/count_completing.sh replays a corpus to
// count the inputs that complete a run (once each, for libFuzzer may run an
// input twice).
void note_input(const std::uint8_t* data, std::size_t size);
void note_completed();
void note_run_error(const std::string& message, const std::string& location);

}  // namespace fuzz
