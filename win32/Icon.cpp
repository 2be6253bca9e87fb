#include "win32/Icon.h"

#include <utility>

namespace torvane::win32 {

Icon::Icon(Picture picture, int size)
    : handle_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(static_cast<int>(picture)),
                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR)))
{
}

Icon::~Icon()
{
    if (handle_ != nullptr)
        DestroyIcon(handle_);
}

Icon& Icon::operator=(Icon&& other) noexcept
{
    std::swap(handle_, other.handle_);
    return *this;
}

} // namespace torvane::win32
