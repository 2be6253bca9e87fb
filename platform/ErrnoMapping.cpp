#include "platform/ErrnoMapping.h"

#include <cerrno>
#include <utility>

namespace torvane {

int runErrorForErrno(int osError, bool parentExists)
{
    switch (osError) {
    case ENOENT:
        return parentExists ? errnum::FileNotFound : errnum::PathNotFound;
    case ENOTDIR:
        return errnum::PathNotFound;
    case EACCES:
    case EPERM:
        return errnum::PermissionDenied;
#ifdef EDQUOT // not in every C library (MinGW's lacks it)
    case EDQUOT:
#endif
    case ENOSPC:
        return errnum::DiskFull;
    case EIO:
        return errnum::DeviceIO;
    case EEXIST:
        return errnum::FileExists;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return errnum::BadFileName;
    case EMFILE:
    case ENFILE:
        return errnum::TooManyFiles;
    default:
        return errnum::PathFileAccess; // EROFS, EISDIR, EBUSY, ETXTBSY, EXDEV …
    }
}

int errnoForRunError(int number)
{
    switch (number) {
    case errnum::FileNotFound:
    case errnum::PathNotFound:
        return ENOENT;
    case errnum::PermissionDenied:
        return EACCES;
    case errnum::DiskFull:
        return ENOSPC;
    case errnum::DeviceIO:
        return EIO;
    case errnum::FileExists:
        return EEXIST;
    case errnum::BadFileName:
        return EINVAL;
    case errnum::TooManyFiles:
        return EMFILE;
    case errnum::PathFileAccess:
        return EBUSY;
    default:
        return 0;
    }
}

Status osFailure(int osError, bool parentExists, std::string path)
{
    return Status::error(runErrorForErrno(osError, parentExists), osError, std::move(path));
}

Status badNameFailure(std::string path)
{
    return Status::error(errnum::BadFileName, EINVAL, std::move(path));
}

Status readOnlyFailure(std::string path)
{
    return Status::error(errnum::PathFileAccess, EACCES, std::move(path));
}

Status folderFailure(std::string path)
{
    return Status::error(errnum::PathFileAccess, EISDIR, std::move(path));
}

Status diskFullFailure(std::string path)
{
    return Status::error(errnum::DiskFull, ENOSPC, std::move(path));
}

} // namespace torvane
