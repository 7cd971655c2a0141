#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Files.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// Logs, settings and copies written whole: a new file gets what the umask
// allows, a replaced one keeps its mode.
TEST(AtomicWrite, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    struct Case {
        mode_t umask;
        std::optional<mode_t> existing;  // none: the file is new
        mode_t expected;
    };
    const std::vector<Case> cases = {
        {022, std::nullopt, 0644},
        {077, std::nullopt, 0600},
        {022, 0600, 0600},
        {077, 0664, 0664},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.umask) + " " + std::to_string(c.existing.value_or(0)));
        test::TempDir dir;
        const std::string path = dir.file("LOG.KSL");
        if (c.existing) {
            dir.write("LOG.KSL", "old");
            ASSERT_EQ(::chmod(path.c_str(), *c.existing), 0);
        }
        const mode_t previous = ::umask(c.umask);
        const Status written = writeFileAtomically(path, "new");
        ::umask(previous);
        ASSERT_TRUE(written.isOk());
        EXPECT_EQ(modeOf(path), c.expected);
        EXPECT_EQ(dir.read("LOG.KSL"), "new");
    }
}

}  // namespace
}  // namespace keslog
