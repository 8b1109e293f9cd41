#include "engine/Engine.h"

namespace zt::engine {

const char* StatusText(api::Status status) {
    switch (status) {
    case api::kOk:
        return "Operation completed";
    case api::kEndOfTable:
        return "At end of table";
    case api::kObjectNotFound:
        return "Object not found";
    case api::kNotEnoughMemory:
        return "Not enough memory for this operation";
    case api::kInvalidParameter:
        return "Invalid parameter";
    case api::kInvalidHandle:
        return "Invalid handle";
    case api::kInvalidSessionHandle:
        return "Invalid session handle";
    case api::kUnknownDatabase:
        return "Unknown database";
    case api::kNotInitialised:
        return "The engine is not initialized";
    case api::kAlreadyInitialised:
        return "The engine is already initialized";
    case kStoreMissing:
        return "The alias store cannot be read";
    case kStoreMalformed:
        return "The alias store is malformed";
    case kNoDriverType:
        return "The alias has no driver type";
    case kRecordUnreadable:
        return "The record cannot be read";
    case kInternalError:
        return "Internal engine error";
    default:
        return "";
    }
}

} // namespace zt::engine
