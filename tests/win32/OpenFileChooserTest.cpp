// The system's file-open dialog as the main window asks for it, driven under Wine.

#include "Controls.h"
#include "WindowScript.h"

#include "errors/RunError.h"
#include "platform/Cp1252.h"
#include "support/ScratchFolder.h"
#include "win32/FileChooser.h"
#include "win32/WideText.h"

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace torvane;
using namespace torvane::win32test;

namespace {

const std::wstring Title = L"Datenbank zur Reorganisation w\u00e4hlen";

// The names the dialog's file list shows.
std::vector<std::wstring> listed(HWND dialog)
{
    HWND list = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM into) {
            wchar_t name[32] = L"";
            GetClassNameW(child, name, 32);
            if (std::wstring(name) == WC_LISTVIEWW)
                *reinterpret_cast<HWND*>(into) = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    std::vector<std::wstring> names;
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH] = L"";
        LVITEMW entry{};
        entry.pszText = name;
        entry.cchTextMax = MAX_PATH;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry));
        names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct Chooser {
    testsupport::ScratchFolder practice;
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"Torvane", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    win32::OpenFileChooser chooser;

    Chooser()
    {
        for (const char* name : {"person.kvt", "PERSON2.KVT", "Persdat.Kvt", "kvxdat1.kvt", "pers.txt", "aperson.kvt"})
            std::ofstream(testsupport::fsPath(practice.path() + name)) << "x";
    }
    ~Chooser() { DestroyWindow(owner); }

    std::optional<std::string> choose()
    {
        std::string folder = practice.path();
        folder.pop_back();
        return chooser.chooseFile(
            owner, {folder, cp1252::ansi("Datenbank zur Reorganisation wählen"), "KVX-Datenbank (*.KVT)", "pers*.kvt"});
    }
};

} // namespace

// Starts in the folder asked for, under the title and filter asked for, and lists only
// the patient tables, in any case.
TEST(OpenFileChooser, OffersThePatientTablesAndGivesTheChosenName)
{
    Chooser chooser;
    WindowScript script;
    script.then(Title, [](HWND dialog) {
        EXPECT_EQ(text(item(dialog, cmb1)), L"KVX-Datenbank (*.KVT)");
        EXPECT_EQ(listed(dialog), std::vector<std::wstring>({L"PERSON2.KVT", L"Persdat.Kvt", L"person.kvt"}));
        SetDlgItemTextW(dialog, cmb13, L"Persdat.Kvt");
        click(item(dialog, IDOK));
    });
    EXPECT_EQ(chooser.choose(), std::optional(chooser.practice.path() + "Persdat.Kvt"));
}

TEST(OpenFileChooser, CancelGivesNothing)
{
    Chooser chooser;
    WindowScript script;
    script.then(Title, [](HWND) { press(VK_ESCAPE); });
    EXPECT_EQ(chooser.choose(), std::nullopt);
}

// A name Windows-1252 cannot carry is refused with 52, naming the character.
TEST(OpenFileChooser, RefusesANameTheCodePageCannotCarry)
{
    Chooser chooser;
    const std::wstring name = win32::wide(chooser.practice.path()) + L"pers\u0141\u00f3d\u017a.kvt";
    std::ofstream(std::filesystem::path(name)) << "x";
    WindowScript script;
    script.then(Title, [](HWND dialog) {
        SetDlgItemTextW(dialog, cmb13, L"pers\u0141\u00f3d\u017a.kvt");
        click(item(dialog, IDOK));
    });
    try {
        chooser.choose();
        ADD_FAILURE() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number, errnum::BadFileName);
        EXPECT_NE(error.text.find("U+0141"), std::string::npos) << error.text;
    }
}
