#include "TypeSession.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <ostream>
#include <sstream>

#include "forms/EntryTransmit.h"
#include "forms/LogForm.h"
#include "forms/StoredLogFiles.h"
#include "model/Stamp.h"
#include "model/Text.h"
#include "platform/Files.h"
#include "platform/linux/ByteLinks.h"
#include "platform/linux/UnavailableWavePlayer.h"
#include "transmit/LineLog.h"
#include "transmit/SimulatedTime.h"

namespace keslog::cli {

namespace {

struct KeyName {
    const char* name;
    EntryKey key;
};

constexpr KeyName kKeys[] = {
    {"Tab", EntryKey::Tab},
    {"Enter", EntryKey::Enter},
    {"Esc", EntryKey::Escape},
    {"F1", EntryKey::F1},
    {"F2", EntryKey::F2},
    {"F3", EntryKey::F3},
    {"F4", EntryKey::F4},
    {"F5", EntryKey::F5},
    {"F6", EntryKey::F6},
    {"F7", EntryKey::F7},
    {"F8", EntryKey::F8},
    {"F9", EntryKey::F9},
    {"F10", EntryKey::F10},
    {"F11", EntryKey::F11},
    {"F12", EntryKey::F12},
    {"Insert", EntryKey::Insert},
    {"PageUp", EntryKey::PageUp},
    {"PageDown", EntryKey::PageDown},
    {"Up", EntryKey::Up},
    {"Down", EntryKey::Down},
    {"Left", EntryKey::Left},
    {"Right", EntryKey::Right},
    {"Home", EntryKey::Home},
    {"End", EntryKey::End},
    {"Backspace", EntryKey::Backspace},
    {"Delete", EntryKey::Delete},
    {"CapsLock", EntryKey::CapsLock},
};

struct ButtonName {
    const char* name;
    EntryButton button;
};

constexpr ButtonName kButtons[] = {
    {"LogIt", EntryButton::LogIt},         {"Cancel", EntryButton::Cancel},
    {"LastEntry", EntryButton::LastEntry}, {"KillLastEntry", EntryButton::KillLastEntry},
    {"Click", EntryButton::Background},
};

struct FieldName {
    const char* name;
    EditField field;
};

constexpr FieldName kEditFields[] = {
    {"Date", EditField::Date},   {"Mode", EditField::Mode},       {"Time", EditField::Time},
    {"Call", EditField::Call},   {"OwnNr", EditField::OwnNr},     {"Received", EditField::Received},
    {"Mult", EditField::Mult},   {"Points", EditField::Points},   {"Prec", EditField::Prec},
    {"Check", EditField::Check}, {"Section", EditField::Section},
};

Status scriptError(std::size_t at, const std::string& what) {
    return Status::error("key script, character " + std::to_string(at + 1) + ": " + what);
}

// "{Clock +90s}": seconds, minutes or hours forward.
std::optional<int> clockStep(const std::string& amount) {
    int value = 0;
    char unit = 0;
    char rest = 0;
    if (std::sscanf(amount.c_str(), "+%d%c%c", &value, &unit, &rest) != 2 || value < 0)
        return std::nullopt;
    if (unit == 's') return value;
    if (unit == 'm' && value <= 24 * 60) return value * 60;
    if (unit == 'h' && value <= 24 * 7) return value * 3600;
    return std::nullopt;
}

// "{LastEntry Call=K1AR Received=5}": Field=Text words, the texts without
// spaces (an empty text clears the field).
Result<ScriptStep> lastEntryEdit(const std::string& name, std::size_t at) {
    LastEntryEdit edit;
    std::istringstream words(name.substr(std::string("LastEntry ").size()));
    std::string word;
    while (words >> word) {
        const std::size_t equals = word.find('=');
        const std::string field = word.substr(0, std::min(equals, word.size()));
        const auto known = std::find_if(std::begin(kEditFields), std::end(kEditFields),
                                        [&](const FieldName& f) { return field == f.name; });
        if (equals == std::string::npos || known == std::end(kEditFields))
            return scriptError(at, "{" + name + "}: " + word + " is no Field=Text of the editor");
        edit.fields.emplace_back(known->field, word.substr(equals + 1));
    }
    if (edit.fields.empty()) return scriptError(at, "{" + name + "}: no field to edit");
    return ScriptStep{edit};
}

// "{Esc +300ms}": 0 to 60000 ms.
Result<ScriptStep> escapeWhileSending(const std::string& name, std::size_t at) {
    int value = 0;
    char rest = 0;
    if (std::sscanf(name.c_str(), "Esc +%dms%c", &value, &rest) != 1 || value < 0 ||
        value > 60000 || !name.ends_with("ms"))
        return scriptError(at, "{" + name + "}: Esc while sending is +Nms, at most +60000ms");
    return ScriptStep{EscapeWhileSending{value}};
}

// "{Rig 1 14025000 CW}": radio 1 or 2, the frequency in Hz and hamlib's
// name of the mode.
Result<ScriptStep> rigReport(const std::string& name, std::size_t at) {
    int radio = 0;
    long long hz = 0;
    char mode[16] = {};
    char rest = 0;
    const bool read =
        std::sscanf(name.c_str(), "Rig %d %lld %15s %c", &radio, &hz, mode, &rest) == 3;
    const bool modeIsName = std::all_of(mode, mode + std::strlen(mode), [](char c) {
        return std::isupper(static_cast<unsigned char>(c));
    });
    if (!read || (radio != 1 && radio != 2) || hz <= 0 || hz > 999'999'999'999 || !modeIsName)
        return scriptError(
            at, "{" + name + "}: a rig report is {Rig RADIO HZ MODE}, as {Rig 1 14025000 CW}");
    return ScriptStep{std::in_place_type<RigReport>, radio, RigReading{hz, mode}};
}

Result<ScriptStep> namedStep(const std::string& name, std::size_t at) {
    if (name.starts_with("LastEntry ")) return lastEntryEdit(name, at);
    if (name.starts_with("Rig ")) return rigReport(name, at);
    if (name.starts_with("Esc ")) return escapeWhileSending(name, at);
    if (name.starts_with("Clock ")) {
        const auto seconds = clockStep(name.substr(6));
        if (!seconds)
            return scriptError(at, "{" + name + "}: the clock moves on as +Ns, +Nm or +Nh");
        return ScriptStep{ClockStep{*seconds}};
    }
    KeyMods mods;
    std::string rest = name;
    for (;;) {
        if (rest.starts_with("Shift+"))
            mods.shift = true;
        else if (rest.starts_with("Ctrl+"))
            mods.ctrl = true;
        else if (rest.starts_with("Alt+"))
            mods.alt = true;
        else
            break;
        rest = rest.substr(rest.find('+') + 1);
    }
    // The buttons' accelerators.
    if (mods.alt && !mods.ctrl && (rest == "L" || rest == "C"))
        return ScriptStep{rest == "L" ? EntryButton::LogIt : EntryButton::Cancel};
    if (rest == "Space" && !mods.ctrl && !mods.alt) return ScriptStep{TypedChar{' '}};
    for (const KeyName& k : kKeys)
        if (rest == k.name) return ScriptStep{PressedKey{k.key, mods}};
    if (!mods.shift && !mods.ctrl && !mods.alt)
        for (const ButtonName& b : kButtons)
            if (rest == b.name) return ScriptStep{b.button};
    return scriptError(at, "unknown key {" + name + "}");
}

// Message texts on one line: their line breaks written as "\n".
std::string oneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        out += text[i] == '\n' ? std::string("\\n") : std::string(1, text[i]);
    }
    return out;
}

// Message boxes are printed and answered from the script's answers.
class ScriptMessageBox : public IMessageBox {
  public:
    ScriptMessageBox(std::ostream& out, std::deque<MsgResult> answers)
        : out_(out), answers_(std::move(answers)) {}
    MsgResult show(const MessageRequest& request) override {
        out_ << "MSGBOX " << request.title << " | " << oneLine(request.text) << "\n";
        if (answers_.empty()) return MsgResult::Ok;
        const MsgResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

  private:
    std::ostream& out_;
    std::deque<MsgResult> answers_;
};

class ScriptClock : public IClock {
  public:
    explicit ScriptClock(DateTime start) : time_(start) {}
    DateTime now() const override { return time_; }
    double secondsSinceMidnight() const override {
        return time_.hour * 3600.0 + time_.minute * 60.0 + time_.second;
    }
    void advance(int seconds) {
        const int total = time_.second + seconds;
        time_ = addMinutes(time_, total / 60);
        time_.second = total % 60;
    }

