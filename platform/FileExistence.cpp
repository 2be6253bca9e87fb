#include "platform/FileExistence.h"

namespace torvane {

Status fileExists(Env& env, const std::string& path, bool* exists)
{
    *exists = false;
    bool listed = false;
    if (Status s = env.findPlainFile(path, &listed); !s.isOk() || !listed)
        return s;
    std::uint32_t bits = 0;
    if (Status s = env.attributes(path, &bits); !s.isOk())
        return s;
    *exists = (bits & (attr::ReadOnly | attr::Hidden | attr::System | attr::Archive)) != 0;
    return Status::ok();
}

} // namespace torvane
