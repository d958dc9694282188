#include "platform/storage.h"

namespace {

std::string Join(std::string folder, std::string_view name) {
    if (!name.empty() && name.front() == '/') name.remove_prefix(1);
    folder += '/';
    folder += name;
    return folder;
}

}  // namespace

std::string DocumentPath(const Storage& storage, std::string_view name) {
    return Join(storage.documentsFolder(), name);
}

std::string ResourcePath(const Storage& storage, std::string_view name) {
    return Join(storage.resourceFolder(), name);
}
