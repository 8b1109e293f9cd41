#include "engine/Engine.h"

namespace zt::engine {

const char* StatusText(ZtEngStatus status) {
    switch (status) {
    case ZT_ENG_OK:
        return "Operation completed";
    case ZT_ENG_END_OF_LIST:
        return "No more records";
    case ZT_ENG_OUT_OF_MEMORY:
        return "Not enough memory for this operation";
    case ZT_ENG_ALREADY_STARTED:
        return "The engine is already started";
    case ZT_ENG_NOT_STARTED:
        return "The engine is not started";
    case ZT_ENG_BAD_VERSION:
        return "Interface version not supported";
    case ZT_ENG_INVALID_PARAMETER:
        return "Invalid parameter";
    case ZT_ENG_INVALID_HANDLE:
        return "Invalid handle";
    case ZT_ENG_STORE_MISSING:
        return "The alias store cannot be read";
    case ZT_ENG_STORE_MALFORMED:
        return "The alias store is malformed";
    case ZT_ENG_UNKNOWN_ALIAS:
        return "Unknown alias";
    case ZT_ENG_NO_DRIVER_TYPE:
        return "The alias has no driver type";
    case ZT_ENG_UNKNOWN_BRANCH:
        return "Unknown configuration branch";
    case ZT_ENG_INTERNAL_ERROR:
        return "Internal engine error";
    default:
        return "";
    }
}

} // namespace zt::engine
