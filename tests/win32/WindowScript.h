#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

namespace torvane::win32test {

// Acts on the windows a test's program shows modally, in order, as a user
// would: each step waits until a window with its caption shows and takes
// input, then acts on it. The steps run from a timer inside whatever
// message loop is running, so a step may open the next window itself. A
// window nobody expected, or one a step left open, fails the test and is
// closed, so a failing test never hangs; steps never reached fail it too.
class WindowScript final {
public:
    using Step = std::function<void(HWND window)>;

    WindowScript();
    ~WindowScript();
    WindowScript(const WindowScript&) = delete;
    WindowScript& operator=(const WindowScript&) = delete;

    WindowScript& then(std::wstring caption, Step step);

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void poll();

    struct Expected {
        std::wstring caption;
        Step step;
    };
    std::deque<Expected> steps_;
    UINT_PTR timer_ = 0;
    unsigned idleTicks_ = 0;
    static WindowScript* running_;
};

} // namespace torvane::win32test
