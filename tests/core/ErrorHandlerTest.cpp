#include "errors/CorrectPath.h"
#include "errors/ErrorHandler.h"
#include "errors/ProgramEnd.h"
#include "errors/RunTimeTexts.h"
#include "errors/Trap.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace torvane {
namespace {

const std::string LogPath = "C:\\Temp\\Errorlog.txt";
const std::string Copying = "Error in E_Datei: Sub kopiere_datenbanken";
const std::string Header = "===================== General Information =====================\r\n"
                           "AppName: Torvane\r\nVersion: 1.1.0\r\nLocation: C:\\Temp\\\r\n"
                           "===================== End General Information =================\r\n\r\n";

// The entry of an error of ours in kopiere_datenbanken, with two empty lines after it.
std::string logged(int number, const std::string& explanation = "")
{
    return "Error " + std::to_string(number) + ": " + runTimeText(number) + "\r\n" + explanation +
           "Last DLL Error: 0\r\nError Source: Torvane\r\nProcedure: " + Copying +
           "\r\nDate: 05.03.2011 Time: 14:07:09\r\n\r\n\r\n";
}

class ErrorHandlerTest : public ::testing::Test {
protected:
    ErrorHandlerTest() { tempFolder = "C:\\Temp\\"; }

    std::string log() const { return env.fileBytes(LogPath).value_or("<no log>"); }

    // Two steps: the first fails, the second shows whether the procedure resumed.
    void runFailingProcedure(ErrorReporter& errors, int number)
    {
        Trap trap(errors, Copying.c_str());
        trap([&] { throw RunError::raised(number); });
        trap([&] { resumed = true; });
    }
    void report(int number) { handler.ErrorFunction(RunError::raised(number), Copying); }

    MemEnv env{'\\'};
    FixedClock clock{{2011, 3, 5, 14, 7, 9}};
    testsupport::ScriptedErrorDialogFactory dialogs;
    std::string tempFolder; // set only after the handler exists
    ErrorHandler handler{env, clock, dialogs, tempFolder};
    bool resumed = false;
};

TEST_F(ErrorHandlerTest, LogsOrdinaryErrorsBelowOneHeaderAndResumes)
{
    runFailingProcedure(handler, 75);
    EXPECT_TRUE(resumed);
    handler.ErrorFunction({424, "Objekt erforderlich", "Scripting", 32}, "Error in D_Datenbank: Sub open_database");
    EXPECT_EQ(log(),
              Header + logged(75) +
                  "Error 424: Objekt erforderlich\r\nLast DLL Error: 32\r\nError Source: Scripting\r\n"
                  "Procedure: Error in D_Datenbank: Sub open_database\r\nDate: 05.03.2011 Time: 14:07:09\r\n\r\n\r\n");
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].caption, "Fehler");
    EXPECT_EQ(dialogs.shown[0].message, runTimeText(75));
    EXPECT_EQ(dialogs.shown[0].details + "\r\n\r\n", logged(75));

    ASSERT_THAT(env.deleteFile(LogPath), IsOk());
    report(75);
    EXPECT_EQ(log(), Header + logged(75)) << "a deleted log starts afresh";
}

TEST_F(ErrorHandlerTest, InformationErrorsAreShownAndOnlyCreateTheHeaderFatalOnesDisableOk)
{
    runFailingProcedure(handler, 53);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(log(), Header);
    for (int number : {32755, 52, 76, 54, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 67, 68, 69, 70, 71, 72})
        report(number);
    EXPECT_EQ(log(), Header);
    for (int number : {55, 66, 73, 74, 7})
        report(number);
    handler.ErrorFunction({75, "Out of Memory", "Scripting", 0}, Copying);
    handler.ErrorFunction({75, "out of memory", "Scripting", 0}, Copying);
    EXPECT_EQ(log().rfind(Header + logged(55) + logged(66) + logged(73) + logged(74) + logged(7), 0), 0u);
    ASSERT_EQ(dialogs.shown.size(), 28u);
    for (std::size_t i = 0; i < dialogs.shown.size(); ++i) {
        EXPECT_EQ(dialogs.shown[i].caption, i < 21 ? "Information" : "Fehler") << i;
        EXPECT_EQ(dialogs.shown[i].okEnabled, i != 25 && i != 26) << i;
    }
}

