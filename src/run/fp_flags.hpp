#pragma once

#include <string>

namespace tessadro {

// The note on the processor's floating-point exception flags that a run
// writes to standard error at its end, or "" when no reported flag is raised
// (inexact is never reported).
std::string floating_point_note();

// The flags raised so far on the calling thread, and the same raised on
// another: what a second thread's conversions raise counts in the note as if
// the run's own thread had done that work.
struct FloatingPointFlags {
    int raised = 0;         // <cfenv> flags
    bool denormal = false;  // the denormal-operand flag, which <cfenv> does not name
};
FloatingPointFlags raised_flags();
void raise_flags(const FloatingPointFlags& flags);

// The calling thread's flags kept as they are over the keeper's lifetime:
// what is raised meanwhile is lowered again at its end. For arithmetic done
// beside the run (the year report's tallies of infinite or denormal amounts)
// that must not show in the run's note.
class FlagsKept {
public:
    FlagsKept() : kept_(raised_flags()) {}
    ~FlagsKept();
    FlagsKept(const FlagsKept&) = delete;
    FlagsKept& operator=(const FlagsKept&) = delete;

private:
    FloatingPointFlags kept_;
};

}  // namespace tessadro
