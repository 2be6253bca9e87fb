#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvane::texts {

// Why a run does not start, what it warns about, and why a copy-back does
// not replace anything. As Windows-1252; message lines are separated by
// single carriage returns. Folders end in their separator.

std::string tableMissing(const std::string& file, const std::string& dataFolder);
std::string tableUnreadable(const std::string& file, const std::string& dataFolder, const std::string& reason);
std::string noRoomInTemp(const std::string& tempFolder, std::uint64_t needed, std::uint64_t available);
std::string noRoomInData(const std::string& dataFolder, std::uint64_t needed, std::uint64_t available);
std::string noRoomOnSharedVolume(const std::string& tempFolder, const std::string& dataFolder, std::uint64_t needed,
                                 std::uint64_t available);
std::string tempFolderInUse(const std::string& tempFolder);
std::string tempFolderNotLocked(const std::string& tempFolder);

// The copy-back found a table of the data folder changed since it was copied.
std::string changedMeanwhile(const std::string& file, const std::string& outputFolder);

// Warnings, each beginning with the table file's name and ": ".
std::string otherVersion(const std::string& file, unsigned version);
std::string headerLengthDiffers(const std::string& file, unsigned claimed, std::uint64_t read);
std::string recordLengthDiffers(const std::string& file, int claimed, std::int64_t widths);
std::string rowsMissing(const std::string& file, std::int64_t missing, std::int64_t claimed);
std::string memoField(const std::string& file, const std::string& field);
std::string nonTextField(const std::string& file, const std::string& field, const std::string& type);
std::string noKeyInPatients(const std::string& file);
std::string noKeyInExaminations(const std::string& file);
std::string fieldDropped(const std::string& file, const std::string& field, std::uint32_t values);
std::string valuesCut(const std::string& file, const std::string& field, std::uint32_t values);
std::string noRowReached(const std::string& file, std::int32_t rows);
std::string sameNumbers(const std::string& file, const std::vector<std::int32_t>& numbers);

// The "Warnung" box: the first warnings, as many as fit on a screen of the
// practice's (each may take two lines), the rest counted.
inline constexpr std::size_t WarningsOnScreen = 15;
std::string warningBox(const std::vector<std::string>& warnings, std::size_t maxLines = WarningsOnScreen);
// The line that starts each warning in the log box and on standard error.
inline constexpr const char* WarningPrefix = "Warnung: ";

} // namespace torvane::texts
