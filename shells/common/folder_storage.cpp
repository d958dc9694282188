#include "common/folder_storage.h"

#include <fcntl.h>
#include <unistd.h>

#include <plist/plist++.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

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

// Parses XML or binary property lists; null on anything else.
std::unique_ptr<PList::Structure> ParsePlistUnguarded(const std::vector<std::uint8_t>& bytes) {
    static const char kBinMagic[] = "bplist00";
    if (bytes.size() >= 8 && std::equal(kBinMagic, kBinMagic + 8, bytes.begin())) {
        std::vector<char> bin(bytes.begin(), bytes.end());
        return std::unique_ptr<PList::Structure>(PList::Structure::FromBin(bin));
    }
    std::string xml(bytes.begin(), bytes.end());
    if (xml.find("<plist") == std::string::npos) return nullptr;
    return std::unique_ptr<PList::Structure>(PList::Structure::FromXml(xml));
}

// A damaged file must give "unreadable", never an exception out of the wrapper library.
std::unique_ptr<PList::Structure> ParsePlist(const std::vector<std::uint8_t>& bytes) {
    try {
        return ParsePlistUnguarded(bytes);
    } catch (...) {
        return nullptr;
    }
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
    auto root = ParsePlist(*bytes);
    if (!root || root->GetType() != PLIST_DICT) return std::nullopt;
    auto* dict = static_cast<PList::Dictionary*>(root.get());
    StringDictionary out;
    for (auto it = dict->Begin(); it != dict->End(); ++it) {
        if (it->second != nullptr && it->second->GetType() == PLIST_STRING) {
            out[it->first] = static_cast<PList::String*>(it->second)->GetValue();
        }
    }
    return out;
}

bool FolderStorage::writeDictionary(const std::string& path, const StringDictionary& dict) {
    PList::Dictionary root;
    for (const auto& [key, value] : dict) root.Set(key, PList::String(value));
    return WriteText(*this, path, root.ToXml());
}

std::optional<std::vector<std::string>> FolderStorage::readStringArray(const std::string& path) const {
    auto bytes = readFile(path);
    if (!bytes) return std::nullopt;
    auto root = ParsePlist(*bytes);
    if (!root || root->GetType() != PLIST_ARRAY) return std::nullopt;
    // The C interface here: the C++ array wrapper of this libplist release mis-indexes its elements.
    plist_t array = root->GetPlist();
    std::vector<std::string> out;
    for (uint32_t i = 0; i < plist_array_get_size(array); ++i) {
        plist_t item = plist_array_get_item(array, i);
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
