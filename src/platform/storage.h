// Files of the application: the user's documents folder, the read-only resource folder, atomic writes,
// property lists and the user-defaults store.
//
// Paths are full paths; the application forms them from documentsFolder() or resourceFolder(). Nothing
// here throws: a read that fails gives an empty optional, a write that fails returns false.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using StringDictionary = std::map<std::string, std::string>;

class Storage {
  public:
    virtual ~Storage() = default;

    // Folder of the user's files (settings, state, histories). Never ends with '/'.
    virtual std::string documentsFolder() const = 0;
    // Folder of the shipped data files ("data": units, constants, sounds, images). Never ends with '/'.
    virtual std::string resourceFolder() const = 0;

    // Replaces the file at path with bytes: a temporary file in the same folder is written, flushed and
    // renamed over the old one, so a failure at any point leaves the old file intact. Creates the
    // documents folder when needed. Returns false when the file could not be written.
    virtual bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) = 0;

    // The whole content of a file; empty optional when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) const = 0;

    // Property list whose root is a dictionary; entries whose values are not strings are skipped. Empty
    // optional when the file is missing or is not such a property list (XML or binary).
    virtual std::optional<StringDictionary> readDictionary(const std::string& path) const = 0;
    virtual bool writeDictionary(const std::string& path, const StringDictionary& dict) = 0;

    // Property list whose root is an array; elements that are not strings are skipped.
    virtual std::optional<std::vector<std::string>> readStringArray(const std::string& path) const = 0;
    virtual bool writeStringArray(const std::string& path, const std::vector<std::string>& items) = 0;

    // Names of the regular files in a folder, sorted; empty when the folder is missing.
    virtual std::vector<std::string> listFolder(const std::string& path) const = 0;

    // The user-defaults store: string values under string keys, kept across runs. setUserDefault writes
    // through at once.
    virtual std::optional<std::string> userDefault(const std::string& key) const = 0;
    virtual void setUserDefault(const std::string& key, const std::string& value) = 0;
};

// documentsFolder() joined with name. The stored names come both as "/setting_v15.dat" and as
// "InputMode.dat"; either form gives one separator. An absolute path that already lies outside the
// documents folder is not expected here.
std::string DocumentPath(const Storage& storage, std::string_view name);
// resourceFolder() joined with name, the same way.
std::string ResourcePath(const Storage& storage, std::string_view name);
