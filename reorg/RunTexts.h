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

// The final confirmation window.
std::string confirmationWarning();
std::string confirmationBackup();
std::string confirmationDoubt();

} // namespace torvane::texts
