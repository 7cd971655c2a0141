#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "entry/CallMatch.h"
#include "entry/Dupes.h"
#include "entry/Partial.h"
#include "model/MainMod.h"
#include "platform/Platform.h"
#include "platform/Status.h"

namespace keslog {

// The keys of the entry boxes that are not typed characters.
enum class EntryKey {
    None,  // the key handler run for a swallowed "]" or "\" (key mapping only)
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    Insert,
    Enter,
    Tab,
    Escape,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Backspace,
    Delete,
    PageUp,
    PageDown,
    CapsLock,
};

struct KeyMods {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Key codes of the function keys as SendFunctionKeyMessage takes them.
inline constexpr int kKeyCodeF1 = 112;
int functionKeyCode(EntryKey key);  // F1..F12: 112..123; else 0

// One entry box: text, caret and selection (0-based, in characters).
struct EntryBox {
    std::string text;
    int caret = 0;
    int selStart = 0;
    int selLength = 0;

    void setText(std::string value, int caretAt);
    void select(int start, int length);
    void insert(char c);  // over the selection
    void backspace();
    void del();
    void moveCaret(int to);
};

// Colours of NeedPfxLabel (&HBBGGRR).
inline constexpr std::uint32_t kNeededColour = 0x8080FF;  // light red
inline constexpr std::uint32_t kWorkedColour = 0xFF8080;  // light blue

inline constexpr int kCallBox = 0;
inline constexpr int kExchangeBox = 1;
inline constexpr int kNoBox = -1;  // the focus is outside the entry boxes

// What the entry area of the main window shows.
struct EntryView {
    std::array<EntryBox, 2> InData;
    int focus = kCallBox;
    std::string ModeLabel;                        // empty: hidden
    std::array<std::string, kBandCount> PrevQSO;  // worked-before grid; empty: hidden
    CallMatchLabels matches;
    std::string NeedPfxLabel;  // three lines; empty: hidden
    std::uint32_t needPfxColour = kNeededColour;
    std::string LblWpxCountry;
    int countryNr = 0;    // ARRL DX, CQWW: the country panel's country, 0: panel empty
    std::string lastQso;  // the last-QSO line, printed near the bottom left
};

// The transmitting side of the entry keys: messages, radios, keyboard CW.
class IEntryTransmit {
  public:
    virtual ~IEntryTransmit() = default;
    // F1..F7, F11, F12 by key code; dual (Shift) alternates both radios.
    virtual void sendFunctionKeyMessage(int keyCode, bool dual) = 0;
    // Insert on CW: the contest's call-and-exchange message for this
    // exchange box.
    virtual void sendExchange(const std::string& exchangeBox) = 0;
    virtual void sendDupeMessage() = 0;
    // Insert on phone.
    virtual void playExchangeVoice() = 0;
    virtual void selectRadio(int which) = 0;  // F9 with 0: the other radio
    virtual void switchLogRadio() = 0;        // F10
    // Caps Lock on CW: keyboard CW opens, remembering where to come back.
    virtual void openKeyboardCW(int box, int caret) = 0;
    // The line tests "DTRSET1" and "DTRCLEAR1": DTR of serial port 1.
    virtual Status testSerialLine(bool on) = 0;
    // Esc and the Cancel button: ends repetitions and voice messages. True
    // when the Esc ended a CW message, which leaves the entry line alone.
    virtual bool cancelSending() = 0;
};

// Where logged QSOs go on disk.
class IQsoStore {
  public:
    virtual ~IQsoStore() = default;
    // Writes QSO n of the log tables as its record of the open log file.
    virtual Status writeQso(MainMod& state, int n) = 0;
    // Cuts the open log file after the last QSO of the log tables.
    virtual Status cutAfterLastQso(MainMod& state) = 0;
};

// What the entry line asks of the main window around it.
class IEntryHost {
  public:
    virtual ~IEntryHost() = default;
    // CurrentBandMode changed: QSONrLabel and the CW speed controls.
    virtual void bandModeChanged() = 0;
    // A QSO was logged: QSONrLabel, ScoreLabel, MultsLabel and the windows
    // that show the log.
    virtual void qsoLogged() = 0;
    // The log was changed other than by logging (a QSO removed or edited)
    // and its totals rebuilt: the same, from the whole log.
    virtual void logRebuilt() = 0;
    // Kill Last Entry removed this QSO, the log's count() + 1; logRebuilt follows.
    virtual void qsoKilled(const QSORecName& killed) = 0;
    // NAQP: the multiplier display for the current band (F9, F10, Insert).
    virtual void redrawMultipliers() = 0;
    // ARRL DX and CQWW: the country panel of the multiplier window for a
    // country (0: empty) and, in CQWW, a received zone (0: the country's).
    virtual void showCountryPanel(int countryNr, int zone) = 0;
    // The search window has hits to show.
    virtual void showPartial() = 0;
    // The entry editor on the last QSO; true when the QSO was changed.
    virtual bool editLastEntry() = 0;
};

// The rigs under control, as far as the entry line steers them.
class IEntryRig {
  public:
    virtual ~IEntryRig() = default;
    // Enter on the call box's text: true when it was a frequency and the
    // log radio's rig, under control, was sent there instead of logging.
    virtual bool tuneToTyped(const std::string& callBox) = 0;
    // The keys moved CurrentBandMode away from `from`: a rig under control
    // follows.
    virtual void bandModeKeyed(BandModeCode from) = 0;
};

// The band-mode may be one the contest does not log on when a rig put the
// log there: the message that refuses to log; nullopt when it may log.
std::optional<MessageRequest> bandModeRefusal(const MainMod& state);

// The entry-line command words of the call box.
enum class EntryCommand { None = 0, Repeat = 1, DtrClear = 2, DtrSet = 3 };
EntryCommand entryCommand(std::string_view callBox);

// The last-QSO line of a logged QSO ("Last: 20  CW  1234 K6ABC ...").
std::string lastQsoLine(const MainMod& state, const QSORecName& record);

// The entry line of the main window: the two InData boxes, every key they
// handle, the logging sequence, and the Log it, Cancel, Last Entry and
// Kill Last Entry commands.
class EntryLine {
  public:
    EntryLine(MainMod& state, Platform& platform, IQsoStore& store, IEntryHost& host);