  private:
    DateTime time_;
};

class ScriptBeep : public IBeep {
  public:
    explicit ScriptBeep(std::ostream& out) : out_(out) {}
    void beep() override { out_ << "BEEP\n"; }

  private:
    std::ostream& out_;
};

// What a session without a screen, devices or sound leaves undone.
class Headless : public IFileDialog,
                 public IEventPump,
                 public IHelpViewer,
                 public IBusyPointer,
                 public ISidetone,
                 public ITcpConnector,
                 public IUdpSender,
                 public IProcessLauncher,
                 public ITcpStreamConnector {
  public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    void processPendingEvents() override {}
    void processEventsHoldingInput() override {}
    void show(HelpCommand) override {}
    void setBusy(bool) override {}
    void showNotice(const std::string&, const std::string&) override {}
    void hideNotice() override {}
    Status prepare() override { return Status::ok(); }
    void setTone(bool) override {}
    void stop() override {}
    // A scripted session has no radio: rig control, if set, stays offline.
    std::unique_ptr<ITcpConnection> connect(const std::string&, int) override {
        return std::make_unique<NoConnection>();
    }
    // Nor does it tell the station's tools, or start programs.
    Status send(const std::string&, int, std::string_view) override { return Status::ok(); }
    Result<std::unique_ptr<IChildProcess>> start(const std::vector<std::string>&) override {
        return Status::error("no programs are started in a scripted session");
    }
    Result<std::unique_ptr<ITcpStream>> connect(const std::string&, int, int) override {
        return Status::error("No cluster in a scripted session.");
    }

  private:
    struct NoConnection : ITcpConnection {
        State state() override { return State::Closed; }
        void send(std::string_view) override {}
        std::string receive() override { return {}; }
        std::string error() const override { return "No rig in a scripted session."; }
    };
};

// The keys the keyer polls while it sends: a script's "{Esc +300ms}" is
// pressed at its time on the simulated clock.
class ScriptKeys : public IKeyState {
  public:
    explicit ScriptKeys(const SimulatedTime& time) : time_(time) {}
    void pressEscapeAt(KeyTime at) { escapeAt_ = at; }
    void release() { escapeAt_.reset(); }
    bool wasPressed(AsyncKey key) override {
        if (key != AsyncKey::Escape || !escapeAt_ || time_.now() < *escapeAt_) return false;
        escapeAt_.reset();
        return true;
    }

