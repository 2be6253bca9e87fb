#include "files/IntentRecord.h"
#include "platform/Cp1252.h"
#include "reorg/CopyBackTexts.h"
#include "reorg/DataFolderGuard.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

using State = DataFolderGuard::State;
using ::testing::HasSubstr;

// One program started on the practice's data folder.
struct Program {
    explicit Program(Env& env) : session(env, clock, dialogs) { session.load(); }
    DataFolderGuard::Check secure()
    {
        std::string data = "/praxis";
        return DataFolderGuard(session).sichere_datenordner(data);
    }

    FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    testsupport::ScriptedErrorDialogFactory dialogs;
    Session session;
};

TEST(DataFolderGuardTest, OneProgramAtATimeHoldsTheDataFolder)
{
    MemEnv env('/');
    env.createFolders("/praxis");
    Program first(env), second(env);
    const DataFolderGuard::Check held = first.secure();
    EXPECT_TRUE(held.state == State::Ready && !held.notice);
    const DataFolderGuard::Check refused = second.secure();
    EXPECT_EQ(refused.state, State::HeldElsewhere);
    EXPECT_EQ(refused.notice->text, texts::otherRunActive("/praxis/"));
    EXPECT_EQ(first.secure().state, State::Ready) << "a folder it holds stays its own";
    DataFolderGuard(first.session).release();
    EXPECT_EQ(second.secure().state, State::Ready);
}

// A data folder a copy-back left halfway: originals, staged tables, and the
// record when it got that far.
struct Interrupted {
    explicit Interrupted(bool withRecord)
    {
        for (const char* table : {"person.kvt", "kvxdat1.kvt"}) {
            mem.putFile(std::string("/praxis/") + table, std::string("alt ") + table);
            mem.putFile(std::string("/praxis/") + table + ".torvane-neu", std::string("neu ") + table);
        }
        if (withRecord)
            mem.putFile("/praxis/REORG_UEBERNAHME.txt",
                        IntentRecord{"REORG_SICHERUNG_03_05_0",
                                     1,
                                     "05.03.2011 09:30:00",
                                     {{"person.kvt", true, true}, {"kvxdat1.kvt", true, true}}}
                            .text());
    }
    std::string log() const { return mem.fileBytes("/tmp/Errorlog.txt").value_or(""); }

    MemEnv mem{'/'};
    FaultInjectingEnv env{mem};
};

TEST(DataFolderGuardTest, WhatRecoveryFoundAndDidIsToldAndLoggedAsAnInformation)
{
    Interrupted back(false);
    const DataFolderGuard::Check discarded = Program(back.env).secure();
    EXPECT_EQ(discarded.state, State::Ready);
    EXPECT_EQ(discarded.notice->title, "Information");
    EXPECT_EQ(discarded.notice->text,
              texts::recoveryDiscarded("/praxis/", {"kvxdat1.kvt.torvane-neu", "person.kvt.torvane-neu"}));
    EXPECT_EQ(back.mem.folderEntries("/praxis"), (std::vector<std::string>{"kvxdat1.kvt", "person.kvt"}));
    EXPECT_THAT(back.log(), HasSubstr(cp1252::ansi("\r\n\r\nInformation: Unterbrochene Übernahme abgeschlossen\r\n"
                                                   "Im Datenordner\r\n/praxis/\r\nwurden Dateien einer abgebrochenen "
                                                   "Übernahme gefunden:\r\n")));
    EXPECT_TRUE(back.log().ends_with(cp1252::ansi("Ihre Originaldaten sind unverändert.\r\nError Source: Torvane\r\n"
                                                  "Date: 05.03.2011 Time: 09:30:00\r\n\r\n\r\n")));

    Interrupted forward(true);
    const DataFolderGuard::Check finished = Program(forward.env).secure();
    EXPECT_EQ(finished.state, State::Ready);
    EXPECT_EQ(finished.notice->text, texts::recoveryFinished("/praxis/", "/praxis/REORG_SICHERUNG_03_05_0/"));
    EXPECT_EQ(forward.mem.fileBytes("/praxis/person.kvt"), "neu person.kvt");
    EXPECT_EQ(forward.mem.fileBytes("/praxis/REORG_SICHERUNG_03_05_0/person.kvt"), "alt person.kvt");
}

// The files stay where they are, and the message says where.
TEST(DataFolderGuardTest, ARecoveryThatFailsSaysWhereEveryTableIs)
{
    Interrupted forward(true);
    forward.env.failAlways(FaultInjectingEnv::Op::RenameFile, "kvxdat1", errnum::PermissionDenied);
    const DataFolderGuard::Check failed = Program(forward.env).secure();
    EXPECT_EQ(failed.state, State::RecoveryFailed);
    EXPECT_EQ(failed.notice->title, "Kontrolliertes Ende");
    EXPECT_EQ(failed.notice->text,
              texts::recoveryFailed("/praxis/", "person.kvt: neu unter /praxis/person.kvt, Original unter "
                                                "/praxis/REORG_SICHERUNG_03_05_0/person.kvt\r"
                                                "kvxdat1.kvt: neu unter /praxis/kvxdat1.kvt.torvane-neu, "
                                                "Original unter /praxis/kvxdat1.kvt\r"));
    EXPECT_THAT(forward.log(), HasSubstr(cp1252::ansi("Information: Unterbrochene Übernahme nicht abgeschlossen")));
    EXPECT_TRUE(forward.mem.fileBytes("/praxis/REORG_UEBERNAHME.txt"));
}

} // namespace
} // namespace torvane
