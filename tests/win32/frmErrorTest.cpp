// The Win32 error dialog as the central error handler drives it, and the bug report.

#include "Controls.h"
#include "WindowScript.h"

#include "desktop/frmErrorLayout.h"
#include "errors/ErrorHandler.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "support/platform/MemEnv.h"
#include "tables/dbases.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/WholeLinesEdit.h"
#include "win32/WideText.h"
#include "win32/Win32ErrorDialogFactory.h"

#include <gtest/gtest.h>

#include <functional>

using namespace torvane;
using namespace torvane::win32test;
namespace id = torvane::win32::id;
namespace layout = torvane::desktop::frmErrorLayout;

namespace {

// The handler with the Win32 dialogs, modal over a window standing in for the
// main window, over a temporary folder with a blank; the file system in
// memory keeps the bug reports' URLs instead of starting a mail program.
struct Reporting {
    MemEnv env{'\\'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    std::string tempFolder;
    win32::Win32ErrorDialogFactory dialogs{env, "support@example.invalid"};
    ErrorHandler handler{env, clock, dialogs, tempFolder};
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"Torvane", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);

    Reporting()
    {
        env.createFolders("C:\\Temp\\mit Leerzeichen");
        tempFolder = "C:\\Temp\\mit Leerzeichen\\";
        dialogs.setOwner(owner);
    }

    ~Reporting() { DestroyWindow(owner); }

    // Reports the error while the steps act on its dialog; how the program ended, if it did.
    std::optional<EndReason> report(const RunError& error, const std::wstring& caption,
                                    const std::function<void(HWND)>& step,
                                    const std::function<void(HWND)>& next = nullptr)
    {
        WindowScript script;
        script.then(caption, step);
        if (next)
            script.then(caption, next);
        try {
            handler.ErrorFunction(error, "Error in D_Datenbank: Sub open_database");
        } catch (const ProgramEnd& end) {
            return end.reason;
        }
        return std::nullopt;
    }
};

// What opening a working copy with these bytes reports, the copy named as the practice's table.
RunError openingFails(MemEnv& env, const std::string& bytes)
{
    const std::string copy = "C:\\Temp\\mit Leerzeichen\\TEMP_REORG_EINGANG_03_05_0\\kvxdat2.kvt";
    env.createFolders("C:\\Temp\\mit Leerzeichen\\TEMP_REORG_EINGANG_03_05_0");
    env.putFile(copy, bytes);
    try {
        dbases(env).FileOpen(copy);
    } catch (const RunError& error) {
        return error;
    }
    return {};
}

// The program's longest error texts: each refusal of a table file in the
// staging folder, and the longest run-time texts with a path.
std::vector<RunError> longestErrors(MemEnv& env)
{
    const std::string header(32, '\0');
    const std::string descriptor = "DATNUMMER" + std::string(23, '\0');
    std::vector<RunError> errors;
    for (const std::string& bytes : {std::string(20, 'x'), header, header + descriptor.substr(0, 20),
                                     header + std::string(256 * 32, 'F'), header + descriptor + '\x0D'})
        errors.push_back(openingFails(env, bytes));
    const std::string table = "C:\\Users\\Praxis\\Velmora Patientendaten\\Daten\\kvxdat2.kvt";
    for (int number : {errnum::DeviceIO, 74, errnum::PathFileAccess})
        errors.push_back(RunError::raised(number, table));
    errors.push_back(RunError::raised(errnum::FileNotFound));
    return errors;
}

int outerHeight(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    return outer.bottom - outer.top;
}

int pixels(HWND window, int twips)
{
    return desktop::pixels(twips, win32::windowDpi(window));
}

struct Layout {
    const char* name;
    int number;
    bool error;
    UINT key;
};

class ErrorDialogLayout : public ::testing::TestWithParam<Layout> {};

} // namespace

