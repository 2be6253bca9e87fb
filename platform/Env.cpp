#include "platform/Env.h"

namespace torvane {

Status RandomRWFile::mapForReading(std::uint64_t, std::size_t, std::unique_ptr<MappedRegion>*)
{
    return Status::error(errnum::BadFileMode, 0, {});
}

} // namespace torvane
