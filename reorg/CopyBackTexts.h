#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvane::texts {

// Messages about the data folder itself: its lock, a copy-back interrupted
// earlier, putting the new tables in place and putting a backup back. As
// Windows-1252; message lines are separated by single carriage returns;
// `whereTablesAre` is one such line per table.

std::string otherRunActive(const std::string& dataFolder);
std::string folderNotLocked(const std::string& dataFolder);

std::string recoveryFinished(const std::string& dataFolder, const std::string& backupFolder);
std::string recoveryDiscarded(const std::string& dataFolder, const std::vector<std::string>& names);
std::string recoveryFailed(const std::string& dataFolder, const std::string& whereTablesAre);
std::string recoveryDiscardFailed(const std::string& dataFolder, const std::vector<std::string>& names);
std::string recoveryUnreadable(const std::string& dataFolder);

// The copy-back failed and was undone; or there was no room; or undoing
// failed too and the next start finishes it.
std::string copyBackKeptOriginals(const std::string& outputFolder);
std::string copyBackNoRoom(const std::string& outputFolder, std::uint64_t needed, std::uint64_t available);
std::string copyBackInterrupted(const std::string& outputFolder, const std::string& whereTablesAre);
std::string noFreeBackupName(const std::string& dataFolder);
// The log line after a copy-back.
std::string originalsKeptIn(const std::string& backupFolder);

std::string nothingToRestore(const std::string& dataFolder);
std::string notABackup(const std::string& folder);
std::string restored(const std::string& backupFolder, const std::string& newBackupFolder);
std::string restoreKeptOriginals(const std::string& backupFolder);
std::string restoreNoRoom(std::uint64_t needed, std::uint64_t available);
std::string restoreInterrupted(const std::string& whereTablesAre);

// "12,4 MB": bytes in megabytes with one decimal, rounded up or down.
std::string megabytes(std::uint64_t bytes, bool roundUp);

} // namespace torvane::texts