// Caption, picture and buttons of each layout; the details unfold and fold by click and by
// their accelerator; the bug report's URL; Enter or Esc acting as OK.
TEST_P(ErrorDialogLayout, DetailsBugReportAndKeys)
{
    const Layout& expected = GetParam();
    Reporting reporting;
    const auto ended = reporting.report(
        RunError::raised(expected.number), expected.error ? L"Fehler" : L"Information",
        [&](HWND dialog) {
            EXPECT_TRUE(IsWindowVisible(item(dialog, id::imgImage_0)) == expected.error);
            EXPECT_TRUE(IsWindowVisible(item(dialog, id::imgImage_2)) == !expected.error);
            EXPECT_TRUE(IsWindowVisible(item(dialog, id::cmdExit)) == expected.error);
            EXPECT_EQ(GetFocus(), item(dialog, IDOK));
            EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
            EXPECT_FALSE(IsWindowVisible(item(dialog, id::txtDetails)));
            EXPECT_EQ(outerHeight(dialog), pixels(dialog, layout::FoldedHeight));
            for (const bool unfolded : {true, false}) {
                click(item(dialog, id::cmdDetails));
                EXPECT_EQ(outerHeight(dialog),
                          pixels(dialog, unfolded ? layout::UnfoldedHeight : layout::FoldedHeight));
                EXPECT_EQ(text(item(dialog, id::cmdDetails)), unfolded ? L"<< D&etails" : L"D&etails >>");
                EXPECT_TRUE(IsWindowVisible(item(dialog, id::txtDetails)) == unfolded);
            }
            EXPECT_TRUE(text(item(dialog, id::txtDetails)).starts_with(L"Error " + std::to_wstring(expected.number)));
            click(item(dialog, id::cmdbugreport));
            EXPECT_TRUE(IsWindowVisible(dialog));
            // "D&etails >>" by its letter, from the OK button.
            SetFocus(item(dialog, IDOK));
            typeCharacter(L'e');
        },
        [&](HWND dialog) {
            EXPECT_EQ(text(item(dialog, id::cmdDetails)), L"<< D&etails");
            EXPECT_EQ(outerHeight(dialog), pixels(dialog, layout::UnfoldedHeight));
            press(expected.key);
        });
    EXPECT_FALSE(ended);
    // Nothing percent-encoded; the log exists as "Errorlog.txt" and the attachment names it as it is on disk.
    const std::string url = "mailto:support@example.invalid?Subject=Torvane Fehlerbericht !&Body="
                            "&Attach=\"C:\\Temp\\mit Leerzeichen\\Errorlog.txt\"";
    EXPECT_EQ(reporting.env.openedUrls(), std::vector<std::string>{url});
}

INSTANTIATE_TEST_SUITE_P(Layouts, ErrorDialogLayout,
                         ::testing::Values(Layout{"Error75Enter", errnum::PathFileAccess, true, VK_RETURN},
                                           Layout{"Information53Esc", errnum::FileNotFound, false, VK_ESCAPE}),
                         [](const ::testing::TestParamInfo<Layout>& test) { return std::string(test.param.name); });

// Every control where its twips put it, in Tahoma 8.25 pt, every caption whole.
TEST(ErrorDialog, ControlsSitWhereTheirTwipsSay)
{
    Reporting reporting;
    reporting.report(RunError::raised(errnum::PathFileAccess), L"Fehler", [](HWND dialog) {
        const std::pair<int, desktop::TwipsRect> places[] = {{id::imgImage_0, layout::imgImage},
                                                             {id::imgImage_2, layout::imgImage},
                                                             {id::txtMsg, layout::txtMsg},
                                                             {IDOK, layout::cmdOK},
                                                             {id::cmdExit, layout::cmdExit},
                                                             {id::cmdDetails, layout::cmdDetails},
                                                             {id::cmdbugreport, layout::cmdbugreport},
                                                             {id::txtDetails, layout::txtDetails},
                                                             {id::frlongname, layout::frlongname}};
        for (const auto& [number, twips] : places) {
            SCOPED_TRACE(number);
            const RECT expected = expectedPlacement(dialog, twips);
            const RECT actual = placement(item(dialog, number));
            EXPECT_TRUE(EqualRect(&expected, &actual));
        }
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, pixels(dialog, layout::ClientWidth));
        const int dpi = win32::windowDpi(dialog);
        for (int number : {IDOK, id::cmdExit, id::cmdDetails, id::cmdbugreport, id::txtMsg, id::txtDetails}) {
            const LOGFONTW font = fontOf(item(dialog, number));
            EXPECT_STREQ(font.lfFaceName, L"Tahoma");
            EXPECT_EQ(font.lfHeight, -std::lround(8.25 * dpi / 72));
        }
        for (int number : {IDOK, id::cmdExit, id::cmdDetails, id::cmdbugreport})
            EXPECT_TRUE(textFits(item(dialog, number)));
        EXPECT_EQ(text(item(dialog, IDOK)), L"O&K");
        EXPECT_EQ(text(item(dialog, id::cmdExit)), L"&Abbruch");
        EXPECT_EQ(text(item(dialog, id::cmdbugreport)), L"Bugreport per E-Mail senden");
        EXPECT_NE(SendMessageW(item(dialog, id::cmdbugreport), BM_GETIMAGE, IMAGE_ICON, 0), 0);
        EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);
        click(item(dialog, IDOK));
    });
}

