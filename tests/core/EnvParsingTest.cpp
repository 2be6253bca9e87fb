// The text readers every Env inherits: the first field of a file and the
// private-profile lookup.
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(EnvParsingTest, FirstFieldOfTheFirstLine)
{
    MemEnv env;
    for (const auto& [content, expected] : std::vector<std::pair<std::string, std::string>>{
             {"  \"C:\\Praxis, alt\\Daten \",2\r\nx", "C:\\Praxis, alt\\Daten "},
             {"\"ohne Ende", "ohne Ende"},
             {" \tC:\\Praxis\\Daten  ,2\r\n", "C:\\Praxis\\Daten"},
             {cp1252::ansi("C:\\Zahnärzte\r\nzweite"), cp1252::ansi("C:\\Zahnärzte")},
             {"C:\\Daten\rzweite", "C:\\Daten"},
             {"C:\\Daten", "C:\\Daten"},
             {"   \r\nC:\\Daten\r\n", ""},
             {"\nC:\\Daten", ""}}) {
        env.putFile("/f.ini", content);
        std::string field = "vorher";
        EXPECT_TRUE(env.readFirstField("/f.ini", &field).isOk()) << content;
        EXPECT_EQ(field, expected) << content;
    }
    env.putFile("/f.ini", "");
    std::string field = "vorher";
    EXPECT_EQ(env.readFirstField("/f.ini", &field).number(), errnum::InputPastEnd);
    EXPECT_EQ(field, "");
    EXPECT_EQ(env.readFirstField("/fehlt.ini", &field).number(), errnum::FileNotFound);
}

// Only the first section of a name counts, and in it the first matching key.
// The value is cut to size - 1 characters, as is the default.
TEST(EnvParsingTest, ProfileStringRegardlessOfCaseAndBlanksWithDefault)
{
    MemEnv env;
    env.putFile("/error.dat", cp1252::ansi("; Erklärungen\r\n"
                                           "[Allgemein]\r\n53=falsch\r\n"
                                           "  [ ERRORS ]  \r\n"
                                           "  53  =   Datei fehlt.  \r\n"
                                           "53=zweiter Eintrag\r\n"
                                           ";61=auskommentiert\r\n"
                                           "Größe=\"  in Anführung  \"\n"
                                           "kurz='x'\r\n"
                                           "halb=\"x'\r\n"
                                           "lang=" + std::string(600, 'a') + "\r\n"
                                           "[errors]\r\n75=zweiter Abschnitt\r\n"));
    struct Case { std::string section, key; std::size_t size; std::string expected; };
    for (const Case& c : std::vector<Case>{{"Errors", "53", 500, "Datei fehlt."},
                                           {"errors", cp1252::ansi("GRÖßE"), 500, cp1252::ansi("  in Anführung  ")},
                                           {"Errors", "kurz", 500, "x"},
                                           {"Errors", "halb", 500, "\"x'"},
                                           {"Errors", "lang", 500, std::string(499, 'a')},
                                           {"Errors", "61", 500, "Vorgabe"},
                                           {"Errors", "75", 4, "Vor"},
                                           {"Errors", "54", 0, ""},
                                           {"Fehler", "53", 500, "Vorgabe"}}) {
        std::string value;
        EXPECT_TRUE(env.privateProfileString("/error.dat", c.section, c.key, "Vorgabe", c.size, &value).isOk());
        EXPECT_EQ(value, c.expected) << c.key;
    }
    std::string value;
    EXPECT_TRUE(env.privateProfileString("/fehlt.dat", "Errors", "53", "Vorgabe", 500, &value).isOk());
    EXPECT_EQ(value, "Vorgabe");
}

} // namespace
} // namespace torvane
