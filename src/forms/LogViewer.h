#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "platform/Platform.h"

namespace keslog {

class LogForm;

// One QSO as the viewer lists it: fields at fixed columns; the date code's
// year is read against currentYear.
std::string viewLogLine(const MainMod& state, int n, int currentYear);

// The log viewer Viewlog: a page of the open log, the entry chosen by a
// click, and whether an edit asks for the log to be replayed when it closes.
class LogViewer {
  public:
    LogViewer(MainMod& state, Platform& platform) : state_(state), platform_(platform) {}

    // Lines the window has room for (at least one).
    void setLinesPerPage(int lines);
    int linesPerPage() const { return linesPerPage_; }
    int viewTop() const { return viewTop_; }
    int selectedEntry() const { return selectedEntry_; }
    // The scroll bar runs from 1 to the top of the last page.
    int scrollMax() const;
    // The lines of the page from ViewTop; fewer at the log's end.
    std::vector<std::string> page() const;

    void onStart();
    void onEnd();
    void onScroll(int value);
    // GoToLog OK with the typed text: true when the page moved. A number
    // outside the log is refused with its message; OK there (retry) leaves
    // *retry set so the dialog stays open with an empty box.
    bool onGoTo(const std::string& text, bool* retry = nullptr);
    // A click on line index (0 for the top line); false past the log's end.
    bool onSelect(int line);

    // The editor wrote a record.
    void markEdited() { logEdited_ = true; }
    bool logEdited() const { return logEdited_; }
    // Closing the viewer: the edits reach the totals. Update Log reloads
    // even without an edit.
    void onClose(LogForm& form);
    void onUpdateLog(LogForm& form);

  private:
    int count() const { return state_.QSONr - 1; }
    int clampTop(int top) const;

    MainMod& state_;
    Platform& platform_;
    int linesPerPage_ = 20;
    int viewTop_ = 1;
    int selectedEntry_ = 0;
    bool logEdited_ = false;
};

// Rebuilds dupes, multipliers and score from the log tables after an edit
// and redraws the windows that show them; the settings are written first.
void reloadAfterEdit(MainMod& state, LogForm& form);

}  // namespace keslog
