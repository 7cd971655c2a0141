#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "callsign/CheckPartial.h"
#include "model/Settings.h"
#include "platform/Files.h"

namespace keslog::test {
namespace {

constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

std::vector<std::string> strings(const std::vector<std::string_view>& views) {
    return {views.begin(), views.end()};
}

TEST(ScpDatabase, OneCallPerLineCommentsPassedOverDamagedLinesCounted) {
    struct Case {
        std::string bytes;
        std::vector<std::string> calls;
        int skipped;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"# Release 2023\r\n#\r\nK1AR\r\nW1AW\r\n", {"K1AR", "W1AW"}, 0},
        {"W1AW\nK1AR\nK1AR\n  n6tr \n\n", {"K1AR", "N6TR", "W1AW"}, 0},  // sorted, once, upper
        {"VE3/K1AB\nK1A\nABCDEFGHIJKLMNOPQRST", {"ABCDEFGHIJKLMNOPQRST", "K1A", "VE3/K1AB"}, 0},
        {"K1\nK1 AR\nK-1AR\nABCDEFGHIJKLMNOPQRSTU\nK1\0AR\n\xE9\xE9\xE9\nN6TR"s, {"N6TR"}, 6},
        {"", {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const ScpDatabase db = ScpDatabase::fromBytes(c.bytes);
        std::vector<std::string> calls;
        for (std::size_t i = 0; i < db.size(); ++i) calls.emplace_back(db.call(i));
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(db.skippedLines(), c.skipped);
    }
}

TEST(ScpDatabase, StartsWithBeforeContainsShortTextsAndTheCap) {
    const ScpDatabase db = ScpDatabase::fromBytes("AK1AR\nK1AR\nK1ARX\nW1AW\nK1A\nNK1A\n");
    EXPECT_EQ(strings(db.partial("K1A", kAll)),
              (std::vector<std::string>{"K1A", "K1AR", "K1ARX", "AK1AR", "NK1A"}));
    EXPECT_EQ(strings(db.partial("K1A", 4)),
              (std::vector<std::string>{"K1A", "K1AR", "K1ARX", "AK1AR"}));
    EXPECT_EQ(strings(db.partial("K", kAll)), std::vector<std::string>{});  // from two on
    EXPECT_EQ(strings(db.partial("K-", kAll)), std::vector<std::string>{});
    EXPECT_EQ(strings(db.oneOff("K1AR", kAll)),
              (std::vector<std::string>{"AK1AR", "K1A", "K1ARX"}));
    EXPECT_EQ(strings(db.oneOff("1KAR", kAll)), std::vector<std::string>{"K1AR"});  // swapped
    EXPECT_TRUE(db.contains("NK1A"));
    EXPECT_FALSE(db.contains("NK1"));
}

// What a plain scan of every call gives.
bool isOneOff(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i]) ++i;
    if (a.size() == b.size() + 1) return a.substr(i + 1) == b.substr(i);
    if (a.size() != b.size() || i == a.size()) return false;
    return a.substr(i + 1) == b.substr(i + 1) ||  // changed
           (i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
            a.substr(i + 2) == b.substr(i + 2));  // swapped
}

TEST(ScpDatabase, AgreesWithAPlainScanOfTheDebianFile) {
    const Result<std::string> bytes = readWholeFile(kDefaultScpFile);
    if (!bytes) GTEST_SKIP() << "hamradio-files is not installed";
    const ScpDatabase db = ScpDatabase::fromBytes(*bytes);
    ASSERT_GT(db.size(), 80000U);
    EXPECT_EQ(db.skippedLines(), 0);

    std::mt19937 random(28);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const std::string symbols = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";
    for (int sample = 0; sample < 300; ++sample) {
        const std::string call(db.call(pick(db.size())));
        const std::size_t length = 2 + pick(std::min<std::size_t>(4, call.size() - 1));
        const std::string fragment = call.substr(pick(call.size() - length + 1), length);
        std::string busted = call;
        busted[pick(busted.size())] = symbols[pick(symbols.size())];
        if (sample % 3 == 0) busted.insert(pick(busted.size() + 1), 1, symbols[pick(37)]);

        std::vector<std::string> starts, contains, oneOff;
        for (std::size_t i = 0; i < db.size(); ++i) {
            const std::string_view c = db.call(i);
            if (c.starts_with(fragment))
                starts.emplace_back(c);
            else if (c.find(fragment) != std::string_view::npos)
                contains.emplace_back(c);
            if (isOneOff(c, busted)) oneOff.emplace_back(c);
        }
        starts.insert(starts.end(), contains.begin(), contains.end());
        SCOPED_TRACE(fragment + " " + busted);
        ASSERT_EQ(strings(db.partial(fragment, kAll)), starts);
        ASSERT_EQ(strings(db.oneOff(busted, kAll)), oneOff);
    }
}

}  // namespace
}  // namespace keslog::test
