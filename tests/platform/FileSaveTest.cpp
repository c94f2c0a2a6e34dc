#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/FileSave.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::set<std::string> namesIn(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.insert(entry.path().filename());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0);
    return status.st_mode;
}

TEST(FileSaveTest, WritesThroughALinkAndKeepsTheTargetsMode) {
    TempDir dir;
    WriteBytes(dir.file("site.psf"), "old");
    ASSERT_EQ(::chmod(dir.file("site.psf").c_str(), 0600), 0);
    std::filesystem::create_symlink("site.psf", dir.file("link.psf"));

    std::string error;
    ASSERT_TRUE(SaveFileReplacing(dir.file("link.psf"), "new", &error)) << error;
    EXPECT_TRUE(S_ISLNK(modeOf(dir.file("link.psf")))) << "the link stays a link";
    EXPECT_EQ(ReadBytes(dir.file("site.psf")), "new");
    EXPECT_EQ(modeOf(dir.file("site.psf")) & 07777, 0600u);
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"link.psf", "site.psf"}));
}

TEST(FileSaveTest, RefusesATargetThatIsNotARegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder"));
    for (const char* name : {"fifo", "folder"}) {
        std::string error;
        EXPECT_FALSE(SaveFileReplacing(dir.file(name), "bytes", &error)) << name;
        EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
    }
    EXPECT_TRUE(S_ISFIFO(modeOf(dir.file("fifo"))));
    EXPECT_TRUE(S_ISDIR(modeOf(dir.file("folder"))));
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"fifo", "folder"}));
}

// A killed run leaves its temporary file unlocked; a save in progress holds a lock on its own.
TEST(FileSaveTest, FailedSavesLeaveNoTemporaryAndStaleOnesAreRemoved) {
    TempDir dir;
    WriteBytes(dir.file("site.psf"), "old");
    const std::string prefix = SaveTemporaryPrefix("site.psf");
    WriteBytes(dir.file(prefix + "0badf00d"), "left by a killed run");
    WriteBytes(dir.file(prefix + "12345678"), "a save in progress");
    WriteBytes(dir.file(SaveTemporaryPrefix("other.psf") + "0badf00d"), "another target's");
    const int inProgress = ::open(dir.file(prefix + "12345678").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(inProgress, LOCK_EX), 0);

    std::string error;
    EXPECT_FALSE(SaveFileReplacing(dir.file("site.psf"), "new bytes", &error, 3));
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(dir.file("site.psf")), "old");
    EXPECT_EQ(namesIn(dir),
              (std::set<std::string>{"site.psf", prefix + "12345678", SaveTemporaryPrefix("other.psf") + "0badf00d"}));
    ::close(inProgress);
}

TEST(FileSaveTest, ATargetNameOfTheLongestLengthIsSaved) {
    TempDir dir;
    const std::string name(255, 'n');
    std::string error;
    EXPECT_TRUE(SaveFileReplacing(dir.file(name), "bytes", &error)) << error;
    EXPECT_TRUE(SaveFileReplacing(dir.file(name), "again", &error)) << error;
    EXPECT_EQ(ReadBytes(dir.file(name)), "again");
    EXPECT_EQ(namesIn(dir), std::set<std::string>{name});
}

}  // namespace
}  // namespace tamrik
