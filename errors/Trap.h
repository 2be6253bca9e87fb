#pragma once

#include "errors/ErrorReporter.h"
#include "errors/RunError.h"
#include "platform/Status.h"

#include <new>
#include <string>
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
    Trap(ErrorReporter& reporter, std::string location)
        : reporter_(&reporter), location_(std::move(location))
    {
    }

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

    const std::string& location() const { return location_; }

private:
    Trap() = default;

    void report(const RunError& error)
    {
        if (reporter_ != nullptr)
            reporter_->ErrorFunction(error, location_);
    }

    ErrorReporter* reporter_ = nullptr;
    std::string location_;
};

} // namespace torvane
