#include "platform/Cp1252.h"
#include "platform/FirstField.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(FirstFieldTest, FirstFieldOfTheFirstLine)
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
        EXPECT_THAT(readFirstField(env, "/f.ini", &field), IsOk()) << content;
        EXPECT_EQ(field, expected) << content;
    }
    env.putFile("/f.ini", "");
    std::string field = "vorher";
    EXPECT_EQ(readFirstField(env, "/f.ini", &field).number(), errnum::InputPastEnd);
    EXPECT_EQ(field, "");
    EXPECT_EQ(readFirstField(env, "/fehlt.ini", &field).number(), errnum::FileNotFound);
}

} // namespace
} // namespace torvane