    void setTransmit(IEntryTransmit& transmit) { transmit_ = &transmit; }
    void setRig(IEntryRig& rig) { rig_ = &rig; }

    const EntryView& view() const { return view_; }
    Partial& partial() { return partial_; }

    // A new or opened log: empty boxes and labels, the call box focused.
    void reset();

    // A typed character in a box (the character handler, then the box
    // follows and the displays are updated).
    void onChar(int box, char c);
    void onKeyDown(int box, EntryKey key, KeyMods mods = {});
    // The focus moves to a box (or kNoBox: out of the entry line).
    void setFocus(int box);
    // The operator put the caret or a selection somewhere with the mouse.
    void onCaret(int box, int caret, int selStart, int selLength);
    // Text pasted or edited outside the key handler: upper case.
    void onTextEdited(int box, const std::string& text);

    void onLogIt();   // AddButton
    void onCancel();  // CancelButton and Esc
    void onLastEntry();
    void onKillLastEntry();
    void onBackgroundClick();
    // A call chosen in the search window goes into the call box.
    void onPartialCallChosen(const std::string& call);

    // The log radio's rig moved to another band-mode: shown as the keys
    // would show it, the typed call and exchange kept.
    void followRig(BandModeCode code);

    // Log entry: Enter in box 0 or 1, Shift suppressing the automatic
    // messages. Public for the Log it button and the tests.
    void logEntry(int box, bool shift);

  private:
    struct PerEntry {
        std::string call;  // the call and band-mode the dupe check ran for
        BandModeCode bandMode = 0;
        DupeCheck check;
        bool checked = false;
        bool answered = false;
    };

    void handleKey(int box, EntryKey key, KeyMods mods);
    EntryKey mappedKey(EntryKey key, KeyMods mods);
    void afterEdit(int box);
    void callBoxChanged();
    void exchangeBoxChanged();
    void exchangeBoxGotFocus();
    void callBoxLostFocus();
    void onInsert();
    void onSearch(KeyMods mods);
    void switchMode();
    // CurrentBandMode changed: the displays and the dupe state follow.
    void bandModeShown();
    void placeFocus(int box);
    void clearEntry();
    // The Cancel button's clearing for the other commands: sending stops too.
    void cancelEntry();
    void hideEntryLabels();
    // The partial window's check-partial lists for the call box's text.
    void showCheckPartial(std::string_view typed);

    // The dupe check of the call unless it ran for this call already; the
    // grid and (with notice) the portable notice show what it found.
    const DupeCheck& dupeCheck(const std::string& call, bool notice = true);
    // The dupe question for a dupe not yet answered for this call; nullopt
    // when it was not asked.
    std::optional<MsgResult> askIfDupe(const std::string& call);
    // The 10-character rule of the call box; false when the operator
    // declined to cut the call.
    bool callFits(std::string& call);
    void logCall(std::string call, bool shift);
    // Into the log and onto the disk; false when the log refused it.
    bool storeQso(const QSORecName& record);
    void repeatLastNaqp();
    void testSerialLine(bool on);
    void showNeeded(const std::string& heading, const std::string& item, bool needed);

    MainMod& state_;
    Platform& platform_;
    IQsoStore& store_;
    IEntryHost& host_;
    IEntryTransmit* transmit_;
    IEntryRig* rig_;
    Partial partial_;
    EntryView view_;
    PerEntry entry_;
    bool backslashTyped_ = false;
    bool bracketTyped_ = false;
    bool keepMatchesOnce_ = false;
};

}  // namespace keslog