  private:
    const SimulatedTime& time_;
    std::optional<KeyTime> escapeAt_;
};

// External keyers' links: the session's clock follows the real one while
// it waits on them, so that a message takes its time on the keyer and Esc
// comes when the script says.
class RealTimeLinks : public IByteLinks {
  public:
    RealTimeLinks(IByteLinks& links, SimulatedTime& time) : links_(links), time_(time) {}
    Result<std::unique_ptr<IByteLink>> udp(const std::string& host, int port) override {
        return paced(links_.udp(host, port));
    }
    Result<std::unique_ptr<IByteLink>> serial(const std::string& path) override {
        return paced(links_.serial(path));
    }

  private:
    class Link : public IByteLink {
      public:
        Link(std::unique_ptr<IByteLink> link, SimulatedTime& time)
            : link_(std::move(link)), time_(time) {}
        Status write(std::string_view bytes) override { return link_->write(bytes); }
        Result<std::string> read(int waitMs) override {
            time_.followRealTime();
            Result<std::string> got = link_->read(waitMs);
            time_.followRealTime();
            return got;
        }

      private:
        std::unique_ptr<IByteLink> link_;
        SimulatedTime& time_;
    };

    Result<std::unique_ptr<IByteLink>> paced(Result<std::unique_ptr<IByteLink>> link) {
        if (!link) return link;
        return std::unique_ptr<IByteLink>(std::make_unique<Link>(std::move(*link), time_));
    }

