// Storage backed by two plain folders; property lists through libplist (XML when written, XML or binary
// when read); user defaults kept as a property-list dictionary "UserDefaults.plist" in the documents
// folder. Used by the terminal shell, the tests and, with the desktop's folders, the GUI.
#pragma once

#include "platform/storage.h"

class FolderStorage : public Storage {
  public:
    FolderStorage(std::string documentsFolder, std::string resourceFolder);

    std::string documentsFolder() const override { return m_documents; }
    std::string resourceFolder() const override { return m_resources; }
    bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) override;
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) const override;
    std::optional<StringDictionary> readDictionary(const std::string& path) const override;
    bool writeDictionary(const std::string& path, const StringDictionary& dict) override;
    std::optional<std::vector<std::string>> readStringArray(const std::string& path) const override;
    bool writeStringArray(const std::string& path, const std::vector<std::string>& items) override;
    std::vector<std::string> listFolder(const std::string& path) const override;
    std::optional<std::string> userDefault(const std::string& key) const override;
    void setUserDefault(const std::string& key, const std::string& value) override;

  private:
    std::string userDefaultsPath() const;

    std::string m_documents;
    std::string m_resources;
};

// The documents folder: $ORVCALC_HOME when set and not empty, else $XDG_DATA_HOME/orvane-calculator, else
// $HOME/.local/share/orvane-calculator (the current folder when HOME is unset too).
std::string DefaultDocumentsFolder();

// The resource folder: "data" next to the program (executableDir), else sourceDataDir (the source tree's
// "data", known at build time). Returns the first that exists, sourceDataDir when neither does.
std::string DefaultResourceFolder(const std::string& executableDir, const std::string& sourceDataDir);
