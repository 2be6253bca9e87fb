#include "files/DataPathFile.h"
#include "support/MemDisk.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(DataPathFileTest, ReadsTheFirstFieldOfTheFirstLineAndIsEmptyWithoutIt)
{
    const std::string ini = "C:\\ProgramData\\Velmora_Patientendaten\\dbpfad.ini";
    testsupport::MemDisk disk;
    DataPathFile dataPath{disk.env, disk.errors, disk.paths, disk.workspace};
    EXPECT_EQ(dataPath.hole_dbpfad(), "") << "no file, no report";
    EXPECT_EQ(disk.workspace.appdatenpfad, "C:\\ProgramData\\Velmora_Patientendaten\\");
    const std::pair<const char*, const char*> shapes[] = {
        {"\"C:\\Praxis, alt\\Daten\",x\r\nD:\\\r\n", "C:\\Praxis, alt\\Daten"},
        {"C:\\Praxis, alt\\Daten\r\n", "C:\\Praxis"},
        {"   \r\nC:\\Daten\r\n", ""},
        {"\"   \"\r\n", ""},
        {"\" C:\\Daten \"\r\n", " C:\\Daten "},
    };
    for (const auto& [content, expected] : shapes) {
        disk.mem.putFile(ini, content);
        EXPECT_EQ(dataPath.hole_dbpfad(), expected) << content;
    }
    EXPECT_TRUE(disk.errors.reports.empty());

    disk.env.failAlways(FaultInjectingEnv::Op::ReadFile, "dbpfad", errnum::PermissionDenied);
    EXPECT_EQ(dataPath.hole_dbpfad(), "");
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Function hole_dbpfad");
}

} // namespace
} // namespace torvane