    IByteLinks& links_;
    SimulatedTime& time_;
};

// The main window's part in a session: the contest-choice dialog answered
// from the options, the search window's hits printed.
class SessionHost : public ILogFormHost, public ICWKeyerHost {
  public:
    SessionHost(MainMod& state, Platform& platform, std::ostream& out, ContestNr contest,
                int modeOption, int qthOption, int continent)
        : state_(state),
          platform_(platform),
          out_(out),
          contest_(contest),
          modeOption_(modeOption),
          qthOption_(qthOption),
          continent_(continent) {}

    void attach(LogForm& form) { form_ = &form; }

    void showWelcome(const std::function<void()>& whileShown) override { whileShown(); }
    void showAbout() override {}
    void setViewWindowVisible(ViewWindow, bool) override {}
    void refreshStatistics() override {}
    void showChCoForm(ChCoForm& dialog) override {
        for (int i = 0; i < static_cast<int>(dialog.view().list1.size()); ++i)
            if (dialog.contestAt(i) == contest_) dialog.onList1Click(i);
        dialog.onButtonMode(modeOption_);
        if (dialog.view().frame2Enabled) dialog.onButtonQTH(qthOption_);
        if (continent_ >= 0) dialog.onComboQTH(continent_);
        dialog.onOK();
    }
    void showBandMode(BandMode&) override {}
    void showPostContest(PostContestForm&) override {}
    void showSetup(Setup&) override {}
    void storeWindowCoordinates(Settings&) override {}
    // The next Last Entry retypes these fields and presses OK; without
    // them the editor is closed unchanged.
    void editNextWith(const LastEntryEdit& edit) { edit_ = edit; }
    bool editQso(int n) override {
        if (edit_.fields.empty()) return false;
        EntryEditor editor(state_, platform_);
        editor.load(n);
        for (const auto& [field, text] : edit_.fields) {
            editor.setText(field, text);
            if (!editor.checkField(field)) return false;
        }
        return editor.onOK();
    }
    void showPartial() override {
        out_ << "PARTIAL";
        for (const std::string& hit : form_->entry().partial().view().Match)
            if (!hit.empty()) out_ << " " << hit;
        out_ << "\n";
    }

    std::string callBoxText() const override { return box(kCallBox); }
    std::string exchangeBoxText() const override { return box(kExchangeBox); }
    bool callBoxActive() const override { return form_->entry().view().focus == kCallBox; }
    void showTxRadio(int radio) override { form_->showTxRadio(radio); }
    void showSpeed(int) override {}
    void sendingChanged(bool) override {}
    void showCalibrationNotice(bool) override {}

  private:
    std::string box(int i) const {
        return form_->entry().view().InData[static_cast<std::size_t>(i)].text;
    }

