#include "appdata/KeyedCollection.h"

namespace tarnwick {

std::string RecordKey(std::int32_t id) {
    return "ID_" + std::to_string(id);
}

}  // namespace tarnwick
