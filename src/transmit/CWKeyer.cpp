#include "transmit/CWKeyer.h"

#include <algorithm>

#include "model/Text.h"
#include "transmit/CWMessages.h"

namespace keslog {

namespace {

constexpr const char* kPortErrorTitle = "Port Error";

// Until the window attaches itself, the keyer reads empty boxes and shows
// nothing.
class NoHost : public ICWKeyerHost {
  public:
    std::string callBoxText() const override { return {}; }
    std::string exchangeBoxText() const override { return {}; }
    bool callBoxActive() const override { return true; }
    void showTxRadio(int) override {}
    void showSpeed(int) override {}
    void sendingChanged(bool) override {}
    void showCalibrationNotice(bool) override {}
};

NoHost noHost;

void replaceAll(std::string& text, char what, const std::string& with) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == what)
            out += with;
        else
            out += c;
    }
    text = std::move(out);
}

bool isMark(char code) {
    return code == '1' || code == '3';
}

// How long one element code lasts: a mark key down, a pause key up.
KeyTime elementLength(char code, const CWState& cw) {
    switch (code) {
        case '1':
            return cw.DotCount;
        case '3':
            return cw.DashCount;
        case '2':
            return 2 * KeyTime{cw.DotCount};
        case '0':
            return 4 * KeyTime{cw.DotCount};
        default:
            return 0;
    }
}

// A character's length with its spaces, as the lines would key it.
KeyTime patternLength(const std::string& pattern, const CWState& cw) {
    KeyTime t = 0;
    for (const char code : pattern) t += elementLength(code, cw) + cw.DotCount;
    if (!pattern.empty()) t -= cw.DotCount;
    if (!pattern.empty() && isMark(pattern.back())) t += cw.DashCount;
    return t;
}

// An external keyer is waited on in slices this short, so Esc reaches it
// at once.
constexpr int kDevicePollMs = 1;
constexpr KeyTime kDevicePoll = KeyTime{kDevicePollMs} * 1'000'000;
// How much longer than the timeline says a keyer may take to report the end.
constexpr KeyTime kDeviceMargin = 2'000'000'000;

}  // namespace

float weightFromSetting(const std::string& weight) {
    const double value = leadingNumber(weight);
    return value >= 2.5 && value <= 4.5 ? static_cast<float>(value) : 3.0F;
}

void recomputeCWCounts(CWState& cw) {
    const int speed = std::max<int>(cw.CWSpeed, 1);
    cw.DotCount = roundHalfEven(static_cast<double>(cw.BaseCount) * 28.0 / speed);
    cw.DashCount =
        roundHalfEven(static_cast<double>(cw.CWWeight) * static_cast<double>(cw.DotCount));
}

// One message on its way: what SendCW works out step by step.
struct CWKeyer::Run {
    std::string message;
    bool containsCall = false;
    bool extendable = false;  // the message begins with the call
    std::string sentCall;
    std::string tail;
    std::int16_t savedSpeed = 0;
    bool speedChanged = false;
    bool tone = false;
    KeyTime t = 0;
    bool keyed = false;               // the scheduler was used
    IKeyingDevice* device = nullptr;  // an external keyer, or the lines
    Status failure;
};

CWKeyer::CWKeyer(MainMod& state, Platform& platform, PortLines& lines, KeyerDevices devices)
    : state_(state), platform_(platform), lines_(lines), devices_(devices), host_(&noHost) {
    devices_.scheduler.setEdgeHandler([this](bool keyDown) { onEdge(keyDown); });
}

void CWKeyer::configureDevices() {
    if (!keyingDevices_) return;
    keyingDevices_->configure(state_.settings);
    host_->showKeyerStatus(keyingDevices_->status());
}

void CWKeyer::pollDevices() {
    if (busy_ || !keyingDevices_) return;
    if (const auto wpm = keyingDevices_->idlePoll()) onSpeedScroll(*wpm);
    host_->showKeyerStatus(keyingDevices_->status());
}

ISidetone& CWKeyer::sidetone() {
    return state_.settings.UsePCSpeaker ? devices_.pcSpeaker : devices_.soundCard;
}

void CWKeyer::ChangeCWSpeed(int delta) {
    CWState& cw = state_.cw;
    const int speed = cw.CWSpeed + delta;
    if ((delta > 0 && speed > kMaxCWSpeed) || (delta < 0 && speed < kMinCWSpeed)) return;
    cw.CWSpeed = static_cast<std::int16_t>(speed);
    recomputeCWCounts(cw);
}

void CWKeyer::onSpeedScroll(int wpm) {
    state_.cw.CWSpeed = static_cast<std::int16_t>(std::clamp(wpm, kMinCWSpeed, kMaxCWSpeed));
    recomputeCWCounts(state_.cw);
    host_->showSpeed(state_.cw.CWSpeed);
}

