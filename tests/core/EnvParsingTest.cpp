// The text readers every Env inherits: the first field of a file and the
// private-profile lookup.
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

class FirstFieldTest : public ::testing::Test {
protected:
    std::string firstField(std::string_view content)
    {
        env.putFile("/f.ini", content);
        std::string field = "vorher";
        EXPECT_TRUE(env.readFirstField("/f.ini", &field).isOk());
        return field;
    }

    MemEnv env;
};

TEST_F(FirstFieldTest, QuotedFieldKeepsCommasAndBlanks)
{
    EXPECT_EQ(firstField("  \"C:\\Praxis, alt\\Daten \",2\r\nx"), "C:\\Praxis, alt\\Daten ");
    EXPECT_EQ(firstField("\"ohne Ende"), "ohne Ende");
}

TEST_F(FirstFieldTest, UnquotedFieldEndsAtCommaOrLineEnd)
{
    EXPECT_EQ(firstField(" \tC:\\Praxis\\Daten  ,2\r\n"), "C:\\Praxis\\Daten");
    EXPECT_EQ(firstField(cp1252::ansi("C:\\Zahnärzte\r\nzweite")), cp1252::ansi("C:\\Zahnärzte"));
    EXPECT_EQ(firstField("C:\\Daten\rzweite"), "C:\\Daten");
    EXPECT_EQ(firstField("C:\\Daten"), "C:\\Daten");
}

TEST_F(FirstFieldTest, BlankFirstLineGivesEmptyField)
{
    EXPECT_EQ(firstField("   \r\nC:\\Daten\r\n"), "");
    EXPECT_EQ(firstField("\nC:\\Daten"), "");
}

TEST_F(FirstFieldTest, EmptyOrMissingFileFails)
{
    env.putFile("/leer.ini", "");
    std::string field = "vorher";
    EXPECT_EQ(env.readFirstField("/leer.ini", &field).number(), errnum::InputPastEnd);
    EXPECT_EQ(field, "");
    EXPECT_EQ(env.readFirstField("/fehlt.ini", &field).number(), errnum::FileNotFound);
}

class ProfileTest : public ::testing::Test {
protected:
    std::string lookup(const std::string& section, const std::string& key, std::size_t size = 500,
                       const std::string& file = "/error.dat")
    {
        std::string value;
        EXPECT_TRUE(env.privateProfileString(file, section, key, "Vorgabe", size, &value).isOk());
        return value;
    }

    MemEnv env;
};

TEST_F(ProfileTest, SectionAndKeyMatchRegardlessOfCaseAndBlanks)
{
    env.putFile("/error.dat", cp1252::ansi("; Erklärungen\r\n"
                                           "[Allgemein]\r\n53=falsch\r\n"
                                           "  [ ERRORS ]  \r\n"
                                           "  53  =   Datei fehlt.  \r\n"
                                           "53=zweiter Eintrag\r\n"
                                           ";61=auskommentiert\r\n"
                                           "Größe=\"  in Anführung  \"\r\n"
                                           "kurz='x'\r\n"
                                           "halb=\"x'\r\n"
                                           "[errors]\r\n75=zweiter Abschnitt\r\n"));

    EXPECT_EQ(lookup("Errors", "53"), "Datei fehlt.");
    EXPECT_EQ(lookup("errors", cp1252::ansi("GRÖßE")), cp1252::ansi("  in Anführung  "));
    EXPECT_EQ(lookup("Errors", "kurz"), "x");
    EXPECT_EQ(lookup("Errors", "halb"), "\"x'");
    EXPECT_EQ(lookup("Errors", "61"), "Vorgabe");
    EXPECT_EQ(lookup("Errors", "75"), "Vorgabe");
}

TEST_F(ProfileTest, LfLineEndsWork)
{
    env.putFile("/error.dat", "[Errors]\n70=Zugriff verweigert\n");
    EXPECT_EQ(lookup("Errors", "70"), "Zugriff verweigert");
}

TEST_F(ProfileTest, ValueAndDefaultAreCutToBufferSize)
{
    env.putFile("/error.dat", "[Errors]\r\n7=" + std::string(600, 'a') + "\r\n");
    EXPECT_EQ(lookup("Errors", "7"), std::string(499, 'a'));
    EXPECT_EQ(lookup("Errors", "7", 1), "");
    EXPECT_EQ(lookup("Errors", "8", 4), "Vor");
    EXPECT_EQ(lookup("Errors", "8", 0), "");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesDefault)
{
    env.putFile("/error.dat", "[Errors]\r\n53=Datei fehlt\r\n");
    EXPECT_EQ(lookup("Errors", "53", 500, "/fehlt.dat"), "Vorgabe");
    EXPECT_EQ(lookup("Fehler", "53"), "Vorgabe");
    EXPECT_EQ(lookup("Errors", "54"), "Vorgabe");
}

} // namespace
} // namespace torvane
