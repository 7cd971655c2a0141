#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace keslog {
namespace {

namespace fs = std::filesystem;

// Comments and messages speak as the program's own: they never point at
// the numbered sections of an outside design document.
TEST(SourceText, NoCommentPointsAtOutsideDocumentSections) {
    const std::regex outside(std::string("\\bPart") + "s? [0-9]|\\b[aA] Part\\b|\\b[tT]he Part" +
                             "s?\\b|\\bspe" + "c(ification)?\\b");
    int files = 0;
    for (const char* folder : {"src", "tests", "tools"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(KESLOG_SOURCE_DIR) / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n)
                EXPECT_FALSE(std::regex_search(line, outside))
                    << entry.path() << ":" << n << ": " << line;
        }
    }
    EXPECT_GT(files, 100);
}

}  // namespace
}  // namespace keslog
