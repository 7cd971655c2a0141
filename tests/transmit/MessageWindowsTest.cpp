#include <gtest/gtest.h>

#include "model/MainMod.h"
#include "platform/Files.h"
#include "storage/SettingsFile.h"
#include "support/FakePlatform.h"
#include "transmit/EditMac.h"
#include "transmit/ViewMac.h"

namespace keslog {
namespace {

// Stores the tables as the program does: the whole settings file rewritten.
class FileHost : public IMessagesHost {
  public:
    FileHost(MainMod& state, test::FakeMessageBox& box) : state_(state), box_(box) {}
    void messagesChanged() override {
        ++changes;
        WriteSettings(state_, box_);
    }
    void editMessage(int slot) override { edited.push_back(slot); }
    int changes = 0;
    std::vector<int> edited;

  private:
    MainMod& state_;
    test::FakeMessageBox& box_;
};

class MessageWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::copyShippedStartupFiles(dir);
        state.programDir = dir.path();
        ASSERT_TRUE(ReadSettings(state).isOk());
        state.contestNr = contest::Ss;
        state.settings.YourCall = "N6TR";
    }
    Settings settingsOnDisk() const {
        Settings read;
        ReadSettings(dir.read("KESLOG90.INI"), dir.path(), read);
        return read;
    }

    test::TempDir dir;
    test::FakeMessageBox box;
    MainMod state;
    FileHost host{state, box};
};

TEST_F(MessageWindowsTest, EditMacShowsTheContestsMessagesWithoutPrefixes) {
    state.settings.CWMacros[11] = "[RADIO2][PLAY3]@ @";
    EditMac edit(state, host);
    edit.load();
    const EditMacView& v = edit.view();
    EXPECT_EQ(v.title, "Edit CW Messages");
    EXPECT_EQ(v.FLabel[0], "F1");
    EXPECT_EQ(v.FLabel[6], "F7");
    EXPECT_EQ(v.FLabel[7], "F11");
    EXPECT_EQ(v.FLabel[8], "F12");
    EXPECT_EQ(v.FullMacro[0], "CQ SS $ $ SS");  // entry 10, the first of the SS set
    EXPECT_EQ(v.FullMacro[2], "@ @");
    EXPECT_EQ(v.ShMacro[6], "SEC?");
    EXPECT_EQ(v.Exchange[0], "@ # A $");  // entries 9 and 10 of the exchanges
    EXPECT_EQ(v.Exchange[1], "# A $");
    EXPECT_EQ(v.Dupe, "@ QSO B4");
    EXPECT_EQ(v.legend,
              "(Use: @=his call, $=your call,  #=QSO Nr,  *=short space, +/- = ch. speed)");
}

TEST_F(MessageWindowsTest, EditMacOkStoresUpperCaseTextsBehindTheOldPrefixes) {
    state.settings.CWMacros[9] = "[RADIO1][PLAY6]CQ SS";
    EditMac edit(state, host);
    edit.load();
    edit.onFullMacro(0, "  cq ss $ test  ");
    edit.onShMacro(0, "cq run");
    edit.onFullMacro(8, "qrl?\n");
    edit.onExchange(0, "@ # b $ 73 scv");
    edit.onExchange(1, "# b $");
    edit.onDupe("qso b4 tu");
    EXPECT_EQ(edit.view().FullMacro[0], "  CQ SS $ TEST  ");
    edit.onOK();
    EXPECT_TRUE(edit.view().closed);
    EXPECT_EQ(host.changes, 1);
    EXPECT_TRUE(box.shown.empty());

    const Settings disk = settingsOnDisk();
    EXPECT_EQ(disk.CWMacros[9], "[RADIO1][PLAY6]CQ SS $ TEST");
    EXPECT_EQ(disk.CWMacroLabels[9], "CQ RUN");
    EXPECT_EQ(disk.CWMacros[17], "[RADIO0][PLAY1]QRL?");
    EXPECT_EQ(disk.CWExchanges[8], "@ # B $ 73 SCV");
    EXPECT_EQ(disk.CWExchanges[9], "# B $");
    EXPECT_EQ(disk.DupeMessage, "QSO B4 TU");
    // Every other table entry is untouched, and the whole file reads back
    // to what the program holds.
    EXPECT_EQ(disk.CWMacros[0], "[RADIO0][PLAY1]CQ CQP $ $ CQP");
    EXPECT_EQ(disk, state.settings);

    // Emptied texts keep every other line in its place.
    edit.load();
    edit.onShMacro(3, "");
    edit.onExchange(1, "");
    edit.onDupe("");
    edit.onOK();
    const Settings emptied = settingsOnDisk();
    EXPECT_EQ(emptied.CWMacroLabels[12], "");
    EXPECT_EQ(emptied.CWMacroLabels[13], "TU");
    EXPECT_EQ(emptied.CWExchanges[9], "");
    EXPECT_EQ(emptied.CWExchanges[10], "@ 5NN #");
    EXPECT_EQ(emptied.DupeMessage, "");
    EXPECT_EQ(emptied, state.settings);
}

