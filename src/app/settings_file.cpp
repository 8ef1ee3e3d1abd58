#include "app/settings_file.h"

#include "model/safe_file_writer.h"

#include <array>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace korvix {
namespace {

using T = SettingType;

constexpr std::array kKeys = {
    SettingKey{"Arc Input Type", "Absolute", T::Boolean, "1"},
    SettingKey{"CNC Control Type", "Machine name", T::String, ""},
    SettingKey{"CNC Control Type", "Program number", T::String, "1"},
    SettingKey{"CNC Control Type", "Starting text", T::String, ""},
    SettingKey{"Arc Exploding Tolerance", "Chordal deviation", T::String, "0.0005"},
    SettingKey{"Arc Fitting Parameters", "Chordal tolerance", T::String, "0.0012"},
    SettingKey{"Arc Fitting Parameters", "Maximum radius", T::String, "99.99"},
    SettingKey{"Arc Fitting Parameters", "XY plane only", T::Boolean, "0"},
    SettingKey{"Point Sifting Tolerance", "Sift tolerance", T::String, "0.0005"},
    SettingKey{"Point Sifting Tolerance", "Sift rapid moves", T::Boolean, "0"},
    SettingKey{"Trimming Parameters", "Plunge feed rate", T::String, "150.0"},
    SettingKey{"Trimming Parameters", "Use G00 for positioning", T::Boolean, "1"},
    SettingKey{"Trimming Parameters", "Arc exploding tolerance", T::String, "0.0005"},
    SettingKey{"System Global Options", "Display blocks during animation", T::Boolean, "1"},
    SettingKey{"System Global Options", "Display points during editting", T::Boolean, "1"},
    SettingKey{"System Global Options", "Display NC status window", T::Boolean, "0"},
    SettingKey{"System Global Options", "Display WIRE status window", T::Boolean, "0"},
    SettingKey{"System Global Options", "Display tetrahedran", T::Boolean, "1"},
    SettingKey{"System Global Options", "Modify colors during animation", T::Boolean, "0"},
    SettingKey{"Text font", "Font name", T::String, std::nullopt},
    SettingKey{"Text font", "Font style bold", T::Boolean, std::nullopt},
    SettingKey{"Text font", "Font style italic", T::Boolean, std::nullopt},
    SettingKey{"Text font", "Font style underline", T::Boolean, std::nullopt},
    SettingKey{"Text font", "Font style strikeout", T::Boolean, std::nullopt},
    SettingKey{"Text font", "Font size", T::Integer, std::nullopt},
    SettingKey{"Text font", "Font color", T::Integer, std::nullopt},
    // Options of this program beyond the classic table.
    SettingKey{kOwnSection, "Read lower-case words", T::Boolean, "0"},
    SettingKey{kOwnSection, "Last NC color", T::Integer, "16777215"},
    SettingKey{kOwnSection, "Last wireframe color", T::Integer, "0"},
    SettingKey{kOwnSection, "Window left", T::Integer, std::nullopt},
    SettingKey{kOwnSection, "Window top", T::Integer, std::nullopt},
    SettingKey{kOwnSection, "Window width", T::Integer, std::nullopt},
    SettingKey{kOwnSection, "Window height", T::Integer, std::nullopt},
    SettingKey{kOwnSection, "Window maximized", T::Boolean, "0"},
    SettingKey{kOwnSection, "Recent file 1", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 2", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 3", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 4", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 5", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 6", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 7", T::String, std::nullopt},
    SettingKey{kOwnSection, "Recent file 8", T::String, std::nullopt},
    // The program text pane: its dock side (1 left, 2 right), whether it floats, is shown,
    // its floating place and its docked width.
    SettingKey{kOwnSection, "Program text side", T::Integer, "2"},
    SettingKey{kOwnSection, "Program text floating", T::Boolean, "0"},
    SettingKey{kOwnSection, "Display program text", T::Boolean, "0"},
    SettingKey{kOwnSection, "Program text place", T::String, std::nullopt},
    SettingKey{kOwnSection, "Program text width", T::Integer, std::nullopt},
};

std::string_view trimmed(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Section and key names compare without regard to case, as INI files always have.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<long long> integerOf(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The stored text as the window applies it, or nullopt when it is not of the key's type.
std::optional<std::string> canonical(const SettingKey& key, const std::string& stored) {
    if (key.type == SettingType::String)
        return stored;
    const std::optional<long long> number = integerOf(stored);
    if (!number)
        return std::nullopt;
    if (key.type == SettingType::Boolean)
        return std::string(*number != 0 ? "1" : "0");
    return std::to_string(*number);
}

} // namespace

std::span<const SettingKey> settingKeys() {
    return kKeys;
}

const SettingKey* findSettingKey(std::string_view section, std::string_view key) {
    for (const SettingKey& candidate : kKeys)
        if (candidate.section == section && candidate.key == key)
            return &candidate;
    return nullptr;
}

std::string recentFileKey(int index) {
    return "Recent file " + std::to_string(index + 1);
}

std::filesystem::path settingsFilePath(const std::filesystem::path& homeFolder) {
    return homeFolder / "korvix.ini";
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string_view name = trimmed(line.substr(1, line.size() - 2));
            current = nullptr;
            for (Section& section : document.m_sections)
                if (sameName(section.name, name))
                    current = &section;
            if (current == nullptr)
                current = &document.m_sections.emplace_back(Section{std::string(name), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            continue; // nothing a key could belong to, or no key at all
        document.set(current->name, trimmed(line.substr(0, equals)),
                     trimmed(line.substr(equals + 1)));
    }
    return document;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    for (const Section& s : m_sections)
        if (sameName(s.name, section))
            for (const auto& [name, value] : s.entries)
                if (sameName(name, key))
                    return value;
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    Section* target = nullptr;
    for (Section& s : m_sections)
        if (sameName(s.name, section))
            target = &s;
    if (target == nullptr)
        target = &m_sections.emplace_back(Section{std::string(section), {}});
    for (auto& [name, stored] : target->entries)
        if (sameName(name, key)) {
            stored = value;
            return;
        }
    target->entries.emplace_back(std::string(key), std::string(value));
}

std::string IniDocument::text() const {
    std::string out;
    for (const Section& section : m_sections) {
        if (!out.empty())
            out += '\n';
        out += '[' + section.name + "]\n";
        for (const auto& [key, value] : section.entries)
            out += key + '=' + value + '\n';
    }
    return out;
}

std::optional<std::string> LoadedSettings::valueOf(std::string_view section,
                                                   std::string_view key) const {
    for (const auto& [setting, value] : values)
        if (setting->section == section && setting->key == key)
            return value;
    return std::nullopt;
}

namespace {

IniDocument readDocument(const std::filesystem::path& file, std::string* error) {
    std::error_code code;
    if (!std::filesystem::exists(file, code))
        return {};
    // A settings file is a few kilobytes; anything far larger is not ours.
    constexpr std::uintmax_t kMaxSize = 1 << 20;
    if (!std::filesystem::is_regular_file(file, code) ||
        std::filesystem::file_size(file, code) > kMaxSize) {
        *error = "not a settings file";
        return {};
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) {
        *error = "cannot be read";
        return {};
    }
    return IniDocument::parse(text.str());
}

} // namespace

LoadedSettings loadSettings(const std::filesystem::path& file) {
    LoadedSettings loaded;
    const IniDocument document = readDocument(file, &loaded.readError);
    for (const SettingKey& key : kKeys) {
        std::optional<std::string> value;
        if (const std::optional<std::string> stored = document.value(key.section, key.key)) {
            value = canonical(key, *stored);
            if (!value)
                loaded.malformed.push_back(std::string(key.key));
        }
        if (!value && key.defaultValue)
            value = std::string(*key.defaultValue);
        if (value)
            loaded.values.emplace_back(&key, *value);
    }
    return loaded;
}

std::string saveSettings(const std::filesystem::path& file,
                         const std::vector<std::pair<const SettingKey*, std::string>>& values) {
    std::string unused;
    const IniDocument existing = readDocument(file, &unused);
    IniDocument document;
    for (const SettingKey& key : kKeys)
        for (const auto& [setting, value] : values)
            if (setting == &key)
                document.set(key.section, key.key, value);
    for (const IniDocument::Section& section : existing.sections())
        for (const auto& [key, value] : section.entries)
            if (findSettingKey(section.name, key) == nullptr && !document.value(section.name, key))
                document.set(section.name, key, value);

    std::error_code code;
    std::filesystem::create_directories(file.parent_path(), code);
    SafeFileWriter out(file.string());
    if (!out.open())
        return out.error();
    out.write(document.text());
    if (!out.commit())
        return out.error();
    return {};
}

std::string malformedSettingsText(const std::filesystem::path& file,
                                  const std::vector<std::string>& malformed) {
    std::string names;
    for (const std::string& name : malformed)
        names += (names.empty() ? "\"" : ", \"") + name + '"';
    return "Settings file \"" + file.string() + "\": " + names +
           (malformed.size() == 1 ? " holds no valid value" : " hold no valid values") +
           ", the defaults were used...";
}

} // namespace korvix