void CWKeyer::CalibrateCWTiming() {
    host_->showCalibrationNotice(true);
    // The monotonic clock needs no measuring: the base unit is exact.
    CWState& cw = state_.cw;
    cw.BaseCount = kBaseCountNs;
    cw.CWWeight = weightFromSetting(state_.settings.Weight);
    recomputeCWCounts(cw);
    Status opened;
    if (state_.settings.CWActivated) opened = lines_.OpenSerialPort(state_.settings.CWComport);
    cw.CWCalibrated = true;
    host_->showCalibrationNotice(false);
    if (!opened)
        platform_.messageBox.show(
            {opened.message(), kPortErrorTitle, MsgButtons::Ok, MsgIcon::Exclamation});
}

void CWKeyer::prepareTiming(bool cwLog) {
    if (state_.cw.CWCalibrated) return;
    if (cwLog) {
        CalibrateCWTiming();
        return;
    }
    state_.cw.BaseCount = kBaseCountNs;
    state_.cw.CWWeight = 3.0F;
    recomputeCWCounts(state_.cw);
}

// Keeps the first failure of a message: that is the one the operator hears of.
void CWKeyer::note(Run& run, const Status& status) {
    if (!status.isOk() && run.failure.isOk()) run.failure = status;
}

void CWKeyer::SendCW(std::string message, bool noRadioSwitch) {
    if (busy_) return;
    busy_ = true;
    const Settings& s = state_.settings;
    CWState& cw = state_.cw;

    Run run;
    char radioDigit = '0';
    if (hasRadioPrefix(message)) {
        radioDigit = message[6];
        message.erase(0, kMacroPrefixLength);
    }
    if (noRadioSwitch) radioDigit = '0';
    run.message = std::move(message);

    if (s.CWActivated && isCw(state_.CurrentBandMode)) {
        run.tone = s.CWSpeakerEnabled;
        if (run.tone) {
            const Status ready = sidetone().prepare();
            if (!ready) {
                run.tone = false;
                if (!sidetoneFailureShown_) {
                    sidetoneFailureShown_ = true;
                    platform_.messageBox.show(
                        {ready.message(), "CW Sidetone", MsgButtons::Ok, MsgIcon::Exclamation});
                }
            }
        }
        for (AsyncKey key : {AsyncKey::Escape, AsyncKey::KeypadPlus, AsyncKey::KeypadMinus})
            platform_.keys.wasPressed(key);
        run.savedSpeed = cw.CWSpeed;
        cw.CWAbortFlag = false;
        substitute(run);
        selectRadio(radioDigit, run);
        if (keyingDevices_) run.device = keyingDevices_->forRadio(state_.TXRadio);
        if (run.failure.isOk() && prepareLines(run)) keyCharacters(run);
    }
    endKeying(run);
    busy_ = false;
}

void CWKeyer::substitute(Run& run) {
    std::string& m = run.message;
    run.containsCall = m.find('@') != std::string::npos;
    if (run.containsCall) {
        const std::string callBox = trim(host_->callBoxText());
        const bool inCallBox = host_->callBoxActive();
        std::string call;
        if (state_.contestNr == contest::Ss) {
            if (!inCallBox) {
                call = ssExchangeCall(toUpper(host_->exchangeBoxText()), callBox,
                                      state_.mults.SSSections);
                if (call.empty()) call = state_.CurrentCall;
            } else {
                call = callBox.empty() ? state_.CurrentCall : callBox;
                run.sentCall = call;
            }
        } else {
            run.sentCall = callBox;
            call = (!inCallBox || callBox.empty()) ? state_.CurrentCall : callBox;
        }
        // Typing on into a call already going out only makes sense when the
        // message starts with that very call.
        run.extendable = m.front() == '@' && !run.sentCall.empty() && call == run.sentCall;
        replaceAll(m, '@', call);
    }
    replaceAll(m, '$', state_.settings.YourCall);
    replaceAll(m, '#', std::to_string(state_.QSONr));
    std::replace(m.begin(), m.end(), '.', '?');
    run.extendable = run.extendable && m.starts_with(run.sentCall);
    if (run.extendable) run.tail = m.substr(run.sentCall.size());
}

void CWKeyer::selectRadio(char radioDigit, Run& run) {
    const Settings& s = state_.settings;
    int radio = 0;
    if (radioDigit == '1' && state_.TXRadio == 2) radio = 1;
    if (radioDigit == '2' && state_.TXRadio == 1) radio = 2;
    if (radio == 0) return;
    state_.TXRadio = static_cast<std::int16_t>(radio);
    if (s.F9Activated)
        note(run, radio == 2 ? lines_.LineOn(s.F9Comport) : lines_.LineOff(s.F9Comport));
    host_->showTxRadio(radio);
    platform_.events.processPendingEvents();
}

