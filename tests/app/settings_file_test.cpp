// The settings file: defaults with no file, the exact layout written, and values that are not
// what their key holds.
#include "app/settings_file.h"
#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace korvix {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    std::string fileText() const { return test::fileText(settingsFilePath(folder)); }
    void writeFile(const std::string& text) const {
        fs::create_directories(folder);
        std::ofstream(settingsFilePath(folder)) << text;
    }

    const test::TestFolder scratch{"korvix_settings"};
    const fs::path folder = scratch.dir();
};

TEST_F(SettingsFile, NoFileGivesTheDefaultsAndLeavesTheFontAsItIs) {
    const LoadedSettings loaded = loadSettings(settingsFilePath(folder));
    EXPECT_TRUE(loaded.malformed.empty());
    EXPECT_TRUE(loaded.readError.empty());
    EXPECT_EQ(loaded.valueOf("Arc Input Type", "Absolute"), "1");
    EXPECT_EQ(loaded.valueOf("CNC Control Type", "Program number"), "1");
    EXPECT_EQ(loaded.valueOf("Arc Fitting Parameters", "Maximum radius"), "99.99");
    EXPECT_EQ(loaded.valueOf("Trimming Parameters", "Plunge feed rate"), "150.0");
    EXPECT_EQ(loaded.valueOf("System Global Options", "Display tetrahedran"), "1");
    EXPECT_EQ(loaded.valueOf("System Global Options", "Display NC status window"), "0");
    EXPECT_EQ(loaded.valueOf("Text font", "Font name"), std::nullopt);
    EXPECT_EQ(loaded.valueOf(kOwnSection, recentFileKey(0)), std::nullopt);
    // Writing makes the folder that is not there yet.
    EXPECT_EQ(saveSettings(settingsFilePath(folder / "new"), loaded.values), "");
    EXPECT_TRUE(fs::is_regular_file(settingsFilePath(folder / "new")));
}

TEST_F(SettingsFile, WritesEveryKeyInTableOrderAndKeepsWhatItDoesNotKnow) {
    std::vector<std::pair<const SettingKey*, std::string>> values;
    for (const SettingKey& key : settingKeys())
        values.emplace_back(&key, std::string(key.defaultValue.value_or("x")));
    writeFile("; notes of the user\n[Plugins]\nColour=red\n[Point Sifting Tolerance]\n"
              "Sift tolerance=0.1\nOld key=7\n");
    ASSERT_EQ(saveSettings(settingsFilePath(folder), values), "");

    const std::string text = fileText();
    std::size_t at = 0;
    std::string_view section;
    for (const SettingKey& key : settingKeys()) {
        if (key.section != section) {
            section = key.section;
            const std::size_t header = text.find("[" + std::string(section) + "]\n", at);
            ASSERT_NE(header, std::string::npos) << section;
            at = header;
        }
        const std::size_t line = text.find("\n" + std::string(key.key) + "=", at);
        ASSERT_NE(line, std::string::npos) << key.key << " after position " << at;
        at = line + 1;
    }
    EXPECT_NE(text.find("Sift tolerance=0.0005\nSift rapid moves=0\nOld key=7\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[Plugins]\nColour=red\n"), std::string::npos) << text;
    EXPECT_GT(text.find("[Plugins]"), text.find("[" + std::string(kOwnSection) + "]"));
}

TEST_F(SettingsFile, AValueOfTheWrongKindFallsBackToItsDefault) {
    writeFile("[arc input type]\n absolute = 0 \n[Point Sifting Tolerance]\n"
              "Sift tolerance=abc\nSift rapid moves=yes\n[Text font]\nFont size=12pt\n"
              "Font style bold=2\n");
    const LoadedSettings loaded = loadSettings(settingsFilePath(folder));
    EXPECT_EQ(loaded.valueOf("Arc Input Type", "Absolute"), "0"); // any case, spaces trimmed
    EXPECT_EQ(loaded.valueOf("Point Sifting Tolerance", "Sift tolerance"), "abc"); // as typed
    EXPECT_EQ(loaded.valueOf("Point Sifting Tolerance", "Sift rapid moves"), "0");
    EXPECT_EQ(loaded.valueOf("Text font", "Font size"), std::nullopt);
    EXPECT_EQ(loaded.valueOf("Text font", "Font style bold"), "1");
    EXPECT_EQ(loaded.malformed, (std::vector<std::string>{"Sift rapid moves", "Font size"}));
    EXPECT_EQ(malformedSettingsText("k.ini", loaded.malformed),
              "Settings file \"k.ini\": \"Sift rapid moves\", \"Font size\" hold no valid "
              "values, the defaults were used...");
}

TEST_F(SettingsFile, AFolderInPlaceOfTheFileIsNoSettingsFile) {
    fs::create_directories(settingsFilePath(folder));
    const LoadedSettings loaded = loadSettings(settingsFilePath(folder));
    EXPECT_EQ(loaded.readError, "not a settings file");
    EXPECT_EQ(loaded.valueOf("Arc Input Type", "Absolute"), "1");
    EXPECT_NE(saveSettings(settingsFilePath(folder), {}), "");
}

} // namespace
} // namespace korvix
