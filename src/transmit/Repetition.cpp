#include "transmit/Repetition.h"

#include <algorithm>

#include "model/Text.h"
#include "transmit/CWMessages.h"

namespace keslog {

namespace {

class NoDisplay : public IRepeatDisplay {
  public:
    void showRepeat(const RepeatView&) override {}
};

NoDisplay noDisplay;

}  // namespace

MessageRepeater::MessageRepeater(MainMod& state, Platform& platform, CWKeyer& keyer,
                                 RadioSwitch& radios)
    : state_(state),
      platform_(platform),
      keyer_(keyer),
      radios_(radios),
      display_(&noDisplay),
      Timer2(platform.timers.createTimer()) {
    Timer2->setHandler([this] { onTimer2Tick(); });
}

MessageRepeater::~MessageRepeater() = default;

bool MessageRepeater::voiceEnabled() const {
    return voice_ && state_.settings.DVKMessagesEnabled == "True";
}

void MessageRepeater::SendFunctionKeyMessage(int keyCode, bool dual) {
    const int slot = slotOfKey(keyCode);
    if (slot == 0 || transmitting_) return;
    if (plan_) {
        // The new key takes over: the old repetition ends quietly.
        wait_ = Wait::None;
        if (voice_ && voice_->playing()) voice_->stop();
        finish();
    }
    RepeatStop = false;

    const Settings& s = state_.settings;
    Plan plan;
    plan.slot = slot;
    plan.dual = dual;
    plan.message = s.CWMacros[macroEntry(state_.contestNr, slot)];
    if (dual) {
        // Brings the log radio and the labels in line with the transmitting radio.
        if (!radios_.SelectRadio(state_.TXRadio)) return;
        // At least one pass: a play number below 2 would otherwise send nothing.
        plan.total = static_cast<int>(std::max(1L, roundHalfEven(s.DualCQsPlayNumber / 2.0)));
        plan.transmissions = 2 * plan.total;
    } else if (isCw(state_.CurrentBandMode)) {
        plan.total = playCountOf(plan.message);
        plan.transmissions = plan.total;
    } else {
        if (!voiceEnabled()) {
            platform_.beep.beep();
            return;
        }
        plan.total = std::clamp(voice_->playCount(slot - 1), 1, 9);
        plan.transmissions = plan.total;
    }
    plan_ = std::move(plan);
    run();
}

// Goes on with the repetition until it has to wait (a pause, a voice
// message) or ends.
void MessageRepeater::run() {
    while (plan_) {
        if (RepeatStop || plan_->sent == plan_->transmissions) {
            finish();
            return;
        }
        showProgress();
        const Sent sent = transmit();
        if (sent == Sent::Ended || RepeatStop) {
            finish();
            return;
        }
        ++plan_->sent;
        if (sent == Sent::Playing) {
            wait_ = Wait::Voice;
            return;
        }
        if (!afterTransmission()) return;
    }
}

void MessageRepeater::showProgress() {
    const Plan& p = *plan_;
    view_.running = true;
    if (p.dual) {
        if (p.sent % 2 != 0) return;  // the pass's second transmission
        const int pass = p.sent / 2 + 1;
        view_.label = "Sending 2R Msg " + std::to_string(pass) + " of " + std::to_string(p.total);
        view_.colour = pass == p.total ? colour::Red : colour::Black;
    } else {
        const int play = p.sent + 1;
        view_.label = "Sending Msg " + std::to_string(play) + " of " + std::to_string(p.total);
        view_.colour = play == p.total ? colour::Red : colour::Black;
    }
    show();
}

MessageRepeater::Sent MessageRepeater::transmit() {
    const bool noRadioSwitch = plan_->dual;
    // Each transmission goes by the band-mode of the radio it goes out on.
    if (isCw(state_.CurrentBandMode)) {
        transmitting_ = true;
        keyer_.SendCW(plan_->message, noRadioSwitch);
        transmitting_ = false;
        return state_.cw.CWAbortFlag ? Sent::Ended : Sent::Done;
    }
    if (!voiceEnabled()) {
        platform_.beep.beep();
        return Sent::Ended;
    }
    transmitting_ = true;
    const bool started = voice_->play(plan_->slot - 1, noRadioSwitch);
    transmitting_ = false;
    if (!started) return Sent::Ended;
    return voice_->playing() ? Sent::Playing : Sent::Done;
}

// The radio toggle and the pause after a transmission; false when the
// repetition now waits or has ended.
bool MessageRepeater::afterTransmission() {
    const Settings& s = state_.settings;
    if (plan_->dual) {
        if (!radios_.SelectRadio(0)) {
            finish();
            return false;
        }
        return pause(s.DualCQsRepeatInterval);
    }
    if (plan_->sent >= plan_->total) return true;
    view_.label += " [Pause]";
    show();
    return pause(isCw(state_.CurrentBandMode) ? s.RepeatIntervalCW : s.RepeatIntervalSSB);
}

// A pause of no length (the setting absent) ends at once: a timer of
// interval 0 would never fire.
bool MessageRepeater::pause(int milliseconds) {
    if (milliseconds <= 0) return true;
    Timer2->setInterval(milliseconds);
    Timer2->setEnabled(true);
    wait_ = Wait::Pause;
    return false;
}

void MessageRepeater::onTimer2Tick() {
    Timer2->setEnabled(false);
    if (wait_ != Wait::Pause || !plan_) return;
    wait_ = Wait::None;
    run();
}

void MessageRepeater::onVoiceMessageEnded() {
    if (wait_ != Wait::Voice || !plan_) return;
    wait_ = Wait::None;
    if (RepeatStop) {
        finish();
        return;
    }
    if (afterTransmission()) run();
}

bool MessageRepeater::cancel() {
    CWState& cw = state_.cw;
    const bool endedCW = cw.CWAbortFlag || cw.CWSendingFlag;
    cw.CWAbortFlag = false;
    if (plan_) RepeatStop = true;
    // A message being sent ends the repetition itself once it returns.
    if (!transmitting_) finish();
    if (voice_ && voice_->playing()) voice_->stop();
    return endedCW;
}

void MessageRepeater::finish() {
    Timer2->setEnabled(false);
    plan_.reset();
    wait_ = Wait::None;
    view_ = RepeatView{};
    show();
}

void MessageRepeater::show() {
    display_->showRepeat(view_);
}

}  // namespace keslog
