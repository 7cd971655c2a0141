#include "forms/StationBroadcast.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "callsign/CountryLookup.h"
#include "callsign/Prefix.h"
#include "model/QsoDate.h"
#include "postcontest/Cabrillo.h"
#include "postcontest/Export.h"
#include "rig/RigBands.h"

namespace keslog {

namespace {

constexpr const char* kApp = "KESLOG";

// The band as the packets name it: its lower end in MHz.
constexpr std::array<std::string_view, kBandCount> kBandMhz{"28",  "21",  "14", "7",
                                                            "3.5", "1.8", "50", "144"};

// Packets are read by tools of any make: elements one a line, in one order.
class Xml {
  public:
    explicit Xml(std::string_view root) : root_(root) {
        text_ = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + root_ + ">\r\n";
    }
    Xml& add(std::string_view name, std::string_view value) {
        text_.append("\t<").append(name).append(">");
        for (const char c : value) {
            if (c == '&')
                text_ += "&amp;";
            else if (c == '<')
                text_ += "&lt;";
            else if (c == '>')
                text_ += "&gt;";
            else
                text_ += c;
        }
        text_.append("</").append(name).append(">\r\n");
        return *this;
    }
    Xml& add(std::string_view name, std::int64_t value) { return add(name, std::to_string(value)); }
    Xml& flag(std::string_view name, bool value) { return add(name, value ? "True" : "False"); }
    std::string done() { return text_ + "</" + root_ + ">\r\n"; }

