#pragma once

#include "forms/LogForm.h"
#include "forms/StoredLogFiles.h"
#include "support/FakePlatform.h"

namespace keslog::test {

// A main-window host on which every call does nothing: tests override the
// calls they answer or count.
class QuietLogFormHost : public ILogFormHost {
  public:
    void showWelcome(const std::function<void()>& whileShown) override { whileShown(); }
    void showAbout() override {}
    void setViewWindowVisible(ViewWindow, bool) override {}
    void refreshStatistics() override {}
    void showChCoForm(ChCoForm&) override {}
    void showBandMode(BandMode&) override {}
    void showPostContest(PostContestForm&) override {}
    void showSetup(Setup&) override {}
    void storeWindowCoordinates(Settings&) override {}
    void showPartial() override {}
    bool editQso(int) override { return false; }
};

// Answers the contest-choice dialog with the contest whose list text
// begins with `contest`, or cancels it when that is empty.
class ChoosingHost : public QuietLogFormHost {
  public:
    void showChCoForm(ChCoForm& dialog) override {
        ++choices;
        const auto& list = dialog.view().list1;
        for (std::size_t i = 0; i < list.size(); ++i)
            if (!contest.empty() && list[i].starts_with(contest)) {
                dialog.onList1Click(static_cast<int>(i));
                dialog.onOK();
            }
        if (!dialog.view().closed) dialog.onCancel();
    }
    void refreshStatistics() override { ++refreshes; }
    std::string contest;
    int choices = 0;
    int refreshes = 0;
};

// The main window's behaviour on real log files in a temporary program
// folder, the operator answering through the fakes and Host.
template <typename Host>
struct LogFormOnFiles {
    TempDir dir;
    FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    StoredLogFiles logFiles{platform};
    Host host;
    LogForm form{state, platform, logFiles, host};

    // The program started on the shipped files, then a new log of the
    // contest at 23:30 on 4 November 2001.
    void startNewLog(const std::string& contest) {
        host.contest = contest;
        copyShippedStartupFiles(dir);
        ASSERT_TRUE(form.startUp(dir.path()));
        form.load();
        fakes.clock.time = {2001, 11, 4, 23, 30, 0};
        form.onFileNew();
    }
};

}  // namespace keslog::test