TEST_F(ErrorHandlerTest, ExplanationsComeFromErrorDatCutTo499Characters)
{
    env.putFile("C:\\Temp\\error.dat", "[Errors]\r\n53=" + std::string(600, 'x') + "\r\n");
    report(75);
    EXPECT_EQ(log(), Header + logged(75));

    env.putFile("C:\\Temp\\error.dat", "[Errors]\r\n53=" + std::string(600, 'x') + "\r\n75=" + std::string(600, 'x'));
    report(75);
    report(53);
    const std::string block = "!============Error Information/Solution =============!\r\n" + std::string(499, 'x') +
                              "\r\n!============End of Information/Solution ============!\r\n";
    EXPECT_EQ(log(), Header + logged(75) + logged(75, block));
    EXPECT_NE(dialogs.shown.back().details.find(block), std::string::npos);
}

TEST_F(ErrorHandlerTest, FailuresInsideTheHandlerAreShownWithoutLoopingAndTheProcedureResumes)
{
    FaultInjectingEnv faulty(env);
    faulty.failAlways(FaultInjectingEnv::Op::PrivateProfileString, "", errnum::DeviceIO);
    faulty.failAlways(FaultInjectingEnv::Op::AppendTextLine, "", errnum::DiskFull);
    ErrorHandler failing(faulty, clock, dialogs, tempFolder);
    runFailingProcedure(failing, 75);
    EXPECT_TRUE(resumed);
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_NE(dialogs.shown[1].details.find("Procedure: Error in frmError: Sub WritetoLog"), std::string::npos);
    EXPECT_EQ(dialogs.shown[2].details.rfind("Error 75: ", 0), 0u);
    // Creating the log and writing the entry; reporting those failures leaves the log alone.
    EXPECT_EQ(std::count_if(faulty.log().begin(), faulty.log().end(),
                            [](const auto& record) { return record.op == FaultInjectingEnv::Op::AppendTextLine; }),
              2);
}

TEST_F(ErrorHandlerTest, AbortEndsTheProgramAndNothingMoreRuns)
{
    dialogs.answers.push_back(DialogAnswer::Abort);
    try {
        runFailingProcedure(handler, 75);
        FAIL() << "the program did not end";
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.reason, EndReason::Aborted);
    }
    EXPECT_FALSE(resumed);
    EXPECT_EQ(log(), Header + logged(75));
}

// Only files inside a named staging folder are renamed, however often they occur.
TEST_F(ErrorHandlerTest, MessagesNameTheTablesWorkingCopiesWereMadeFrom)
{
    handler.nameWorkingCopies("C:\\Temp\\TEMP_REORG_EINGANG_03_05_1", "D:\\Praxis\\Daten\\");
    handler.nameWorkingCopies("C:\\Temp\\TEMP_REORG_EINGANG_03_05_2\\", "E:\\Daten");
    const struct {
        std::string text, shown;
    } cases[] = {
        {"Datei nicht gefunden: C:\\Temp\\TEMP_REORG_EINGANG_03_05_1\\person.kvt",
         "Datei nicht gefunden: Kopie von D:\\Praxis\\Daten\\person.kvt"},
        {"(C:\\Temp\\TEMP_REORG_EINGANG_03_05_2\\kvxdat1.kvt, C:\\Temp\\TEMP_REORG_EINGANG_03_05_2\\kvxdat2.kvt)",
         "(Kopie von E:\\Daten\\kvxdat1.kvt, Kopie von E:\\Daten\\kvxdat2.kvt)"},
        {"Pfad nicht gefunden: C:\\Temp\\TEMP_REORG_EINGANG_03_05_1",
         "Pfad nicht gefunden: C:\\Temp\\TEMP_REORG_EINGANG_03_05_1"},
        {"C:\\Temp\\TEMP_REORG_EINGANG_03_05_10\\person.kvt", "C:\\Temp\\TEMP_REORG_EINGANG_03_05_10\\person.kvt"},
        {"C:\\Temp\\persontemp.kvt", "C:\\Temp\\persontemp.kvt"},
    };
    for (const auto& [text, shown] : cases) {
        handler.ErrorFunction({75, text, "Torvane", 0}, Copying);
        EXPECT_EQ(dialogs.shown.back().message, shown);
        EXPECT_EQ(dialogs.shown.back().details.rfind("Error 75: " + text + "\r\n", 0), 0u) << "the log keeps the path";
    }
}

TEST(CorrectPathTest, AddsTheSeparatorOnlyWhenMissing)
{
    testsupport::RecordingReporter errors;
    EXPECT_EQ(CorrectPath("C:\\Temp", '\\', errors), "C:\\Temp\\");
    EXPECT_EQ(CorrectPath("C:\\Temp\\", '\\', errors), "C:\\Temp\\");
    EXPECT_EQ(CorrectPath("", '\\', errors), "\\");
    EXPECT_EQ(CorrectPath("/tmp", '/', errors), "/tmp/");
}

} // namespace
} // namespace torvane
