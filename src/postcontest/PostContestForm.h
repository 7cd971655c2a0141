#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "model/MainMod.h"
#include "platform/MessageBox.h"
#include "platform/Status.h"
#include "postcontest/PostContest.h"

namespace keslog {

// What the post-contest dialog shows.
struct PostContestView {
    std::string logFileLabel;  // " Log File: " and the path, shortened to fit
    std::string contestLabel;  // " Contest: " name and mode
    // Choices: electronic submission, normal files, export (ADIF or DXB4).
    bool electronic = false;
    bool normal = false;
    bool exportFile = false;
    bool adif = false;
    bool dxb4 = false;
    bool omitWK = false;
    bool omitJA = false;
    bool adifEnabled = false;
    bool dxb4Enabled = false;
    bool omitEnabled = false;  // both omit boxes
    // The sent exchange, shown or being edited.
    std::string exchangeText;
    bool editEnabled = true;
    bool editing = false;
    std::string fieldsLabel;            // heading over the edit fields
    int fieldCount = 0;                 // edit fields in use, 1..4
    std::array<std::string, 4> fields;  // Text1..Text4
    int focusField = -1;                // field whose text is selected after a refusal
    bool okEnabled = true;              // CmdOK and CmdCancel
    bool closed = false;
};

// The behaviour of the post-contest dialog for one chosen log file.
class PostContestForm {
  public:
    // fits tells whether a log-file label is narrow enough to show.
    PostContestForm(MainMod& state, IMessageBox& messageBox,
                    std::function<bool(std::string_view)> fits);

    // Reads the log's header (older layouts converted, with their
    // questions) and fills the view. An error: nothing to process.
    Status load(const std::string& logPath);

    const PostContestView& view() const { return view_; }

    void setElectronic(bool on) { view_.electronic = on; }
    void setNormal(bool on) { view_.normal = on; }
    void setExport(bool on);
    void setFormat(bool adif);
    void setOmitWK(bool on) { view_.omitWK = on && view_.omitEnabled; }
    void setOmitJA(bool on) { view_.omitJA = on && view_.omitEnabled; }

    void edit();
    void setField(int index, const std::string& text);
    // Checks and stores the edited exchange and writes the settings file;
    // false leaves the editing open (focusField says where).
    bool editOk();
    void editCancel();

    // The files chosen, in the terms of the processing.
    OutputChoices choices() const;
    // Processes the log and closes; each file not written is reported.
    Result<PostContestReport> ok(int currentYear);
    void cancel() { view_.closed = true; }

    // The user-information dialog's OK: each text cut to 50 characters,
    // stored and written to the settings file.
    void userInfoOk(const std::array<std::string, 9>& texts);

  private:
    void showExchange();
    std::array<std::string*, 4> exchangeStrings();

    MainMod& state_;
    IMessageBox& messageBox_;
    std::function<bool(std::string_view)> fits_;
    std::string path_;
    bool cw_ = true;
    PostContestView view_;
};

// The nine user-information strings in the order of the user-information
// dialog's rows.
std::array<std::string*, 9> userInformation(Settings& settings);
inline constexpr std::array<const char*, 9> kUserInfoLabels{
    "Callsign Used:", "Operator:",  "Name:", "Address:", "City/State/Zip:",
    "Country:",       "Club/team:", "Rig:",  "Antennas:"};

}  // namespace keslog
