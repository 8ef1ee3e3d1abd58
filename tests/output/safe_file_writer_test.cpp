#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

#include "model/safe_file_writer.h"
#include "test_folder.h"

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

class SafeWrite : public ::testing::Test {
protected:
    void SetUp() override {
        m_target = m_folder.path("target.txt");
        std::ofstream(m_target) << "old contents";
    }

    std::string text() const {
        std::ifstream in(m_target);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_folder.dir()), fs::directory_iterator()));
    }

    TestFolder m_folder{"korvix_safe"};
    std::string m_target;
};

TEST_F(SafeWrite, ReplacesTheTargetOnlyOnCommit) {
    {
        SafeFileWriter out(m_target);
        ASSERT_TRUE(out.open());
        out.writeLine("new");
        EXPECT_EQ(text(), "old contents"); // still the old file while writing
        EXPECT_EQ(filesInFolder(), 2u);
    } // dropped without commit
    EXPECT_EQ(text(), "old contents");
    EXPECT_EQ(filesInFolder(), 1u);

    SafeFileWriter out(m_target);
    ASSERT_TRUE(out.open());
    const std::string big(200000, 'x'); // more than one buffer
    out.write(big);
    out.writeLine("");
    ASSERT_TRUE(out.commit()) << out.error();
    EXPECT_EQ(text(), big + "\n");
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(SafeWrite, KeepsPermissionsAndFollowsLinks) {
    fs::permissions(m_target, fs::perms::owner_read | fs::perms::owner_write);
    const std::string link = m_folder.path("link.txt");
    fs::create_symlink(m_target, link);
    SafeFileWriter out(link);
    ASSERT_TRUE(out.open());
    out.write("through the link");
    ASSERT_TRUE(out.commit()) << out.error();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(text(), "through the link");
    EXPECT_EQ(fs::status(m_target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeWrite, ReportsTheSystemReason) {
    SafeFileWriter intoDirectory(m_folder.dir().string());
    EXPECT_FALSE(intoDirectory.open());
    EXPECT_EQ(intoDirectory.error(),
              "Unable to create file \"" + m_folder.dir().string() + "\": Is a directory...");

    // A write-protected file is not replaced behind the user's back.
    fs::permissions(m_target, fs::perms::owner_read | fs::perms::group_read);
    SafeFileWriter readOnly(m_target);
    EXPECT_FALSE(readOnly.open());
    EXPECT_EQ(readOnly.error(), "Unable to create file \"" + m_target + "\": Permission denied...");
    fs::permissions(m_target, fs::perms::owner_read | fs::perms::owner_write);

#ifdef __linux__
    // A file size limit makes the write itself fail, like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    SafeFileWriter out(m_target);
    ASSERT_TRUE(out.open());
    out.write(std::string(100000, 'y'));
    const bool committed = out.commit();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(committed);
    EXPECT_EQ(out.error(), "Unable to write file \"" + m_target + "\": File too large...");
    EXPECT_EQ(text(), "old contents");
    EXPECT_EQ(filesInFolder(), 1u);
#endif
}

TEST_F(SafeWrite, WritesIntoAFifoAndKeepsIt) {
    const std::string fifo = m_folder.path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader that does not wait lets the writer open the FIFO.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    SafeFileWriter out(fifo);
    ASSERT_TRUE(out.open()) << out.error();
    out.writeLine("through the pipe");
    EXPECT_TRUE(out.commit()) << out.error();
    char bytes[64] = {};
    EXPECT_EQ(::read(reader, bytes, sizeof bytes), 17);
    ::close(reader);
    EXPECT_EQ(std::string(bytes), "through the pipe\n");
    struct stat status {};
    ASSERT_EQ(::stat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(filesInFolder(), 2u); // the FIFO and the target of SetUp, nothing else

    // A device that fails is reported, and still not replaced.
    fs::create_symlink("/dev/full", m_folder.path("full"));
    SafeFileWriter full(m_folder.path("full"));
    ASSERT_TRUE(full.open()) << full.error();
    full.write(std::string(100000, 'x'));
    EXPECT_FALSE(full.commit());
    EXPECT_NE(full.error().find("No space left on device"), std::string::npos) << full.error();
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(SafeWrite, TakesNamesNearTheLongestAFolderAllows) {
    for (const std::size_t length : {200u, 242u, 255u}) {
        const std::string target = m_folder.path(std::string(length, 'n'));
        SafeFileWriter out(target);
        ASSERT_TRUE(out.open()) << length << ": " << out.error();
        out.writeLine("long");
        EXPECT_TRUE(out.commit()) << length << ": " << out.error();
        EXPECT_TRUE(fs::exists(target)) << length;
    }
}

} // namespace
} // namespace korvix::test
