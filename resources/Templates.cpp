#include "resources/Templates.h"

namespace torvane::generated {
extern const std::string_view templateBlobs[4];
}

namespace torvane {

std::string_view templateBlob(int resourceNumber)
{
    for (std::size_t i = 0; i < TableNames.size(); ++i) {
        if (TableNames[i].resource == resourceNumber)
            return generated::templateBlobs[i];
    }
    return {};
}

} // namespace torvane