    MainMod& state_;
    Platform& platform_;
    std::ostream& out_;
    LastEntryEdit edit_;
    ContestNr contest_;
    int modeOption_;
    int qthOption_;
    int continent_;
    LogForm* form_ = nullptr;
};

constexpr const char* kContinents[] = {"AF", "AS", "EU", "NA", "OC", "SA"};

// The contest-choice dialog's options for --new, --mode and --location.
struct NewLogChoice {
    ContestNr contest = contest::None;
    int modeOption = 1;  // CW, or outside the state
    int qthOption = 0;   // USA
    int continent = -1;
};

Result<NewLogChoice> newLogChoice(const std::string& name, const std::string& mode,
                                  const std::string& location) {
    NewLogChoice choice;
    choice.contest = contestNamed(name);
    if (choice.contest == contest::None)
        return Status::error(std::string("--new is one of ") + kContestNames);
    const std::string where = toUpper(location);
    const auto info = findContest(choice.contest);
    switch (info->location) {
        case LocationChoice::InState:
            if (where != "IN" && where != "OUT")
                return Status::error("--location is IN or OUT for " + name);
            choice.modeOption = where == "IN" ? 0 : 1;
            return choice;
        case LocationChoice::UsaCanada:
        case LocationChoice::UsaCanadaOther: {
            const bool other = info->location == LocationChoice::UsaCanadaOther;
            if (where == "USA" || where == "CANADA") {
                choice.qthOption = where == "USA" ? 0 : 1;
            } else {
                for (int i = 0; i < 6 && other; ++i)
                    if (where == kContinents[i]) choice.continent = i;
                if (choice.continent < 0)
                    return Status::error(
                        other ? "--location is USA, CANADA, AF, AS, EU, NA, OC or SA for " + name
                              : "--location is USA or CANADA for " + name);
                choice.qthOption = 2;
            }
            break;
        }
        case LocationChoice::None:
            if (!where.empty()) return Status::error(name + " has no --location");
            break;
    }
    const std::string m = toUpper(mode);
    if (m != "CW" && m != "SSB") return Status::error("--mode is CW or SSB");
    choice.modeOption = m == "CW" ? 1 : 0;
    return choice;
}

Result<DateTime> parseClock(const std::string& text) {
    DateTime t;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second, &rest) != 6)
        return Status::error("--clock is \"YYYY-MM-DD HH:MM:SS\"");
    using namespace std::chrono;
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                              day{static_cast<unsigned>(t.day)}};
    if (!date.ok() || t.year < 1990 || t.year > 2099 || t.hour > 23 || t.minute > 59 ||
        t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0)
        return Status::error("--clock " + text + " is no date and time");
    return t;
}

Result<std::deque<MsgResult>> parseAnswers(const std::string& text) {
    std::deque<MsgResult> answers;
    std::size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string word = toUpper(trim(text.substr(start, comma - start)));
        if (word == "YES")
            answers.push_back(MsgResult::Yes);
        else if (word == "NO")
            answers.push_back(MsgResult::No);
        else if (word == "CANCEL")
            answers.push_back(MsgResult::Cancel);
        else if (word == "OK")
            answers.push_back(MsgResult::Ok);
        else if (word == "RETRY")
            answers.push_back(MsgResult::Retry);
        else
            return Status::error("--answers are yes, no, cancel, ok or retry, separated by commas");
        start = comma + 1;
    }
    return answers;
}

struct Options {
    std::string log;
    std::string contest;
    std::string mode;
    std::string location;
    std::string clock;
    std::string answers;
    std::string keys;
    std::string lineLog;
};

int usage(Context& ctx, const std::string& why) {
    ctx.err << "keslog-cli: " << why << "\n"
            << "usage: keslog-cli type --log PATH [--new CONTEST --mode CW|SSB --location L]\n"
               "       --clock \"YYYY-MM-DD HH:MM:SS\" [--answers yes,no,...] [--line-log FILE]\n"
               "       --keys FILE\n";
    return 2;
}

void runStep(const ScriptStep& step, LogForm& form, SessionHost& host, ScriptClock& clock,
             SimulatedTime& time, ScriptKeys& keys) {
    EntryLine& entry = form.entry();
    const int box = entry.view().focus;
    if (const auto* report = std::get_if<RigReport>(&step)) {
        form.rig().report(report->radio, report->reading);
    } else if (std::holds_alternative<EscapeWhileSending>(step)) {
        // Held back while the message went out, the key reaches the entry
        // line after it.
        keys.release();
        entry.onKeyDown(box, EntryKey::Escape);
    } else if (const auto* edit = std::get_if<LastEntryEdit>(&step)) {
        host.editNextWith(*edit);
        entry.onLastEntry();
        host.editNextWith({});
    } else if (const auto* typed = std::get_if<TypedChar>(&step)) {
        entry.onChar(box, typed->c);
    } else if (const auto* key = std::get_if<PressedKey>(&step)) {
        entry.onKeyDown(box, key->key, key->mods);
    } else if (const auto* moved = std::get_if<ClockStep>(&step)) {
        clock.advance(moved->seconds);
        time.advanceBy(static_cast<KeyTime>(moved->seconds) * 1'000'000'000);
    } else {
        switch (std::get<EntryButton>(step)) {
            case EntryButton::LogIt:
                entry.onLogIt();
                break;
            case EntryButton::Cancel:
                entry.onCancel();
                break;
            case EntryButton::LastEntry:
                entry.onLastEntry();
                break;
            case EntryButton::KillLastEntry:
                entry.onKillLastEntry();
                break;
            case EntryButton::Background:
                entry.onBackgroundClick();
                break;
        }
    }
}

}  // namespace

