#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "platform/Platform.h"
#include "platform/Status.h"
#include "postcontest/PostContest.h"

namespace keslog {

// The first nine are the summary sheet's; the rest only the submission
// file prints.
inline constexpr std::array<const char*, 13> kUserInfoLabels{
    "Callsign Used:", "Operator:",  "Name:",        "Address:",  "City:",
    "Country:",       "Club/team:", "Rig:",         "Antennas:", "State/Province:",
    "Postal code:",   "E-mail:",    "Grid locator:"};
inline constexpr std::size_t kSummaryInfoRows = 9;

struct UserInfoView {
    std::array<std::string, kUserInfoLabels.size()> texts;  // Textinfo, as kUserInfoLabels
    std::vector<std::string> categories;  // the choice of each of categoryChoices()
    bool closed = false;
};

// The user-information dialog: the station data the outputs print.
class UserInfo {
  public:
    UserInfo(MainMod& state, IMessageBox& messageBox);

    const UserInfoView& view() const { return view_; }
    void setText(int row, const std::string& text);
    // Takes only a value from the category's set.
    void setCategory(int index, const std::string& value);
    // Each text cut to 50 characters, stored and written to the settings
    // file.
    void onOK();
    void onCancel() { view_.closed = true; }

  private:
    MainMod& state_;
    IMessageBox& messageBox_;
    UserInfoView view_;
};

// What the post-contest dialog shows.
struct PostContestView {
    std::string logFileLabel;  // " Log File: " and the path (fitLogFileLabel shortens it)
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
    PostContestForm(MainMod& state, Platform& platform);

    // Reads the log's header (older layouts converted, with their
    // questions) and fills the view. An error: nothing to process, and the
    // state is as it was.
    Status load(const std::string& logPath);
    // Shortens the path in the log-file label from its middle until fits
    // accepts the label; the window that draws it knows how wide it may be.
    void fitLogFileLabel(const std::function<bool(std::string_view)>& fits);

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
    // Processes the log, dated by the clock's year, and closes; a log that
    // cannot be read and each file not written are told in one message.
    void onOK();
    void onCancel() { view_.closed = true; }
    // The user-information dialog, filled from the settings.
    UserInfo userInfo() { return {state_, platform_.messageBox}; }

    // What OK did; nothing after Cancel.
    const std::optional<Result<PostContestReport>>& report() const { return report_; }

  private:
    void showExchange();
    std::array<std::string*, 4> exchangeStrings();

    MainMod& state_;
    Platform& platform_;
    std::string path_;
    bool cw_ = true;
    PostContestView view_;
    std::optional<Result<PostContestReport>> report_;
};

}  // namespace keslog
