#pragma once

#include <windows.h>

namespace torvane::win32 {

// The program's pictures, carried as icon resources in the program.
enum class Picture {
    Program = 1, // a head in profile
    Error = 2,   // a folder and a sheet with a red exclamation mark
    Mail = 3,    // a letter, for the bug-report button
};

// One picture at one size in pixels; destroyed with the object.
class Icon {
public:
    Icon() = default;
    Icon(Picture picture, int size);
    ~Icon();
    Icon(Icon&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Icon& operator=(Icon&& other) noexcept;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    HICON handle() const { return handle_; }

private:
    HICON handle_ = nullptr;
};

} // namespace torvane::win32
