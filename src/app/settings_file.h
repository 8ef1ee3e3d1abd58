#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvix {

// The settings file: korvix.ini in the Korvix home folder. Each setting is a dialog field or
// a menu item's check mark; the window reads them at its first activation and writes them
// when it closes.

enum class SettingType { String, Boolean, Integer };

struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    // The value with no file, section or key; nullopt where the current state stays (the
    // text font, the window's place, an unused recent-file slot).
    std::optional<std::string_view> defaultValue;
};

// Every setting, in the order the file holds them.
std::span<const SettingKey> settingKeys();
const SettingKey* findSettingKey(std::string_view section, std::string_view key);

// How many recent files the File menu lists.
inline constexpr int kRecentFileCount = 8;
// The key of recent file `index` (0-based) in the project's own section.
std::string recentFileKey(int index);
inline constexpr std::string_view kOwnSection = "Korvix Options";

std::filesystem::path settingsFilePath(const std::filesystem::path& homeFolder);

// The text of an INI file: bracketed sections of key=value lines, kept in file order so that
// a rewrite keeps what it does not know (a newer version's keys, a user's notes).
class IniDocument {
public:
    static IniDocument parse(std::string_view text);
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    std::string text() const;

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const std::vector<Section>& sections() const { return m_sections; }

private:
    std::vector<Section> m_sections;
};

// The values the window applies at start: for every key of settingKeys() with a value (read
// or default) its text, booleans as "1" or "0" and integers in decimal.
struct LoadedSettings {
    std::vector<std::pair<const SettingKey*, std::string>> values;
    // Keys whose stored value was no boolean or integer; their default was used.
    std::vector<std::string> malformed;
    std::string readError; // why an existing file could not be read
    std::optional<std::string> valueOf(std::string_view section, std::string_view key) const;
};
LoadedSettings loadSettings(const std::filesystem::path& file);

// Writes `values` (texts as LoadedSettings holds them) in table order, followed by the
// sections and keys of the existing file that the table does not know. Creates a missing
// folder. Returns the error text, empty on success.
std::string saveSettings(const std::filesystem::path& file,
                         const std::vector<std::pair<const SettingKey*, std::string>>& values);

// The status text for malformed values: which keys, and that the defaults were used.
std::string malformedSettingsText(const std::filesystem::path& file,
                                  const std::vector<std::string>& malformed);

} // namespace korvix
