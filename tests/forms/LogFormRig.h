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
};

}  // namespace keslog::test
