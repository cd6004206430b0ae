#pragma once

#include <functional>

namespace tessadro {

// Jobs that a phase hands to another processor while it goes on with its own
// work, one at a time, waiting for each before it uses the result (when the
// run uses no second thread, a job is done when it is started). A job
// formats in memory and touches nothing the phase touches meanwhile; what it
// throws is thrown by wait(), and the floating-point flags it raises are then
// raised on the phase's thread, so the run ends as if the phase had done the
// job itself.
class SideJobs {
public:
    virtual ~SideJobs() = default;
    virtual void start(std::function<void()> job) = 0;
    virtual void wait() = 0;
};

}  // namespace tessadro