// At the size the dialog was designed for, every scroll position shows whole
// lines only, and a text that fits has no scroll bar.
TEST(ErrorDialog, LongestTextsShowWholeLinesAndScrollOnlyWhenNeeded)
{
    Reporting reporting;
    reporting.handler.nameWorkingCopies("C:\\Temp\\mit Leerzeichen\\TEMP_REORG_EINGANG_03_05_0",
                                        "C:\\Users\\Praxis\\Velmora Patientendaten\\Daten");
    int scrolled = 0;
    for (const RunError& error : longestErrors(reporting.env)) {
        const bool information = error.number == errnum::FileNotFound || error.number == errnum::DeviceIO;
        reporting.report(error, information ? L"Information" : L"Fehler", [&](HWND dialog) {
            HWND box = item(dialog, id::txtMsg);
            const RECT expected = expectedPlacement(dialog, layout::txtMsg);
            const RECT actual = placement(box);
            EXPECT_TRUE(EqualRect(&expected, &actual));
            const std::wstring shown = text(box);
            SCOPED_TRACE(std::string(shown.begin(), shown.end()));
            win32::WholeLinesEdit edit(box);
            RECT textRect;
            SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&textRect));
            RECT client;
            GetClientRect(box, &client);
            const int pitch = edit.lineHeight();
            const int visible = edit.visibleLines();
            EXPECT_GE(visible, 1);
            EXPECT_EQ(textRect.bottom - textRect.top, visible * pitch);
            // No further line would fit: what is left is less than a line and the control's own inset.
            EXPECT_LT(client.bottom - visible * pitch, pitch + pitch / 2);
            EXPECT_TRUE(textRect.top >= 0 && textRect.bottom <= client.bottom);
            const int lines = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
            const bool scrolls = (GetWindowLongPtrW(box, GWL_STYLE) & WS_VSCROLL) != 0;
            EXPECT_EQ(scrolls, lines > visible);
            scrolled += scrolls ? 1 : 0;
            for (int first = 0; first <= std::max(lines - visible, 0); ++first) {
                SendMessageW(box, EM_LINESCROLL, 0, first - SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0));
                for (int line = 0; line < lines; ++line) {
                    const auto at = static_cast<WPARAM>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
                    const int top = static_cast<short>(HIWORD(SendMessageW(box, EM_POSFROMCHAR, at, 0)));
                    const bool whole = top >= textRect.top && top + pitch <= textRect.bottom;
                    const bool outside = top + pitch <= textRect.top || top >= textRect.bottom;
                    EXPECT_TRUE(whole || outside) << "line " << line << " at " << top;
                    EXPECT_EQ(whole, line >= first && line < first + visible) << "line " << line;
                }
            }
            click(item(dialog, IDOK));
        });
    }
    // The set holds texts that need the scroll bar and texts that do not.
    EXPECT_GT(scrolled, 0);
    EXPECT_LT(scrolled, static_cast<int>(longestErrors(reporting.env).size()));
}

// A fatal error leaves only "&Abbruch": Enter, Esc and the frame do nothing. Its letter ends the program.
TEST(ErrorDialog, FatalErrorLeavesOnlyAbbruch)
{
    Reporting reporting;
    HWND fatal = nullptr;
    const auto ended = reporting.report(
        RunError::raised(errnum::OutOfMemory), L"Fehler",
        [&](HWND dialog) {
            fatal = dialog;
            EXPECT_FALSE(IsWindowEnabled(item(dialog, IDOK)));
            EXPECT_TRUE(IsWindowVisible(item(dialog, id::cmdExit)));
            SetFocus(item(dialog, id::cmdDetails));
            press(VK_RETURN);
            press(VK_ESCAPE);
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        },
        [](HWND dialog) {
            EXPECT_TRUE(IsWindowVisible(dialog));
            // Alt+A
            PostMessageW(GetFocus(), WM_SYSCHAR, L'a', static_cast<LPARAM>(0x20000001));
        });
    EXPECT_EQ(ended, std::optional(EndReason::Aborted));
    EXPECT_FALSE(IsWindow(fatal));
}
