#pragma once

#include <string>

namespace torvane::texts {

// The run's own messages, as Windows-1252; message lines are separated by
// single carriage returns.
std::string nothingToDo();
std::string completion(const std::string& outputFolder);
std::string noFreeFolder(const std::string& base, const std::string& prefix);
std::string tooManyPatients();
std::string doubtEnd();
// The copy-back failed and was undone; or undoing it failed too and the
// originals wait under their temporary names (ending in keptSuffix).
std::string copyBackKeptOriginals(const std::string& outputFolder);
std::string copyBackRestoreFailed(const std::string& outputFolder, const std::string& dataFolder,
                                  const std::string& keptSuffix);

// The final confirmation window.
std::string confirmationWarning();
std::string confirmationBackup();
std::string confirmationDoubt();

} // namespace torvane::texts
