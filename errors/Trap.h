#pragma once

#include "errors/ErrorReporter.h"
#include "errors/RunError.h"
#include "platform/Status.h"

#include <new>
#include <utility>

namespace torvane {

// A procedure's error trap. Each statement that can fail runs through it:
//
//     Trap trap(errors, "Error in D_Datenbank: Sub open_database");
//     trap([&] { table.FileOpen(path); });
//     trap([&] { ... });   // runs even when the step above failed
//
// A failing step is reported with the procedure's location text and the
// procedure resumes at its next step. A silent trap swallows instead.
// ProgramEnd is not caught here: it passes through every trap.
class Trap {
public:
    // Location texts are fixed literals, kept without copying: traps are
    // armed once per field and patient on the hot path.
    Trap(ErrorReporter& reporter, const char* location) : reporter_(&reporter), location_(location) {}

    static Trap silent() { return Trap(); }

    // Returns whether the step completed.
    template <class Step>
    bool operator()(Step&& step)
    {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const RunError& error) {
            report(error);
        } catch (const std::bad_alloc&) {
            report(RunError::raised(errnum::OutOfMemory));
        }
        return false;
    }

    const char* location() const { return location_; }

private:
    Trap() = default;

    void report(const RunError& error)
    {
        if (reporter_ != nullptr)
            reporter_->ErrorFunction(error, location_);
    }

    ErrorReporter* reporter_ = nullptr;
    const char* location_ = "";
};

} // namespace torvane
