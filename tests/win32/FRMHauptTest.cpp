// The Win32 main window: its controls, and the whole flow on a small generated practice.

#include "Controls.h"
#include "WindowScript.h"

#include "errors/RunError.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "platform/Utf16.h"
#include "reorg/RunTexts.h"
#include "reorg/Session.h"
#include "sample/SamplePractice.h"
#include "support/platform/MemEnv.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/FRMHaupt.h"
#include "win32/WholeLinesEdit.h"
#include "win32/WideText.h"
#include "win32/Win32ErrorDialogFactory.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace torvane;
using namespace torvane::win32test;
namespace id = torvane::win32::id;

namespace {

const std::string DataFolder = cp1252::ansi("C:\\Praxis Müller\\");

// How the main window looked when its progress bar was painted, or when a message opened.
struct Seen {
    bool waitPointer = false;
    bool buttonsEnabled = false;
    std::wstring counter;
    int bar = 0;
    bool outputWritten = false;

    bool operator==(const Seen&) const = default;
};

// A message box as it opened: its texts and icon, over which window, and whether that window still showed.
struct Shown {
    std::wstring title, text;
    HICON icon = nullptr;
    HWND owner = nullptr;
    bool ownerShown = false;
    Seen window;
    std::size_t paintedBefore = 0;
};

// A practice in memory, a data-path file naming it, and the main window loaded and shown over it.
// The chooser answers from the test.
struct Practice : win32::FileChooser {
    MemEnv env{'\\'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    win32::Win32ErrorDialogFactory dialogs{env, "support@example.invalid"};
    Session session{env, clock, dialogs};
    std::optional<EndReason> ended;
    win32::FRMHaupt window{session, *this, [this](EndReason reason) { ended = reason; }};
    std::optional<std::string> answer; // nothing: cancel
    desktop::ChooserRequest asked;
    HWND askedOver = nullptr;
    std::vector<Seen> painted;

    Practice()
    {
        env.setCommonAppDataFolder("C:\\ProgramData");
        env.createFolders("C:\\ProgramData\\Velmora_Patientendaten");
        env.putFile("C:\\ProgramData\\Velmora_Patientendaten\\dbpfad.ini",
                    DataFolder.substr(0, DataFolder.size() - 1) + "\r\n");
        env.createFolders(DataFolder.substr(0, DataFolder.size() - 1));
        sample::writeSamplePractice(env, DataFolder, {.patients = 30, .seed = 7, .withKvxdat3 = true});
        dialogs.setOwner(window.hwnd());
        window.Form_Load();
        window.show();
        SetWindowSubclass(control(id::prgprogress_4), notePaint, 1, reinterpret_cast<DWORD_PTR>(this));
    }

    ~Practice() override { RemoveWindowSubclass(control(id::prgprogress_4), notePaint, 1); }

    static LRESULT CALLBACK notePaint(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR practice)
    {
        if (message == WM_PAINT)
            reinterpret_cast<Practice*>(practice)->painted.push_back(reinterpret_cast<Practice*>(practice)->seen());
        return DefSubclassProc(bar, message, wParam, lParam);
    }

    std::optional<std::string> chooseFile(HWND owner, const desktop::ChooserRequest& request) override
    {
        askedOver = owner;
        asked = request;
        return answer;
    }

    HWND control(int number) const { return item(window.hwnd(), number); }

    Seen seen() const
    {
        // The pointer the window asks for where the mouse is over it.
        SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        bool output = false;
        for (const std::string& name : env.folderEntries(DataFolder.substr(0, DataFolder.size() - 1)))
            output = output || name.starts_with("REORG_AUSGANG_");
        return {GetCursor() == LoadCursorW(nullptr, IDC_WAIT),
                IsWindowEnabled(control(id::cmdLoad_3)) && IsWindowEnabled(control(id::cmdsynchronisieren_0)) &&
                    IsWindowEnabled(control(id::cmdQuit)),
                text(control(id::lblsatz_3)),
                static_cast<int>(SendMessageW(control(id::prgprogress_4), PBM_GETPOS, 0, 0)), output};
    }

    Shown shown(HWND box) const
    {
        HWND owner = GetWindow(box, GW_OWNER);
        return {text(box), messageBoxText(box), messageBoxIcon(box), owner, IsWindowVisible(owner) != FALSE,
                seen(),    painted.size()};
    }

    void choose(std::optional<std::string> name)
    {
        answer = std::move(name);
        click(control(id::cmdLoad_3));
    }

    std::vector<std::string> tables(const std::string& folder) const
    {
        std::vector<std::string> bytes;
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            bytes.push_back(env.fileBytes(folder + table).value_or("missing"));
        return bytes;
    }
};

std::wstring wide(const char* utf8)
{
    return win32::wide(cp1252::ansi(utf8));
}

} // namespace

TEST(FRMHaupt, ShowsItsControlsWithTheirTextsFontsAndStates)
{
    Practice practice;
    EXPECT_EQ(text(practice.window.hwnd()), L"Torvane");
    EXPECT_NE(SendMessageW(practice.window.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
    struct Control {
        int number;
        std::wstring text;
        double points;
        bool bold;
    };
    const Control controls[] = {
        {id::cmdLoad_3, wide("Reorg-Datei wählen"), 13.5, true},
        {id::lblfiletext_1, L"Pfad", 12, false},
        {id::txtfile_9, L"", 12, true},
        {id::txtfile_8, L"", 12, true},
        {id::lblsatz_3, L"0", 24, true},
        {id::cmdsynchronisieren_0, L"Start - Reorganisieren", 13.5, true},
        {id::cmdQuit, L"Ende", 13.5, true},
        {id::lblbuild, L"Builddatum: 2010/11/30", 14.25, true},
    };
    const int dpi = win32::windowDpi(practice.window.hwnd());
    for (const Control& expected : controls) {
        HWND control = practice.control(expected.number);
        SCOPED_TRACE(expected.number);
        EXPECT_EQ(text(control), expected.text);
        EXPECT_TRUE(IsWindowVisible(control));
        const LOGFONTW font = fontOf(control);
        EXPECT_EQ(font.lfHeight, -std::lround(expected.points * dpi / 72));
        EXPECT_EQ(font.lfWeight, expected.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_STREQ(font.lfFaceName, L"Trebuchet MS");
        if (expected.number != id::txtfile_9 && expected.number != id::txtfile_8) {
            EXPECT_TRUE(textFits(control));
        }
    }
    // The counter has room for the largest record numbers.
    SetWindowTextW(practice.control(id::lblsatz_3), L" 999999");
    EXPECT_TRUE(textFits(practice.control(id::lblsatz_3)));
    EXPECT_FALSE(IsWindowEnabled(practice.control(id::cmdsynchronisieren_0)));
    EXPECT_FALSE(IsWindowVisible(practice.control(id::prgprogress_4)));
}

struct Answer {
    const char* name;
    std::vector<int> options;
    enum { Ok, Escape, Frame } how;
    EndReason end;
};

class FinalConfirmation : public ::testing::TestWithParam<Answer> {};

// Copied back on confirmation only; otherwise "Kontrolliertes Ende" opens over the still shown
// "Endhinweis" and the data folder stays byte-identical. From the Start click to the completion
// message the window is busy, and it paints the last record before the output is written.
TEST_P(FinalConfirmation, ChooseStartAndConfirm)
{
    const Answer& answer = GetParam();
    Practice practice;
    const auto before = practice.tables(DataFolder);

    practice.choose(DataFolder + "person.kvt");
    EXPECT_EQ(practice.askedOver, practice.window.hwnd());
    const desktop::ChooserRequest& asked = practice.asked;
    EXPECT_EQ(std::vector<std::string>({asked.startFolder, asked.title, asked.filterDescription, asked.filterPattern}),
              std::vector<std::string>({DataFolder.substr(0, DataFolder.size() - 1),
                                        cp1252::ansi("Datenbank zur Reorganisation wählen"), "KVX-Datenbank (*.KVT)",
                                        "pers*.kvt"}));
    EXPECT_EQ(text(practice.control(id::txtfile_9)), win32::wide(DataFolder));
    ASSERT_TRUE(IsWindowEnabled(practice.control(id::cmdsynchronisieren_0)));

    std::vector<Shown> shown;
    HWND confirmation = nullptr;
    WindowScript script;
    script.then(L"...und fertig!", [&](HWND box) {
        shown.push_back(practice.shown(box));
        // The log with the run's summary, in whole lines, scrolling only when it must.
        HWND log = practice.control(id::txtfile_8);
        EXPECT_TRUE(text(log).starts_with(L"Die Datei wird reorganisiert\r\n"));
        const win32::WholeLinesEdit edit(log);
        RECT shownText;
        SendMessageW(log, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shownText));
        EXPECT_EQ(shownText.bottom - shownText.top, edit.visibleLines() * edit.lineHeight());
        RECT client;
        GetClientRect(log, &client);
        EXPECT_LT(client.bottom - edit.visibleLines() * edit.lineHeight(), edit.lineHeight() * 3 / 2);
        const bool scrolls = (GetWindowLongPtrW(log, GWL_STYLE) & WS_VSCROLL) != 0;
        EXPECT_EQ(scrolls, SendMessageW(log, EM_GETLINECOUNT, 0, 0) > edit.visibleLines());
        click(item(box, IDOK));
    });
    // The sample practice has patient numbers twice: their warning follows the completion.
    script.then(L"Warnung", [&](HWND box) {
        shown.push_back(practice.shown(box));
        click(item(box, IDOK));
    });
    script.then(L"Endhinweis", [&](HWND window) {
        confirmation = window;
        EXPECT_EQ(GetWindow(window, GW_OWNER), practice.window.hwnd());
        EXPECT_EQ(text(item(window, id::txtWarnhinweis)), win32::wideLines(texts::confirmationWarning()));
        EXPECT_EQ(text(item(window, id::optJANEIN_0)), win32::wide(texts::confirmationBackup()));
        EXPECT_EQ(text(item(window, id::optJANEIN_1)), win32::wide(texts::confirmationDoubt()));
        EXPECT_FALSE(IsWindowEnabled(item(window, IDOK)));
        for (int option : answer.options)
            click(item(window, option));
        EXPECT_TRUE(IsWindowEnabled(item(window, IDOK)));
        if (answer.how == Answer::Ok)
            click(item(window, IDOK));
        else if (answer.how == Answer::Escape)
            press(VK_ESCAPE);
        else
            PostMessageW(window, WM_CLOSE, 0, 0);
    });
    if (answer.end == EndReason::Doubt) {
        script.then(L"Kontrolliertes Ende", [&](HWND box) {
            shown.push_back(practice.shown(box));
            press(VK_RETURN);
        });
    }
    practice.painted.clear();
    click(practice.control(id::cmdsynchronisieren_0));
    EXPECT_EQ(practice.ended, std::optional(answer.end));
    EXPECT_FALSE(IsWindowVisible(practice.window.hwnd()));

    ASSERT_EQ(shown.size(), answer.end == EndReason::Doubt ? 3u : 2u);
    const Shown& completion = shown.front();
    const Shown& warning = shown.at(1);
    EXPECT_EQ(warning.title, L"Warnung");
    EXPECT_EQ(warning.owner, practice.window.hwnd());
    EXPECT_EQ(warning.icon, LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_NE(warning.text.find(L"mehrfach vor"), std::wstring::npos);
    const int records = static_cast<int>(SendMessageW(practice.control(id::prgprogress_4), PBM_GETRANGE, FALSE, 0));
    const Seen lastRecord{true, false, L" " + std::to_wstring(records), records, false};
    ASSERT_GT(completion.paintedBefore, 1u);
    EXPECT_EQ(practice.painted.at(completion.paintedBefore - 1), lastRecord);
    for (std::size_t i = 0; i < completion.paintedBefore; ++i)
        EXPECT_TRUE(practice.painted[i].waitPointer && !practice.painted[i].buttonsEnabled);
    EXPECT_EQ(completion.title, L"...und fertig!");
    EXPECT_EQ(completion.owner, practice.window.hwnd());
    EXPECT_EQ(completion.icon, LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_TRUE(!completion.window.waitPointer && completion.window.buttonsEnabled);
    if (answer.end == EndReason::Doubt) {
        const Shown& doubt = shown.back();
        EXPECT_EQ(doubt.title, L"Kontrolliertes Ende");
        EXPECT_EQ(doubt.text, win32::wideLines(texts::doubtEnd()));
        EXPECT_EQ(doubt.icon, LoadIconW(nullptr, IDI_INFORMATION));
        EXPECT_TRUE(doubt.owner == confirmation && doubt.ownerShown);
    }
    const std::wstring prefix =
        L"Die Umsetzung ist vollst\u00e4ndig erfolgt. Sie finden die\r\nneuen Dateien unter:\r\n";
    ASSERT_TRUE(completion.text.starts_with(prefix + win32::wide(DataFolder) + L"REORG_AUSGANG_"));
    std::string output;
    utf16::toCp1252(completion.text.substr(prefix.size(), completion.text.find(L"\r\n", prefix.size()) - prefix.size()),
                    &output);
    const auto reorganised = practice.tables(output);
    EXPECT_NE(reorganised, before);
    EXPECT_EQ(practice.tables(DataFolder), answer.end == EndReason::CopiedBack ? reorganised : before);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FinalConfirmation,
    ::testing::Values(
        Answer{"BackupAfterDoubting", {id::optJANEIN_1, id::optJANEIN_0}, Answer::Ok, EndReason::CopiedBack},
        Answer{"DoubtAfterBackup", {id::optJANEIN_0, id::optJANEIN_1}, Answer::Ok, EndReason::Doubt},
        Answer{"BackupThenEsc", {id::optJANEIN_0}, Answer::Escape, EndReason::Doubt},
        Answer{"BackupThenClosedByTheFrame", {id::optJANEIN_0}, Answer::Frame, EndReason::Doubt}),
    [](const ::testing::TestParamInfo<Answer>& test) { return std::string(test.param.name); });

// A table that is no table stops the run with the error dialog over the main window; the bug report
// goes out with the log attached, and "&Abbruch" ends the program with the data folder untouched.
TEST(FRMHaupt, ABrokenTableEndsTheRunThroughTheErrorDialog)
{
    Practice practice;
    practice.env.putFile(DataFolder + "kvxdat2.kvt", std::string(20, 'x'));
    const auto before = practice.tables(DataFolder);
    practice.choose(DataFolder + "person.kvt");
    WindowScript script;
    script.then(L"Fehler", [&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), practice.window.hwnd());
        EXPECT_NE(text(item(dialog, id::txtMsg)).find(L"kvxdat2.kvt"), std::wstring::npos);
        click(item(dialog, id::cmdbugreport));
        click(item(dialog, id::cmdExit));
    });
    click(practice.control(id::cmdsynchronisieren_0));
    EXPECT_EQ(practice.ended, std::optional(EndReason::Aborted));
    EXPECT_EQ(practice.tables(DataFolder), before);
    ASSERT_EQ(practice.env.openedUrls().size(), 1u);
    EXPECT_TRUE(practice.env.openedUrls()[0].ends_with("Errorlog.txt\""));
}

// What an interrupted copy-back left in the chosen folder is dealt with before Start is offered,
// and the user told in a message box over the main window.
TEST(FRMHaupt, RecoveryAfterTheChoice)
{
    Practice practice;
    practice.env.putFile(DataFolder + "person.kvt.torvane-neu", "halb kopiert");
    WindowScript script;
    std::optional<Shown> told;
    script.then(L"Information", [&](HWND box) {
        told = practice.shown(box);
        click(item(box, IDOK));
    });
    practice.choose(DataFolder + "person.kvt");
    ASSERT_TRUE(told);
    EXPECT_EQ(told->owner, practice.window.hwnd());
    EXPECT_NE(told->text.find(win32::wide(cp1252::ansi("wurden Dateien einer abgebrochenen Übernahme gefunden:")) +
                              L"\r\nperson.kvt.torvane-neu\r\n"),
              std::wstring::npos);
    EXPECT_FALSE(practice.env.fileBytes(DataFolder + "person.kvt.torvane-neu"));
    EXPECT_FALSE(practice.ended);
    EXPECT_TRUE(IsWindowEnabled(practice.control(id::cmdsynchronisieren_0)));
}

// The first cancel ends the program; a later one keeps the folder, and the frame then ends as "Ende".
TEST(FRMHaupt, CancellingTheChooser)
{
    Practice first, later;
    later.choose(DataFolder + "person.kvt");
    for (Practice* practice : {&first, &later}) {
        WindowScript script;
        script.then(L"Information", [](HWND dialog) {
            EXPECT_EQ(text(item(dialog, id::txtMsg)),
                      win32::wideLines(RunError::raised(errnum::ChooserCancelled).text));
            click(item(dialog, IDOK));
        });
        practice->choose(std::nullopt);
    }
    EXPECT_EQ(first.ended, std::optional(EndReason::NoFolder));
    EXPECT_FALSE(IsWindowVisible(first.window.hwnd()));
    EXPECT_FALSE(later.ended);
    EXPECT_TRUE(IsWindowEnabled(later.control(id::cmdsynchronisieren_0)));
    EXPECT_EQ(later.session.workspace.quellpfad[0], DataFolder);
    SendMessageW(later.window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(later.ended, std::optional(EndReason::Quit));
}

// Enter and Esc mean nothing in the main window; "Ende" ends without a question.
TEST(FRMHaupt, EndeEndsAndKeysDoNothing)
{
    Practice practice;
    SetFocus(practice.control(id::txtfile_9));
    press(VK_ESCAPE);
    press(VK_RETURN);
    handleMessages(practice.window.hwnd());
    EXPECT_FALSE(practice.ended);
    click(practice.control(id::cmdQuit));
    EXPECT_EQ(practice.ended, std::optional(EndReason::Quit));
}
