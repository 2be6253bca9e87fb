#include "WindowScript.h"

#include "platform/Utf16.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace torvane::win32test {
namespace {

constexpr UINT TickMs = 10;
// How long a window may wait for a step before the test gives up on it.
constexpr unsigned PatienceTicks = 1000;

// The thread's shown top-level windows that take input and are owned by
// another window: the modal ones, innermost last.
std::vector<HWND> modalWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM into) {
            if (IsWindowVisible(window) && IsWindowEnabled(window) && GetWindow(window, GW_OWNER) != nullptr)
                reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

WindowScript* WindowScript::running_ = nullptr;

WindowScript::WindowScript()
{
    running_ = this;
    timer_ = SetTimer(nullptr, 0, TickMs, tick);
}

WindowScript::~WindowScript()
{
    KillTimer(nullptr, timer_);
    running_ = nullptr;
    if (!steps_.empty() && !::testing::Test::HasFailure())
        ADD_FAILURE() << "the window \"" << utf16::toUtf8(steps_.front().caption) << "\" never showed";
}

WindowScript& WindowScript::then(std::wstring caption, Step step)
{
    steps_.push_back({std::move(caption), std::move(step)});
    return *this;
}

void CALLBACK WindowScript::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (running_ != nullptr)
        running_->poll();
}

void WindowScript::poll()
{
    const std::vector<HWND> windows = modalWindows();
    if (windows.empty()) {
        idleTicks_ = 0;
        return;
    }
    for (HWND window : windows) {
        if (!steps_.empty() && win32::windowText(window) == steps_.front().caption) {
            Step step = std::move(steps_.front().step);
            steps_.pop_front();
            idleTicks_ = 0;
            step(window);
            return;
        }
    }
    // A window is waiting that no step is for.
    if (++idleTicks_ < PatienceTicks && !steps_.empty())
        return;
    if (!::testing::Test::HasFailure())
        ADD_FAILURE() << "unexpected window \"" << utf16::toUtf8(win32::windowText(windows.back())) << "\"";
    PostMessageW(windows.back(), WM_CLOSE, 0, 0);
    idleTicks_ = 0;
}

} // namespace torvane::win32test