TEST_F(MessageWindowsTest, EditMacCancelChangesNothingAndOkMendsADamagedPrefix) {
    state.settings.CWMacros[10] = "[RADIO1][PLA";
    const Settings before = state.settings;
    EditMac edit(state, host);
    edit.load(4);
    EXPECT_EQ(edit.view().focusSlot, 4);
    EXPECT_EQ(edit.view().FullMacro[1], "[RADIO1][PLA");
    edit.onFullMacro(0, "XX");
    edit.onCancel();
    EXPECT_TRUE(edit.view().closed);
    EXPECT_EQ(state.settings, before);
    EXPECT_EQ(host.changes, 0);

    edit.load();
    edit.onFullMacro(1, "N6TR");
    edit.onOK();
    EXPECT_EQ(state.settings.CWMacros[10], "[RADIO0][PLAY1]N6TR");

    // ARRL DX's run exchange is the first entry of the table.
    state.contestNr = contest::ArrlDx;
    edit.load();
    edit.onExchange(0, "5nn ca");
    edit.onOK();
    EXPECT_EQ(state.settings.CWExchanges[0], "5NN CA");
}

TEST_F(MessageWindowsTest, ViewMacCaptionsAndColoursFollowThePrefixes) {
    state.contestNr = contest::Cqww;  // the WPX set, entries 19 to 27
    state.settings.CWMacros[19] = "[RADIO1][PLAY1]$";
    state.settings.CWMacros[20] = "[RADIO2][PLAY6]@";
    ViewMac view(state, host);
    view.refresh();
    const ViewMacView& v = view.view();
    EXPECT_EQ(v.title, "CW Messages");
    EXPECT_EQ(v.note, "(Right Click to Change)");
    EXPECT_EQ(v.blueKey, "Blue - Radio 1");
    EXPECT_EQ(v.redKey, "Red - Radio 2");
    EXPECT_EQ(v.DisplayMac[0], (ViewMacLabel{"F1-CQ", colour::Black}));
    EXPECT_EQ(v.DisplayMac[1], (ViewMacLabel{"F2-My Call", colour::Blue}));
    EXPECT_EQ(v.DisplayMac[2], (ViewMacLabel{"F3-[6]His Call", colour::Red}));
    EXPECT_EQ(v.DisplayMac[7].caption, "F11-CL?");
    EXPECT_EQ(v.DisplayMac[8].caption, "F12-QRL?");
}

TEST_F(MessageWindowsTest, ViewMacMenuChangesPlaysAndRadioAndStoresThem) {
    state.contestNr = contest::Wpx;
    ViewMac view(state, host);
    view.refresh();
    using Item = ViewMacItem;
    const auto ticked = [&](int row) {
        std::vector<Item> items;
        const auto ticks = view.menuTicks(row);
        for (int i = 0; i < kViewMacItemCount; ++i)
            if (ticks[static_cast<std::size_t>(i)]) items.push_back(static_cast<Item>(i));
        return items;
    };
    EXPECT_EQ(ticked(0), (std::vector<Item>{Item::NoRadio, Item::NoRepeats}));

    view.onMenuItem(0, Item::Play3);
    EXPECT_EQ(state.settings.CWMacros[18], "[RADIO0][PLAY3]CQ TEST $ $ TEST");
    EXPECT_EQ(view.view().DisplayMac[0].caption, "F1-[3]CQ");
    EXPECT_EQ(ticked(0), (std::vector<Item>{Item::NoRadio, Item::Play3}));

    view.onMenuItem(0, Item::Radio2);
    EXPECT_EQ(state.settings.CWMacros[18], "[RADIO2][PLAY3]CQ TEST $ $ TEST");
    EXPECT_EQ(view.view().DisplayMac[0].colour, colour::Red);
    EXPECT_EQ(ticked(0), (std::vector<Item>{Item::Radio2, Item::Play3}));

    view.onMenuItem(0, Item::Play6);
    EXPECT_EQ(view.view().DisplayMac[0].caption, "F1-[6]CQ");
    view.onMenuItem(0, Item::NoRepeats);
    EXPECT_EQ(view.view().DisplayMac[0].caption, "F1-CQ");
    view.onMenuItem(0, Item::Radio1);
    EXPECT_EQ(view.view().DisplayMac[0].colour, colour::Blue);
    view.onMenuItem(0, Item::NoRadio);
    EXPECT_EQ(view.view().DisplayMac[0].colour, colour::Black);
    EXPECT_EQ(host.changes, 6);
    view.onMenuItem(0, Item::Play3);
    EXPECT_EQ(settingsOnDisk().CWMacros[18], "[RADIO0][PLAY3]CQ TEST $ $ TEST");

    view.onMenuItem(4, Item::EditMessage);
    EXPECT_EQ(host.edited, (std::vector<int>{5}));
    EXPECT_EQ(host.changes, 7);

    // A caption that happens to hold a tag does not tick the play item.
    state.settings.CWMacroLabels[18] = "CQ [3]";
    view.onMenuItem(0, Item::NoRepeats);
    EXPECT_EQ(view.view().DisplayMac[0].caption, "F1-CQ [3]");
    EXPECT_EQ(ticked(0), (std::vector<Item>{Item::NoRadio, Item::NoRepeats}));
}

}  // namespace
}  // namespace keslog
