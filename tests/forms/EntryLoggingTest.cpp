#include <gtest/gtest.h>

#include <filesystem>

#include "entry/EntryRig.h"
#include "forms/LogFormRig.h"

namespace keslog {
namespace {

// The header of a WPX CW log of a station in the USA, and QSOs as stored.
const std::string kHeader = std::string(6, '\0') + "          " + std::string(4, '\0') + "WPXCW2";
const std::string kK1AR = std::string("\x41\x79\x1A\x09\x03\x00", 6) + "K1AR      " +
                          std::string("\x01\x00\x05\x00", 4) + "K1   1";
const std::string kW1AWAsFirst = std::string("\x41\x79\x1A\x09\x03\x00", 6) + "W1AW      " +
                                 std::string("\x01\x00\x07\x00", 4) + "W1   1";

// A new WPX log with the dialog's defaults: CW, station in the USA.
class EntryLoggingTest : public ::testing::Test,
                         protected test::LogFormOnFiles<test::ChoosingHost> {
  protected:
    void SetUp() override {
        startNewLog("WPX");
        ASSERT_TRUE(state.logOpen);
    }

    void type(const std::string& keys) { test::typeKeys(form.entry(), keys); }

    std::string logBytes() const { return dir.read("!temp%!!.cqb"); }
};

TEST_F(EntryLoggingTest, ALoggedQsoIsInTheFileAndTheLabelsAndAKilledOneLeavesTheFile) {
    EXPECT_EQ(logBytes(), kHeader);
    host.refreshes = 0;
    type("k1ar\t5\n");
    EXPECT_EQ(logBytes(), kHeader + kK1AR);
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  2    (20m CW)");
    EXPECT_EQ(form.view().multsLabel, "Mults:  1");
    EXPECT_EQ(form.view().scoreLabel, "Score: 1");
    EXPECT_EQ(host.refreshes, 1);
    EXPECT_TRUE(fakes.messageBox.shown.empty());

    // Killing the last QSO used to leave its record in the file, so it came
    // back when the log was opened again.
    form.entry().onKillLastEntry();  // Yes
    form.entry().onKillLastEntry();
    EXPECT_EQ(logBytes(), kHeader);
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  1    (20m CW)");
    EXPECT_EQ(form.view().scoreLabel, "Score: 0");

    type("w1aw\t7\n");
    EXPECT_EQ(logBytes(), kHeader + kW1AWAsFirst);
}

// A QSO that could not be written stays in the log and reaches the file
// with the next write.
TEST_F(EntryLoggingTest, AFailedWriteIsCaughtUpByTheNextQso) {
    const std::string working = state.currentLogPath;
    state.currentLogPath = dir.file("gone");
    std::filesystem::create_directory(state.currentLogPath);  // no file can be written there
    type("k1ar\t5\n");
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "File or Disk Error");
    EXPECT_EQ(state.log.count(), 1);
    EXPECT_EQ(form.view().qsoNrLabel, "QSO Nr  2    (20m CW)");

    state.currentLogPath = working;  // the disk is back
    type("w1aw\t7\n");
    const std::string bytes = logBytes();
    ASSERT_EQ(bytes.size(), 3 * 26U);
    EXPECT_EQ(bytes.substr(26, 26), kK1AR);
    EXPECT_EQ(bytes.substr(52 + 6, 10), "W1AW      ");
}

TEST_F(EntryLoggingTest, SaveAsLeavesTheEntryLineAndTheRadios) {
    type("k1ar\t5");
    state.TXRadio = 2;
    state.RadioBandMode[1] = bandModeCode(band::B40, true);
    fakes.fileDialog.answers.push_back(dir.file("WPX.KSL"));
    form.onFileSave();
    ASSERT_FALSE(state.isWorkingFileOpen());
    EXPECT_EQ(form.entry().view().InData[0].text, "K1AR");
    EXPECT_EQ(form.entry().view().InData[1].text, "5");
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(state.RadioBandMode[1], bandModeCode(band::B40, true));
}

// A named log whose last write failed: File, Save writes what the file
// lacks, and another log replaces it only after one more try or with the
// operator's word.
TEST_F(EntryLoggingTest, ANamedLogsMissingQsosAreWrittenBeforeItIsGivenUp) {
    fakes.fileDialog.answers.push_back(dir.file("WPX.KSL"));
    form.onFileSave();
    const std::string named = state.currentLogPath;
    state.currentLogPath = dir.file("gone");
    std::filesystem::create_directory(state.currentLogPath);  // no file can be written there
    type("k1ar\t5\n");
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_NE(fakes.messageBox.shown[0].text.find("with File, Save, or when Exit"),
              std::string::npos);

    for (const bool openCommand : {false, true}) {
        SCOPED_TRACE(openCommand ? "Open" : "New");
        fakes.messageBox.shown.clear();
        fakes.messageBox.answer(MsgResult::Yes);     // Log Already Opened
        fakes.messageBox.answer(MsgResult::Cancel);  // the QSOs would be lost
        openCommand ? form.onFileOpen() : form.onFileNew();
        ASSERT_EQ(fakes.messageBox.shown.size(), 2U);
        EXPECT_EQ(fakes.messageBox.shown[1].buttons, MsgButtons::OkCancel);
        EXPECT_NE(
            fakes.messageBox.shown[1].text.find("The QSOs missing from " + state.currentLogPath +
                                                " are lost if another log replaces"),
            std::string::npos);
        EXPECT_EQ(state.log.count(), 1);
        EXPECT_TRUE(fakes.fileDialog.answers.empty());
    }

    state.currentLogPath = named;  // the disk is back
    fakes.messageBox.shown.clear();
    form.onFileSave();
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_EQ(dir.read("WPX.KSL").substr(26, 26), kK1AR);
}

}  // namespace
}  // namespace keslog
