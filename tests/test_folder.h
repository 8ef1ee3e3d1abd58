#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace korvix::test {

// A scratch folder of the running test, "<prefix>_<test name>_<process id>" in the system's
// temporary folder: ctest runs tests side by side, and several builds may run theirs at once,
// so no two tests ever share one. It starts empty and is removed with everything in it.
class TestFolder {
public:
    explicit TestFolder(const std::string& prefix)
        : m_dir(std::filesystem::temp_directory_path() /
                (prefix + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                 "_" + std::to_string(getpid()))) {
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& dir() const { return m_dir; }
    // The path of `name` in the folder.
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

// The bytes of a file; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace korvix::test