bool CWKeyer::prepareLines(Run& run) {
    const Settings& s = state_.settings;
    if (run.device) {
        // The keyer sounds its own sidetone and switches its own PTT.
        if (run.tone) sidetone().stop();
        run.tone = false;
        const int delay = state_.TXRadio == 1 ? s.Radio1Delay : s.Radio2Delay;
        const KeyingStart start{state_.cw.CWSpeed, state_.cw.CWWeight, s.CWPTTActivated,
                                static_cast<int>(std::clamp(delay, 0, kMaxRadioDelay) *
                                                 state_.cw.BaseCount / 1'000'000),
                                s.CWSpeakerEnabled};
        note(run, run.device->once(run.device->begin(start)));
        return run.failure.isOk();
    }
    const auto prepare = [&](const std::string& port) {
        return isSerialPortName(port) ? lines_.OpenSerialPort(port)
                                      : lines_.PrepareParallelPort(port);
    };
    note(run, prepare(s.CWComport));
    if (run.failure.isOk() && !isSerialPortName(s.CWComport))
        note(run, lines_.LineOff(s.CWComport));
    if (run.failure.isOk() && s.CWPTTActivated) {
        note(run, prepare(s.CWPTTComport));
        if (run.failure.isOk()) note(run, lines_.LineOn(s.CWPTTComport));
    }
    return run.failure.isOk();
}

void CWKeyer::keyCharacters(Run& run) {
    const Settings& s = state_.settings;
    CWState& cw = state_.cw;
    IKeyingScheduler& scheduler = devices_.scheduler;
    if (!run.device) {
        std::lock_guard lock(edgeMutex_);
        edgePort_ = s.CWComport;
        edgeSidetone_ = run.tone ? &sidetone() : nullptr;
        edgeFailure_ = Status::ok();
        edgeFailed_ = false;
    }
    host_->sendingChanged(true);
    run.keyed = true;
    const int delay =
        std::clamp<int>(state_.TXRadio == 1 ? s.Radio1Delay : s.Radio2Delay, 0, kMaxRadioDelay);
    run.t = (run.device ? scheduler.now() : scheduler.startTime()) + delay * cw.BaseCount;

    for (std::size_t i = 0; i < run.message.size(); ++i) {
        const char c = run.message[i];
        int position = alphabetPosition(c);
        if (position == 0) {
            if (c == '+' || c == '-') {
                ChangeCWSpeed(c == '+' ? 5 : -5);
                run.speedChanged = true;
                if (run.device) run.device->stepSpeed(cw.CWSpeed);
                continue;
            }
            position = kBlankPosition;
        }
        cw.CWSendingFlag = true;
        if (!keyCharacter(position, run)) return;
        if (s.TypingEnabled && run.extendable && i + 1 == run.sentCall.size() && !extendCall(run))
            return;
        if (s.TypingEnabled && !run.device) {
            scheduler.awaitTurn(run.t);
            platform_.events.processPendingEvents();
        }
    }
}

// The one place a character leaves the logger: the lines key its pattern,
// or an external keyer gets the character itself and times it; the
// timeline then only says when the keyer will be through with it.
bool CWKeyer::keyCharacter(int position, Run& run) {
    const auto index = static_cast<std::size_t>(position - 1);
    const std::string& pattern = state_.reference.CWCharacters[index];
    if (!run.device) return keyPattern(pattern, run);
    run.device->send(kKeyerAlphabet.substr(index, 1));
    run.t += patternLength(pattern, state_.cw);
    return true;
}

// Keys one character's pattern; false when sending must end (Esc or a
// line that failed).
bool CWKeyer::keyPattern(const std::string& pattern, Run& run) {
    CWState& cw = state_.cw;
    IKeyingScheduler& scheduler = devices_.scheduler;
    for (std::size_t j = 0; j < pattern.size(); ++j) {
        const char code = pattern[j];
        if (isMark(code)) scheduler.schedule(run.t, true);
        run.t += elementLength(code, cw);
        if (isMark(code)) scheduler.schedule(run.t, false);
        if (j + 1 < pattern.size()) run.t += cw.DotCount;

        scheduler.awaitTurn(run.t);
        if (edgeFailed_) {
            std::lock_guard lock(edgeMutex_);
            note(run, edgeFailure_);
            return false;
        }
        if (platform_.keys.wasPressed(AsyncKey::Escape)) {
            cw.CWAbortFlag = true;
            return false;
        }
        pollSpeedKeys(run);
    }
    if (!pattern.empty() && isMark(pattern.back())) run.t += cw.DashCount;
    return true;
}