  private:
    std::string root_;
    std::string text_;
};

// Frequencies go in tens of hertz.
std::int64_t tensOfHz(std::int64_t hz) {
    return (hz + 5) / 10;
}

std::string fieldOf(const Fields& fields, std::string_view name) {
    for (const auto& [field, value] : fields)
        if (field == name) return value;
    return "";
}

std::string hex16(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string timestampOf(const QSORecName& q, int currentYear) {
    const std::string hhmm = timeText(q.QTime);
    return dateText(calendarDateOf(q.QDate, currentYear), DateForm::IsoDashes) + " " +
           hhmm.substr(0, 2) + ":" + hhmm.substr(2, 2) + ":00";
}

const Country* countryOf(const MainMod& state, std::string_view call) {
    const int nr = CountryOfCall(state.countries, call);
    return state.countries.isCountry(nr) ? &state.countries.country(nr) : nullptr;
}

std::string operatorCall(const Settings& s) {
    return s.UserOperator.empty() ? s.stationCall() : s.UserOperator;
}

}  // namespace

std::string radioInfoPacket(const RadioInfo& r) {
    return Xml("RadioInfo")
        .add("app", kApp)
        .add("StationName", r.stationName)
        .add("RadioNr", r.radioNr)
        .add("Freq", tensOfHz(r.hz))
        .add("TXFreq", tensOfHz(r.hz))
        .add("Mode", r.mode)
        .add("OpCall", r.opCall)
        .flag("IsRunning", false)
        .add("FocusEntry", 0)
        .add("EntryWindowHwnd", 0)
        .add("Antenna", -1)
        .add("Rotors", "")
        .add("FocusRadioNr", r.focusRadioNr)
        .flag("IsStereo", false)
        .flag("IsSplit", false)
        .add("ActiveRadioNr", r.activeRadioNr)
        .flag("IsTransmitting", r.transmitting)
        .add("FunctionKeyCaption", "")
        .add("RadioName", "Radio " + std::to_string(r.radioNr))
        .add("AuxAntSelected", -1)
        .add("AuxAntSelectedName", "")
        .flag("IsConnected", r.connected)
        .done();
}

std::string contactId(const MainMod& state, int n) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : std::string(kApp) + " contest " + std::to_string(state.contestNr)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hex16(hash) + hex16(static_cast<std::uint64_t>(n));
}

std::string contactPacket(ContactEvent event, const MainMod& state, int n, const QSORecName& q,
                          const ContactFacts& facts) {
    const Settings& s = state.settings;
    const std::string call = q.QCall.trimmed();
    const std::string timestamp = timestampOf(q, facts.currentYear);
    const std::string stationName = s.stationCall();
    if (event == ContactEvent::Killed)
        return Xml("contactdelete")
            .add("app", kApp)
            .add("timestamp", timestamp)
            .add("call", call)
            .add("contestnr", state.contestNr)
            .add("StationName", stationName)
            .add("ID", contactId(state, n))
            .done();

    const bool cw = isCw(q.QBandMode);
    const std::string report = cw ? "599" : "59";
    const Country* worked = countryOf(state, call);
    const Country* own = countryOf(state, s.stationCall());
    const Fields fields = contestFields(state, q);
    const std::string zone = fieldOf(fields, "cqz");
    const std::string qth = fieldOf(fields, "state") + fieldOf(fields, "ve_prov");
    const std::string band =
        isValidBandMode(q.QBandMode)
            ? std::string(kBandMhz[static_cast<std::size_t>(bandIndexOf(q.QBandMode) - 1)])
            : "";
    const std::string points = q.QPoints.trimmed();
    return Xml(event == ContactEvent::Logged ? "contactinfo" : "contactreplace")
        .add("app", kApp)
        .add("contestname", cabrilloContestName(state.contestNr, cw))
        .add("contestnr", state.contestNr)
        .add("timestamp", timestamp)
        .add("mycall", s.stationCall())
        .add("band", band)
        .add("rxfreq", tensOfHz(facts.hz))
        .add("txfreq", tensOfHz(facts.hz))
        .add("operator", operatorCall(s))
        .add("mode", isValidBandMode(q.QBandMode) ? rigModeOf(q.QBandMode) : "")
        .add("call", call)
        .add("countryprefix", worked ? worked->CtyPrefix.trimmed() : "")
        .add("wpxprefix", WPXPrefixOf(call))
        .add("stationprefix", own ? own->CtyPrefix.trimmed() : "")
        .add("continent", worked ? worked->CtyContinent.trimmed() : "")
        .add("snt", report)
        .add("sntnr", q.QNr)
        .add("rcv", report)
        .add("rcvnr", q.QRcvd)
        .add("gridsquare", "")
        .add("exchange1", fieldOf(fields, "srx_string"))
        .add("section", fieldOf(fields, "arrl_sect"))
        .add("comment", "")
        .add("qth", qth)
        .add("name", q.QName.trimmed())
        .add("power", "")
        .add("misctext", "")
        .add("zone", std::atoi((zone.empty() && worked ? worked->CtyZone.trimmed() : zone).c_str()))
        .add("prec", fieldOf(fields, "precedence"))
        .add("ck", fieldOf(fields, "check"))
        .add("ismultiplier1", facts.newMult ? 1 : 0)
        .add("ismultiplier2", 0)
        .add("ismultiplier3", 0)
        .add("points", points.empty() ? "0" : points)
        .add("radionr", facts.radioNr)
        .add("run1run2", facts.radioNr)
        .add("RoverLocation", "")
        .add("RadioInterfaced", facts.hz > 0 ? 1 : 0)
        .add("NetworkedCompNr", 0)
        .flag("IsOriginal", true)
        .add("NetBiosName", "")
        .add("IsRunQSO", 0)
        .add("StationName", stationName)
        .add("ID", contactId(state, n))
        .add("IsClaimedQso", 1)
        .done();
}

StationBroadcast::StationBroadcast(MainMod& state, Platform& platform, const RigControl& rig)
    : state_(state), platform_(platform), rig_(rig), timer_(platform.timers.createTimer()) {
    timer_->setHandler([this] { tick(); });
}

void StationBroadcast::configure() {
    const Settings& s = state_.settings;
    on_ = s.BroadcastOn;
    host_ = s.BroadcastAddress;
    port_ = std::atoi(s.BroadcastPort.c_str());
    lastRadioPacket_ = {};
    ticksSinceSent_ = 0;
    if (!on_ && !status_.empty()) {
        status_.clear();
        if (onChange_) onChange_();
    }
    timer_->setInterval(kTickMs);
    timer_->setEnabled(on_);
    radiosChanged();
}

void StationBroadcast::tick() {
    if (++ticksSinceSent_ >= kRepeatTicks) lastRadioPacket_ = {};
    radiosChanged();
}

void StationBroadcast::radiosChanged() {
    if (!on_) return;
    // A second radio is told of when it is in use: switched to, or under rig control.
    const bool twoRadios = state_.settings.F9Activated || rig_.controlled(2);
    for (int radio = 1; radio <= (twoRadios ? 2 : 1); ++radio) {
        std::string packet = radioInfoPacket(radioInfo(radio));
        std::string& last = lastRadioPacket_[static_cast<std::size_t>(radio - 1)];
        if (packet == last) continue;
        send(packet);
        last = std::move(packet);
        ticksSinceSent_ = 0;
    }
}

RadioInfo StationBroadcast::radioInfo(int radio) const {
    const Settings& s = state_.settings;
    const BandModeCode code = radio == state_.LogRadio
                                  ? state_.CurrentBandMode
                                  : state_.RadioBandMode[static_cast<std::size_t>(radio - 1)];
    RadioInfo info{radio,           segmentStartHz(code),
                   rigModeOf(code), operatorCall(s),
                   s.stationCall(), state_.LogRadio,
                   state_.TXRadio,  state_.cw.CWSendingFlag && radio == state_.TXRadio};
    if (const RigReading* reading = rig_.onlineReading(radio)) {
        info.connected = true;
        if (reading->hz > 0) info.hz = reading->hz;
        if (!reading->mode.empty()) info.mode = reading->mode;
    }
    return info;
}

std::int64_t StationBroadcast::qsoFrequencyHz(int n, const QSORecName& q) const {
    // The frequency logged with the QSO (a killed one's has gone with it),
    // else where the band's segment for the mode starts.
    if (n <= state_.log.count())
        if (const std::optional<std::int64_t> hz = state_.log.frequencyOf(n)) return *hz;
    return isValidBandMode(q.QBandMode) ? segmentStartHz(q.QBandMode) : 0;
}

void StationBroadcast::qsoLogged(int n) {
    sendContact(ContactEvent::Logged, n, state_.log.at(n), state_.NewMultFlag);
}

void StationBroadcast::qsoEdited(int n) {
    sendContact(ContactEvent::Edited, n, state_.log.at(n), false);
}

void StationBroadcast::qsoKilled(int n, const QSORecName& killed) {
    sendContact(ContactEvent::Killed, n, killed, false);
}

void StationBroadcast::sendContact(ContactEvent event, int n, const QSORecName& q, bool newMult) {
    if (!on_) return;
    const ContactFacts facts{qsoFrequencyHz(n, q), state_.LogRadio, newMult,
                             platform_.clock.now().year};
    send(contactPacket(event, state_, n, q, facts));
}

void StationBroadcast::send(const std::string& packet) {
    const Status sent = platform_.udp.send(host_, port_, packet);
    std::string status = sent ? "" : "Broadcast: " + sent.message();
    if (status == status_) return;
    status_ = std::move(status);
    if (onChange_) onChange_();
}

}  // namespace keslog
