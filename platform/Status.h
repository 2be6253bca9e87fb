#pragma once

#include <string>
#include <utility>

namespace torvane {

// Outcome of one platform operation. A failure carries the run-time error
// number the rest of the system reports (53 file not found, 61 disk full …),
// the operating system's own code for "Last DLL Error", and the path involved.
class Status {
public:
    Status() = default;

    static Status ok() { return {}; }
    static Status error(int number, int osError, std::string path)
    {
        Status s;
        s.number_ = number;
        s.osError_ = osError;
        s.path_ = std::move(path);
        return s;
    }

    bool isOk() const { return number_ == 0; }
    int number() const { return number_; }
    int osError() const { return osError_; }
    const std::string& path() const { return path_; }

private:
    int number_ = 0;
    int osError_ = 0;
    std::string path_;
};

// The run-time error numbers the platform reports.
namespace errnum {
inline constexpr int InvalidArgument = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIO = 57;
inline constexpr int FileExists = 58;
inline constexpr int BadRecordLength = 59;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int BadRecordNumber = 63;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidFileFormat = 321;
inline constexpr int ChooserCancelled = 32755;
} // namespace errnum

} // namespace torvane
