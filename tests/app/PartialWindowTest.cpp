#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "QtTestApp.h"
#include "app/PartialWindow.h"
#include "entry/Scoring.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class PartialWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }
    void SetUp() override {
        state.contestNr = contest::Wpx;
        state.resetLog();
        for (const char* call : {"W3ABC", "K3ABX", "N3XAB", "DL1ABC"}) {
            QSORecName q;
            q.QCall = call;
            q.QBandMode = 3;
            ASSERT_TRUE(addLoggedQso(state, q).isOk());
        }
    }
    static void click(QWidget* widget) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
    }
    QLabel* match(int i) { return window.findChild<QLabel*>(QString("Match%1").arg(i)); }

    MainMod state;
    test::FakePlatform platform;
    Partial partial{state, platform.messageBox};
    std::string chosen;
    PartialWindow window{partial, [this](const std::string& call) { chosen = call; }};
};

TEST_F(PartialWindowTest, ShowsTheHitsAndPutsAClickedCallIntoTheCallBox) {
    EXPECT_FALSE(window.isVisible());
    partial.searchCalls("AB", PartialSearchKind::Contains);
    window.render();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(match(0)->text(), "W3ABC");
    EXPECT_EQ(match(3)->text(), "DL1ABC");
    EXPECT_EQ(match(4)->text(), "");
    const QString dir = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(dir + "/partial.png");

    click(match(1));
    EXPECT_EQ(chosen, "K3ABX");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PartialWindowTest, OkEmptiesTheLabelsAndHides) {
    partial.searchCalls("QQ", PartialSearchKind::Contains);
    window.render();
    EXPECT_EQ(match(0)->text(), " No calls");
    EXPECT_EQ(match(1)->text(), "found");
    click(match(0));
    EXPECT_EQ(chosen, "");
    window.findChild<QPushButton*>("CmdOK")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(match(0)->text(), "");
}

TEST_F(PartialWindowTest, CheckPartialListsMarkTheLogsCallsAndTakeAClick) {
    partial.showCheckPartial({{{"K3ABX", true}, {"K3ABY", false}}, {{"K3ABZ", false}}});
    window.render();
    EXPECT_TRUE(window.isVisible());
    auto* list = window.findChild<QListWidget*>("CheckPartial");
    auto* oneOff = window.findChild<QListWidget*>("OneOff");
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->font().bold());
    EXPECT_FALSE(list->item(1)->font().bold());
    ASSERT_EQ(oneOff->count(), 1);
    emit oneOff->itemClicked(oneOff->item(0));
    EXPECT_EQ(chosen, "K3ABZ");

    partial.showCheckPartial({});
    window.render();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(list->count(), 0);
}

}  // namespace
}  // namespace keslog
