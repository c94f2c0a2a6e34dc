#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/FileRead.h"
#include "support/TempDir.h"

namespace tamrik {
namespace {

using testing::TempDir;
using testing::WriteBytes;

constexpr std::size_t kLimit = 16 * 1024 * 1024;

// Regular files within the limit are read by every site file and HEX file test.
// Each is refused before a byte is read; the FIFO has no writer, so reading it would wait for ever.
TEST(FileReadTest, RefusesWhatIsNotASmallRegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    WriteBytes(dir.file("big.psf"), "");
    std::filesystem::resize_file(dir.file("big.psf"), 17 * 1024 * 1024);  // sparse
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"fifo", "is not a regular file"},
        {".", "is not a regular file"},
        {"big.psf", "is larger than 16 MiB"},
        {"missing.psf", "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string bytes;
        std::string error;
        EXPECT_FALSE(ReadFileBounded(dir.file(c.name), kLimit, bytes, &error)) << c.name;
        EXPECT_EQ(error, c.reason) << c.name;
        EXPECT_TRUE(bytes.empty()) << c.name;
    }
}

}  // namespace
}  // namespace tamrik