Result<std::vector<ScriptStep>> parseKeyScript(const std::string& script) {
    std::vector<ScriptStep> steps;
    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        if (c == '\r' || c == '\n') continue;
        if (c != '{') {
            steps.emplace_back(std::in_place_type<TypedChar>, c);
            continue;
        }
        const std::size_t close = script.find('}', i + 1);
        if (close == std::string::npos) return scriptError(i, "a { without its }");
        Result<ScriptStep> step = namedStep(script.substr(i + 1, close - i - 1), i);
        if (!step) return step.status();
        steps.push_back(*step);
        i = close;
    }
    return steps;
}

std::string keyScriptHelp() {
    std::string names;
    for (const KeyName& k : kKeys)
        names += std::string(names.empty() ? "" : " ") + "{" + k.name + "}";
    return "key script: text is typed into the entry box with the focus; line ends only\n"
           "separate lines. Keys: " +
           names +
           " {Space},\n"
           "each also with Shift+, Ctrl+ or Alt+ in front ({Shift+F1}, {Ctrl+Down}).\n"
           "Buttons and menu: {LogIt} or {Alt+L}, {Cancel} or {Alt+C}, {LastEntry},\n"
           "{KillLastEntry}, {Click} (the window background). {LastEntry Call=K1AR\n"
           "Received=5} edits the last QSO and presses OK (fields Date, Mode, Time, Call,\n"
           "OwnNr, Received, Mult, Points, Prec, Check, Section). {Esc +300ms} is Esc\n"
           "pressed 300 ms after the step before it began: it stops the message that\n"
           "step started, then reaches the entry line. {Clock +90s} moves the\n"
           "clock on (s, m or h). {Rig 1 14025000 CW} is radio 1's rig reporting a\n"
           "frequency in Hz and a hamlib mode (CW, CWR, USB, LSB, AM, FM, ...): the band\n"
           "and mode follow it and the QSOs logged keep the frequency. Printed: MSGBOX <title> | "
           "<text> for each message\n"
           "box, answered from --answers in order (OK when none is left), the last-QSO\n"
           "line of each logged QSO, PARTIAL <calls> for a search, BEEP; at the end the\n"
           "lines of keslog-cli score.\n";
}

