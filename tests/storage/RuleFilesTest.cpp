#include <gtest/gtest.h>

#include "storage/RuleFiles.h"

namespace keslog {
namespace {

// A damaged list names its line and why; a list read whole keeps its forms.
TEST(RuleFiles, RefusesADamagedList) {
    const struct {
        RuleKind kind;
        const char* text;
        const char* message;
    } cases[] = {
        {RuleKind::SsSections, "", "L holds no multipliers."},
        {RuleKind::SsSections, "SS sections 20231234567",
         "L line 1: the list's edition (the last "
         "word of its name) \"20231234567\" is longer than 10 characters."},
        {RuleKind::SsSections, "S 1\nsection CTX CT",
         "L line 2: the stored form \"CTX\" is not "
         "two characters."},
        {RuleKind::SsSections, "S 1\n# c\nsection CT CT\nsection CT CX",
         "L line 4: the stored form CT is taken by line 3."},
        {RuleKind::SsSections, "S 1\nsection CT CT\nretired CT gone",
         "L line 3: CT is a form "
         "of line 2 already."},
        {RuleKind::SsSections, "S 1\nretired ON", "L line 2: the retired form has no message."},
        {RuleKind::SsSections, "S 1\nsection CT CT//C", "L line 2: an empty form."},
        {RuleKind::SsSections, "S 1\nsection CT", "L line 2: no form to type."},
        {RuleKind::NaMults, "N 1\nmult A/B/C/D", "L line 2: more than 3 forms."},
        {RuleKind::NaMults, "N 1\nsection CT CT",
         "L line 2: \"section\" is no line of this "
         "list; the lines are \"mult FORMS\"."},
    };
    for (const auto& c : cases) {
        const Result<RuleList> read = parseRuleList(c.text, c.kind, "L");
        ASSERT_FALSE(read) << c.text;
        EXPECT_EQ(read.status().message(), std::string(c.message) + "  Nothing was changed.");
    }
    const Result<RuleList> read = parseRuleList(
        "SS sections 2023\r\nsection  LI  NLI/NYC\r\nretired ON  split", RuleKind::SsSections, "L");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (RuleList{RuleKind::SsSections,
                               "SS sections 2023",
                               "2023",
                               {{"LI", {"NLI", "NYC"}}},
                               {{"ON", "split"}}}));
}

TEST(RuleFiles, AMissingListIsNamed) {
    const Result<RuleList> read = currentRuleList("/nonexistent/", contest::Ss);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.status().message(),
              "/nonexistent/SS-SECTIONS.TXT cannot be read: the lists of a new SS log are kept "
              "there.  Nothing was changed.");
    EXPECT_TRUE(currentRuleList("/nonexistent/", contest::Cqww));  // no list needed
}

}  // namespace
}  // namespace keslog
