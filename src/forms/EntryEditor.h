#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/MainMod.h"
#include "platform/Platform.h"

namespace keslog {

// The fields of the entry editor EditLog, as texts the operator types.
enum class EditField {
    Date,      // Text1 "MM/DD/YY"
    Mode,      // Text3 "CW" or "SSB"
    Time,      // Text4 HHMM
    Call,      // Text5
    OwnNr,     // Text6
    Received,  // Text7
    Mult,      // Text8
    Points,    // Text9
    Prec,      // Text10, SS
    Check,     // Text11, SS
    Section,   // Text12: SS section, or the name in Sprint and NAQP
};
inline constexpr int kEditFieldCount = 11;

struct EntryEditorView {
    std::string title = "Edit Log Entry";
    std::string label1 = "Date            Band       Mode      Time    ";
    std::string label2;
    std::array<std::string, kEditFieldCount> text;
    int band = 1;  // BandBox: band index 1..8
    bool multVisible = true;
    bool receivedVisible = true;
    bool ssVisible = false;    // Text10, Text11
    bool lastVisible = false;  // Text12
    bool closed = false;
    std::optional<EditField> focus;  // where a failed check puts the caret
};

// The entry editor: loads QSO n into its fields, checks each changed field
// as it loses the focus, and on OK writes the changed record over its place in
// the log file at once. The caller replays the log afterwards
// (reloadAfterEdit) so dupes, multipliers and score follow the edit.
class EntryEditor {
  public:
    EntryEditor(MainMod& state, Platform& platform) : state_(state), platform_(platform) {}

    void load(int entry);
    const EntryEditorView& view() const { return view_; }
    int entry() const { return entry_; }

    void setText(EditField field, const std::string& text);
    void setBand(int bandIndex) {
        view_.band = bandIndex;
        bandEdited_ = true;
    }
    // The field lost the focus: false when its check failed (the operator
    // was told and the focus is back in it).
    bool checkField(EditField field);
    // CmdOK: checks the fields the operator changed and writes the record
    // with only those changed, true when written (the dialog closes). A file
    // error has been shown to the operator; the record in memory is kept
    // unchanged then.
    bool onOK();
    void onCancel() { view_.closed = true; }
    // OK wrote the record.
    bool written() const { return written_; }
    // The record the fields describe.
    QSORecName record() const;

  private:
    std::string& text(EditField field) { return view_.text[static_cast<std::size_t>(field)]; }
    const std::string& text(EditField field) const {
        return view_.text[static_cast<std::size_t>(field)];
    }
    bool fail(EditField field, const std::string& title, const std::string& message);
    bool checkLength(EditField field, std::size_t limit);
    bool checkPoints();
    bool edited(EditField field) const { return edited_[static_cast<std::size_t>(field)]; }

    MainMod& state_;
    Platform& platform_;
    EntryEditorView view_;
    int entry_ = 0;
    bool written_ = false;
    // A field the operator never touched keeps its stored bytes, so older
    // records that no check would pass stay editable and unchanged.
    std::array<bool, kEditFieldCount> edited_{};
    bool bandEdited_ = false;
};

}  // namespace keslog
