#include "common/folder_storage.h"

#include <fcntl.h>
#include <unistd.h>

#include <plist/plist.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>

namespace fs = std::filesystem;

namespace {

std::string TrimSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool WriteAll(int fd, const std::uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Owns a parsed property-list tree of the C interface.
struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// Parses XML or binary property lists; null on anything else. Parsing goes through the C interface: the
// C++ wrapper of this libplist release leaks the elements of arrays it parses.
PlistPtr ParsePlist(const std::vector<std::uint8_t>& bytes) {
    static const char kBinMagic[] = "bplist00";
    if (bytes.empty() || bytes.size() > UINT32_MAX) return nullptr;
    plist_t node = nullptr;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    auto size = static_cast<uint32_t>(bytes.size());
    if (bytes.size() >= 8 && std::equal(kBinMagic, kBinMagic + 8, bytes.begin())) {
        plist_from_bin(data, size, &node);
    } else if (std::string_view(data, bytes.size()).find("<plist") != std::string_view::npos) {
        plist_from_xml(data, size, &node);
    }
    return PlistPtr(node);
}

bool WriteText(FolderStorage& storage, const std::string& path, const std::string& text) {
    std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return storage.writeFileAtomically(path, bytes);
}

}  // namespace

FolderStorage::FolderStorage(std::string documentsFolder, std::string resourceFolder)
    : m_documents(TrimSlash(std::move(documentsFolder))), m_resources(TrimSlash(std::move(resourceFolder))) {}

bool FolderStorage::writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    fs::path target(path);
    fs::path folder = target.parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);
    std::string name = ".";
    name.append(target.filename().string()).append(".XXXXXX");
    std::string temp = (folder / name).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

std::optional<std::vector<std::uint8_t>> FolderStorage::readFile(const std::string& path) const {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<StringDictionary> FolderStorage::readDictionary(const std::string& path) const {
    auto bytes = readFile(path);
    if (!bytes) return std::nullopt;
    PlistPtr root = ParsePlist(*bytes);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;
    StringDictionary out;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(root.get(), &it);
    if (it == nullptr) return out;
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(root.get(), it, &key, &item);
        if (key == nullptr) break;
        if (item != nullptr && plist_get_node_type(item) == PLIST_STRING) {
            char* value = nullptr;
            plist_get_string_val(item, &value);
            out[key] = value != nullptr ? value : "";
            std::free(value);
        }
        std::free(key);
    }
    std::free(it);
    return out;
}

bool FolderStorage::writeDictionary(const std::string& path, const StringDictionary& dict) {
    plist_t root = plist_new_dict();
    for (const auto& [key, value] : dict)
        plist_dict_set_item(root, key.c_str(), plist_new_string(value.c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    plist_free(root);
    if (xml == nullptr) return false;
    std::string text(xml, length);
    plist_to_xml_free(xml);
    return WriteText(*this, path, text);
}

std::optional<std::vector<std::string>> FolderStorage::readStringArray(const std::string& path) const {
    auto bytes = readFile(path);
    if (!bytes) return std::nullopt;
    PlistPtr root = ParsePlist(*bytes);
    if (!root || plist_get_node_type(root.get()) != PLIST_ARRAY) return std::nullopt;
    std::vector<std::string> out;
    for (uint32_t i = 0; i < plist_array_get_size(root.get()); ++i) {
        plist_t item = plist_array_get_item(root.get(), i);
        if (item == nullptr || plist_get_node_type(item) != PLIST_STRING) continue;
        char* value = nullptr;
        plist_get_string_val(item, &value);
        out.emplace_back(value != nullptr ? value : "");
        std::free(value);
    }
    return out;
}

bool FolderStorage::writeStringArray(const std::string& path, const std::vector<std::string>& items) {
    plist_t array = plist_new_array();
    for (const std::string& item : items) plist_array_append_item(array, plist_new_string(item.c_str()));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(array, &xml, &length);
    plist_free(array);
    if (xml == nullptr) return false;
    std::string text(xml, length);
    plist_to_xml_free(xml);
    return WriteText(*this, path, text);
}

std::vector<std::string> FolderStorage::listFolder(const std::string& path) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (it->is_regular_file(fileEc)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FolderStorage::userDefaultsPath() const {
    return m_documents + "/UserDefaults.plist";
}

std::optional<std::string> FolderStorage::userDefault(const std::string& key) const {
    auto dict = readDictionary(userDefaultsPath());
    if (!dict) return std::nullopt;
    auto it = dict->find(key);
    if (it == dict->end()) return std::nullopt;
    return it->second;
}

void FolderStorage::setUserDefault(const std::string& key, const std::string& value) {
    StringDictionary dict = readDictionary(userDefaultsPath()).value_or(StringDictionary{});
    dict[key] = value;
    writeDictionary(userDefaultsPath(), dict);
}

std::string DefaultDocumentsFolder() {
    auto env = [](const char* name) -> std::string {
        const char* v = std::getenv(name);
        return v != nullptr ? std::string(v) : std::string();
    };
    if (std::string home = env("ORVCALC_HOME"); !home.empty()) return TrimSlash(home);
    if (std::string xdg = env("XDG_DATA_HOME"); !xdg.empty())
        return TrimSlash(xdg).append("/orvane-calculator");
    std::string home = env("HOME");
    if (home.empty()) return std::string("./.local/share/orvane-calculator");
    return TrimSlash(home).append("/.local/share/orvane-calculator");
}

std::string DefaultResourceFolder(const std::string& executableDir, const std::string& sourceDataDir) {
    std::error_code ec;
    if (!executableDir.empty()) {
        fs::path installed = fs::path(executableDir) / "data";
        if (fs::is_directory(installed, ec)) return TrimSlash(installed.string());
    }
    return TrimSlash(sourceDataDir);
}
