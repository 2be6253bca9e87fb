#include "errors/ErrorDialogBase.h"
#include "errors/ErrorFunctions.h"
#include "errors/ErrorLog.h"
#include "platform/MemEnv.h"
#include "support/RecordingReporter.h"

#include <gtest/gtest.h>

#include <string>

namespace torvane {
namespace {

using testsupport::RecordingReporter;

// Only what the base does for every front end matters here.
class PlainDialog final : public ErrorDialogBase {
public:
    using ErrorDialogBase::ErrorDialogBase;
    void setDetailsText(const std::string&) override {}
    void SetForm(bool) override {}
    void setInformationLayout() override {}
    void disableOk() override {}
    void setMessageText(const std::string&) override {}
    DialogAnswer showModal() override { return DialogAnswer::Ok; }
};

TEST(ErrorFunctionsTest, CorrectPathVersionAndProfileValues)
{
    MemEnv env('\\');
    RecordingReporter errors;
    EXPECT_EQ(CorrectPath("C:\\Temp", '\\', errors), "C:\\Temp\\");
    EXPECT_EQ(CorrectPath("C:\\Temp\\", '\\', errors), "C:\\Temp\\");
    EXPECT_EQ(CorrectPath("", '\\', errors), "\\");
    EXPECT_EQ(CorrectPath("/tmp", '/', errors), "/tmp/");
    EXPECT_EQ(GetVersion(errors), "1.1.0");

    const std::string file = "C:\\Temp\\error.dat";
    env.putFile(file, "[Andere]\r\n53=falsch\r\n[errors]\r\n 53 =  Datei fehlt  \r\n75=" + std::string(600, 'y'));
    EXPECT_EQ(ReadIniFile(env, errors, file, "Errors", "53", ""), "Datei fehlt");
    EXPECT_EQ(ReadIniFile(env, errors, file, "Errors", "75", ""), std::string(499, 'y'));
    EXPECT_EQ(ReadIniFile(env, errors, file, "Errors", "76", "keine"), "keine");
    EXPECT_EQ(ReadIniFile(env, errors, "C:\\Temp\\fehlt.dat", "Errors", "53", "keine"), "keine");
    EXPECT_TRUE(errors.reports.empty());
}

TEST(ErrorLogTest, HeaderNamesTheTemporaryFolderAsStored)
{
    MemEnv env('/');
    RecordingReporter errors;
    Workspace workspace;
    workspace.temppfad = "/tmp";
    const ErrorLog log(env, workspace, errors);
    EXPECT_FALSE(log.exists());
    log.create();
    EXPECT_TRUE(log.exists());
    EXPECT_EQ(env.fileBytes("/tmp/Errorlog.txt"), "===================== General Information =====================\r\n"
                                                   "AppName: Torvane\r\nVersion: 1.1.0\r\nLocation: /tmp\r\n"
                                                   "===================== End General Information =================\r\n"
                                                   "\r\n");
    EXPECT_EQ(ErrorLog::entry({-5, "Fehler", "Scripting", 1400}, "Error in Z: Sub z", "", {2009, 1, 2, 3, 4, 5}),
              "Error -5: Fehler\r\nLast DLL Error: 1400\r\nError Source: Scripting\r\n"
              "Procedure: Error in Z: Sub z\r\nDate: 02.01.2009 Time: 03:04:05\r\n");
}

TEST(ErrorDialogBaseTest, WritetoLogAppendsOrReportsItsFailure)
{
    MemEnv env('\\');
    RecordingReporter errors;
    Workspace workspace;
    workspace.temppfad = "C:\\Temp\\";
    const ErrorLog log(env, workspace, errors);
    PlainDialog dialog(log, errors);

    dialog.WritetoLog("Eintrag\r\n");
    EXPECT_EQ(env.fileBytes("C:\\Temp\\Errorlog.txt"), "Eintrag\r\n\r\n\r\n");
    EXPECT_EQ(dialog.ChangeErrMsg(75, "Text", "Ort"), "Text");

    workspace.temppfad = "C:\\Fehlt\\";
    dialog.WritetoLog("Eintrag\r\n");
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, 76);
    EXPECT_EQ(errors.reports[0].location, "Error in frmError: Sub WritetoLog");
}

} // namespace
} // namespace torvane
