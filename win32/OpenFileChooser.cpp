#include "win32/FileChooser.h"

#include "errors/RunError.h"
#include "platform/Utf16.h"
#include "win32/WideText.h"

#include <commdlg.h>

#include <vector>

namespace torvane::win32 {
namespace {

// The longest name the wide-character calls take.
constexpr DWORD LongestName = 32768;

// "description", NUL, "pattern", NUL, NUL.
std::wstring filter(const desktop::ChooserRequest& request)
{
    std::wstring pairs = wide(request.filterDescription);
    pairs += L'\0';
    pairs += wide(request.filterPattern);
    pairs += L'\0';
    pairs += L'\0';
    return pairs;
}

} // namespace

std::optional<std::string> OpenFileChooser::chooseFile(HWND owner, const desktop::ChooserRequest& request)
{
    const std::wstring filters = filter(request);
    const std::wstring startFolder = wide(request.startFolder);
    const std::wstring title = wide(request.title);
    std::vector<wchar_t> name(LongestName, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = LongestName;
    dialog.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) {
        // 0: the user cancelled; anything else is the dialog's own failure.
        if (const DWORD failure = CommDlgExtendedError(); failure != 0)
            throw RunError::raised(errnum::InvalidArgument, static_cast<int>(failure));
        return std::nullopt;
    }
    std::string chosen;
    if (!utf16::toCp1252(name.data(), &chosen))
        raiseIfFailed(utf16::unrepresentableName(name.data()));
    return chosen;
}

} // namespace torvane::win32