// Keypad plus and minus while sending; the changes stay after the message.
void CWKeyer::pollSpeedKeys(Run& run) {
    if (platform_.keys.wasPressed(AsyncKey::KeypadPlus))
        ChangeCWSpeed(2);
    else if (platform_.keys.wasPressed(AsyncKey::KeypadMinus))
        ChangeCWSpeed(-2);
    else
        return;
    if (run.device) run.device->setSpeed(state_.cw.CWSpeed);
}

bool CWKeyer::awaitDevice(Run& run, KeyTime until, bool toEnd) {
    IKeyingDevice& device = *run.device;
    IKeyingScheduler& scheduler = devices_.scheduler;
    for (;;) {
        const DeviceProgress progress = device.poll(kDevicePollMs);
        if (progress == DeviceProgress::Failed) {
            note(run, device.once(device.failure()));
            return false;
        }
        if (toEnd && progress == DeviceProgress::Finished) return true;
        // The paddle breaking in ends the message as Esc does.
        if (progress == DeviceProgress::BrokenIn || platform_.keys.wasPressed(AsyncKey::Escape)) {
            device.abort();
            state_.cw.CWAbortFlag = true;
            return false;
        }
        pollSpeedKeys(run);
        if (scheduler.now() >= until) {
            if (!toEnd) return true;
            device.abort();
            note(run, device.once(Status::error(
                          device.name() +
                          " did not report the end of a message in time, so the message was "
                          "ended. Check that it is running and keying.")));
            return false;
        }
        scheduler.awaitTurn(scheduler.now() + kDevicePoll);
        // Keys typed while the keyer sends wait for the message's end, as
        // with the built-in keyer; only typing lets them through at once.
        if (state_.settings.TypingEnabled)
            platform_.events.processPendingEvents();
        else
            platform_.events.processEventsHoldingInput();
    }
}

// The operator typed on into the call box while its first characters went
// out: the rest of the call follows before the tail of the message. False
// when the message ended while waiting.
bool CWKeyer::extendCall(Run& run) {
    if (run.device) {
        run.device->flush();
        if (!awaitDevice(run, run.t - state_.cw.DashCount, false)) return false;
    } else {
        devices_.scheduler.awaitTurn(run.t);
    }
    platform_.events.processPendingEvents();
    const std::string callBox = trim(host_->callBoxText());
    if (callBox.size() <= run.sentCall.size()) return true;
    run.sentCall += callBox.substr(run.sentCall.size());
    run.message = run.sentCall + run.tail;
    return true;
}

void CWKeyer::endKeying(Run& run) {
    const Settings& s = state_.settings;
    CWState& cw = state_.cw;
    if (run.keyed && run.device) {
        if (!cw.CWAbortFlag && run.failure.isOk()) {
            run.device->endText();
            awaitDevice(run, run.t + kDeviceMargin, true);
        }
        run.device->end();
    } else if (run.keyed) {
        devices_.scheduler.finish(run.t);
        if (edgeFailed_) {
            std::lock_guard lock(edgeMutex_);
            note(run, edgeFailure_);
            // The edges stopped at the failure: make sure the key is up.
            lines_.LineOff(s.CWComport);
        }
    }
    cw.CallSentFlag = run.containsCall;
    if (s.CWActivated) {
        lines_.CloseSerialPort(s.CWComport);
        if (run.tone) sidetone().stop();
    }
    cw.CWSendingFlag = false;
    if (s.CWPTTActivated && !run.device) {
        note(run, lines_.LineOff(s.CWPTTComport));
        lines_.CloseSerialPort(s.CWPTTComport);
    }
    if (run.keyed) host_->sendingChanged(false);

    if (run.speedChanged) {
        cw.CWSpeed = run.savedSpeed;
        recomputeCWCounts(cw);
    }
    host_->showSpeed(cw.CWSpeed);

    if (!run.failure.isOk()) {
        // Repetitions stop as they do after Esc; the operator hears of it once.
        cw.CWAbortFlag = true;
        // A keyer's trouble already told comes back without a text.
        if (run.failure.message().empty()) return;
        const std::string title =
            run.failure.title().empty() ? kPortErrorTitle : run.failure.title();
        platform_.messageBox.show(
            {run.failure.message(), title, MsgButtons::Ok, MsgIcon::Exclamation});
    }
}

void CWKeyer::onEdge(bool keyDown) {
    std::lock_guard lock(edgeMutex_);
    if (edgeFailed_) return;
    if (keyDown && edgeSidetone_) edgeSidetone_->setTone(true);
    const Status changed = keyDown ? lines_.LineOn(edgePort_) : lines_.LineOff(edgePort_);
    if (!keyDown && edgeSidetone_) edgeSidetone_->setTone(false);
    if (!changed.isOk()) {
        edgeFailure_ = changed;
        edgeFailed_ = true;
    }
}

}  // namespace keslog
