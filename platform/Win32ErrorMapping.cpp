#include "platform/Win32ErrorMapping.h"

#include <windows.h>

#include <utility>

namespace torvane {
namespace {

// Not in MinGW's winerror.h.
constexpr unsigned long ErrorDiskQuotaExceeded = 1295;

} // namespace

int runErrorForWin32(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return errnum::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DIRECTORY:
        return errnum::PathNotFound; // ENOENT in a missing folder, ENOTDIR
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return errnum::PermissionDenied; // EACCES, EPERM
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ErrorDiskQuotaExceeded:
        return errnum::DiskFull; // ENOSPC, EDQUOT
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETNAME_DELETED:
        return errnum::DeviceIO; // EIO
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return errnum::FileExists; // EEXIST
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER:
    case ERROR_NO_UNICODE_TRANSLATION:
        return errnum::BadFileName; // EINVAL, ENAMETOOLONG, EILSEQ
    case ERROR_TOO_MANY_OPEN_FILES:
        return errnum::TooManyFiles; // EMFILE
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return errnum::PathFileAccess; // in use: EBUSY, ETXTBSY
    default:
        return errnum::PathFileAccess; // ERROR_WRITE_PROTECT (EROFS), ERROR_NOT_SAME_DEVICE (EXDEV) …
    }
}

Status win32Failure(unsigned long code, std::string path)
{
    return Status::error(runErrorForWin32(code), static_cast<int>(code), std::move(path));
}

} // namespace torvane