int typeSession(Context& ctx) {
    Options o;
    const std::pair<const char*, std::string*> named[] = {
        {"--log", &o.log},           {"--new", &o.contest},      {"--mode", &o.mode},
        {"--location", &o.location}, {"--clock", &o.clock},      {"--answers", &o.answers},
        {"--keys", &o.keys},         {"--line-log", &o.lineLog},
    };
    for (const auto& [name, value] : named) {
        std::vector<std::string> values;
        if (!takeOption(ctx.args, name, values, 1))
            return usage(ctx, std::string(name) + " needs a value");
        if (!values.empty()) *value = values[0];
    }
    if (!ctx.args.empty()) return usage(ctx, "unexpected argument " + ctx.args[0]);
    if (o.log.empty() || o.clock.empty() || o.keys.empty())
        return usage(ctx, "--log, --clock and --keys are needed");
    if (o.contest.empty() && (!o.mode.empty() || !o.location.empty()))
        return usage(ctx, "--mode and --location go with --new");

    NewLogChoice choice;
    if (!o.contest.empty()) {
        Result<NewLogChoice> chosen =
            newLogChoice(o.contest, o.mode.empty() ? "CW" : o.mode, o.location);
        if (!chosen) return usage(ctx, chosen.status().message());
        choice = *chosen;
    }
    const Result<DateTime> start = parseClock(o.clock);
    if (!start) return usage(ctx, start.status().message());
    Result<std::deque<MsgResult>> answers = parseAnswers(o.answers);
    if (!answers) return usage(ctx, answers.status().message());
    const Result<std::string> keyText = readWholeFile(o.keys);
    if (!keyText) {
        ctx.err << "keslog-cli: " << keyText.status().message() << "\n";
        return 1;
    }
    const Result<std::vector<ScriptStep>> steps = parseKeyScript(*keyText);
    if (!steps) return usage(ctx, o.keys + ": " + steps.status().message());
    if (!o.contest.empty() && fileExists(o.log)) {
        ctx.err << "keslog-cli: " << o.log << " exists already; --new never replaces a log\n";
        return 1;
    }

    // The session: the main window's behaviour on a simulated clock, lines
    // written down instead of switched.
    ScriptMessageBox messages(ctx.out, std::move(*answers));
    ScriptClock clock(*start);
    ScriptBeep beep(ctx.out);
    Headless headless;
    SimulatedTime time;
    LineLog lineLog(time);
    ScriptKeys keys(time);
    UnavailableWavePlayer wave;
    Platform platform{messages, headless, time, headless, keys,     lineLog,  lineLog,  wave,
                      clock,    headless, beep, headless, headless, headless, headless, headless};
    MainMod state;
    PortLines lines(lineLog, lineLog);
    CWKeyer keyer(state, platform, lines, {time, headless, headless});
    // Keyers named in the settings key for real; the line log has their bytes.
    PosixByteLinks posixLinks;
    RealTimeLinks realTimeLinks(posixLinks, time);
    RecordedByteLinks byteLinks(realTimeLinks, lineLog);
    KeyingDevices keyingDevices(byteLinks, messages);
    keyer.setDevices(keyingDevices);
    RadioSwitch radios(state, lines, messages);
    MessageRepeater repeater(state, platform, keyer, radios);
    EntryTransmit transmit(state, keyer, lines, radios, repeater);
    StoredLogFiles logFiles(platform);
    SessionHost host(state, platform, ctx.out, choice.contest, choice.modeOption, choice.qthOption,
                     choice.continent);
    LogForm form(state, platform, logFiles, host);
    host.attach(form);
    form.setKeyer(keyer);
    keyer.setHost(host);
    form.entry().setTransmit(transmit);

    if (!form.startUp(ctx.programDir)) return 1;
    const Status opened = o.contest.empty()
                              ? logFiles.openLog(state, o.log)
                              : (form.chooseContest() ? startLog(state, o.log)
                                                      : Status::error("No contest was chosen."));
    if (!opened) {
        ctx.err << "keslog-cli: " << opened.message() << "\n";
        return 1;
    }
    state.logOpen = true;
    form.load();

    std::string lastQso = form.entry().view().lastQso;
    for (std::size_t i = 0; i < steps->size(); ++i) {
        if (i + 1 < steps->size())
            if (const auto* esc = std::get_if<EscapeWhileSending>(&(*steps)[i + 1]))
                keys.pressEscapeAt(time.now() + KeyTime{esc->milliseconds} * 1'000'000);
        runStep((*steps)[i], form, host, clock, time, keys);
        if (form.entry().view().lastQso != lastQso) {
            lastQso = form.entry().view().lastQso;
            ctx.out << lastQso << "\n";
        }
    }
    // Repetitions still running finish.
    while (time.runNext()) {
    }
    if (!o.lineLog.empty()) {
        if (const Status written = writeFileAtomically(o.lineLog, lineLog.text()); !written) {
            ctx.err << "keslog-cli: " << written.message() << "\n";
            return 1;
        }
    }
    printScore(ctx.out, state);
    return 0;
}

}  // namespace keslog::cli
