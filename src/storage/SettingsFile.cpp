#include "storage/SettingsFile.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>
#include <vector>

#include "model/Text.h"
#include "platform/Files.h"
#include "storage/FileErrors.h"

namespace keslog {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// How a key's value is read and written.
enum class Form {
    Text,     // as written
    Flag,     // "True" sets it, anything else clears it
    Floor,    // whole part of the leading number
    Rounded,  // leading number rounded, halves to even
    Weight,   // kept as text, written as its number
    Hours,    // kept as text unless its number lies outside the range
    Choice,   // one of a category's values, else the default
};

using Member = std::variant<std::string Settings::*, bool Settings::*, std::int16_t Settings::*>;

// The range a number read from the file is brought into: what the
// Preferences offer, so that a file edited by hand cannot make the keyer
// repeat every 30 seconds.
struct Range {
    int low = std::numeric_limits<std::int16_t>::min();
    int high = std::numeric_limits<std::int16_t>::max();
};

struct Key {
    std::string_view name;
    Form form;
    Member member;
    Range range{};
    const CategoryChoice* choice = nullptr;  // Choice only
};

struct KeySection {
    std::string_view header;
    std::vector<Key> keys;
    bool blankLineBefore;  // in the written file
};

template <std::size_t N>
constexpr Range rangeOf(const std::array<int, N>& offered) {
    return {offered.front(), offered.back()};
}

// The dual-CQ settings start at 0 (unset) and the shipped file plays once:
// only the upper end and a sign are brought back.
template <std::size_t N>
constexpr Range upToLargestOf(const std::array<int, N>& offered) {
    return {0, offered.back()};
}

// The submission file's keys: address parts and contact as text, each
// category a choice from its table.
KeySection submissionSection() {
    using S = Settings;
    KeySection section{"[Submission File]",
                       {{"UserState", Form::Text, &S::UserState},
                        {"UserPostalCode", Form::Text, &S::UserPostalCode},
                        {"UserEmail", Form::Text, &S::UserEmail},
                        {"UserGrid", Form::Text, &S::UserGrid}},
                       true};
    for (const CategoryChoice& c : categoryChoices())
        section.keys.push_back({c.key, Form::Choice, c.setting, {}, &c});
    return section;
}

const std::vector<KeySection>& keySections() {
    using S = Settings;
    using enum Form;
    static const std::vector<KeySection> sections{
        {"[Preferences]",
         {{"DupeBeepFlag", Text, &S::DupeBeepFlag},
          {"YourCall", Text, &S::YourCall},
          {"BackUpDrive", Text, &S::BackUpDrive},
          {"CWActivated", Flag, &S::CWActivated},
          {"CWPTTActivated", Flag, &S::CWPTTActivated},
          {"SSBPTTActivated", Flag, &S::SSBPTTActivated},
          {"F9Activated", Flag, &S::F9Activated},
          {"TypingEnabled", Flag, &S::TypingEnabled},
          {"AutoDupeFlag", Text, &S::AutoDupeFlag},
          {"CWComport", Text, &S::CWComport},
          {"CWPTTComport", Text, &S::CWPTTComport},
          {"SSBPTTComport", Text, &S::SSBPTTComport},
          {"F9Comport", Text, &S::F9Comport},
          {"CWSpeakerEnabled", Flag, &S::CWSpeakerEnabled},
          {"UsePCSpeaker", Flag, &S::UsePCSpeaker},
          {"UseSoundcardSpeaker", Flag, &S::UseSoundcardSpeaker},
          {"Radio1Delay", Floor, &S::Radio1Delay, {0, kMaxRadioDelay}},
          {"Radio2Delay", Floor, &S::Radio2Delay, {0, kMaxRadioDelay}},
          {"RepeatIntervalCW", Rounded, &S::RepeatIntervalCW, rangeOf(kRepeatIntervals)},
          {"RepeatIntervalSSB", Rounded, &S::RepeatIntervalSSB, rangeOf(kRepeatIntervals)},
          {"DualCQsRepeatInterval", Rounded, &S::DualCQsRepeatInterval,
           upToLargestOf(kDualCQsIntervals)},
          {"DualCQsPlayNumber", Rounded, &S::DualCQsPlayNumber, upToLargestOf(kDualCQsNumbers)},
          {"Weight", Weight, &S::Weight},
          {"TimeCorrection", Hours, &S::TimeCorrection, {-kMaxTimeCorrection, kMaxTimeCorrection}},
          {"IsGMTFlag", Text, &S::IsGMTFlag},
          {"DVKMessagesEnabled", Text, &S::DVKMessagesEnabled},
          {"SendF1Enabled", Flag, &S::SendF1Enabled},
          {"LogandSendF5Enabled", Flag, &S::LogandSendF5Enabled},
          {"LogFirst", Flag, &S::LogFirst},
          {"Key1IsMapped", Flag, &S::Key1IsMapped},
          {"Key2IsMapped", Flag, &S::Key2IsMapped},
          {"Key1Mapping", Text, &S::Key1Mapping},
          {"Key2Mapping", Text, &S::Key2Mapping},
          {"Com1Device", Text, &S::Com1Device},
          {"Com2Device", Text, &S::Com2Device},
          {"LPT1Device", Text, &S::LPT1Device},
          {"LPT2Device", Text, &S::LPT2Device},
          {"ScpFile", Text, &S::ScpFile},
          {"CallHistoryARRL", Text, &S::CallHistoryARRL},
          {"CallHistoryCQP", Text, &S::CallHistoryCQP},
          {"CallHistoryCQWW", Text, &S::CallHistoryCQWW},
          {"CallHistorySprint", Text, &S::CallHistorySprint},
          {"CallHistorySS", Text, &S::CallHistorySS},
          {"CallHistoryWPX", Text, &S::CallHistoryWPX},
          {"CallHistoryAA", Text, &S::CallHistoryAA},
          {"CallHistoryPAQP", Text, &S::CallHistoryPAQP},
          {"CallHistoryNAQP", Text, &S::CallHistoryNAQP},
          {"CWKeyer1", Text, &S::CWKeyer1},
          {"CWKeyer2", Text, &S::CWKeyer2},
          {"CWKeyerPot", Flag, &S::CWKeyerPot}},
         false},
        {"[File Information]",
         {{"OpenFilePath", Text, &S::OpenFilePath},
          {"RecentFile1", Text, &S::RecentFile1},
          {"RecentFile2", Text, &S::RecentFile2},
          {"RecentFile3", Text, &S::RecentFile3},
          {"RecentFile4", Text, &S::RecentFile4}},
         true},
        {"[User Exchange - ARRL]", {{"ExchangeARRLMult", Text, &S::ExchangeARRLMult}}, true},
        {"[User Exchange - AA]", {{"ExchangeAAMult", Text, &S::ExchangeAAMult}}, true},
        {"[User Exchange - CQP]", {{"ExchangeCQPMult", Text, &S::ExchangeCQPMult}}, true},
        {"[User Exchange - PAQP]", {{"ExchangePAQPMult", Text, &S::ExchangePAQPMult}}, true},
        {"[User Exchange - CQWW]", {{"ExchangeCQWWMult", Text, &S::ExchangeCQWWMult}}, true},
        {"[User Exchange - SS]",
         {{"ExchangeSSPrec", Text, &S::ExchangeSSPrec},
          {"ExchangeSSCall", Text, &S::ExchangeSSCall},
          {"ExchangeSSCheck", Text, &S::ExchangeSSCheck},
          {"ExchangeSSSection", Text, &S::ExchangeSSSection}},
         true},
        {"[User Exchange - SPRINT]",
         {{"ExchangeSprintName", Text, &S::ExchangeSprintName},
          {"ExchangeSprintMult", Text, &S::ExchangeSprintMult}},
         true},
        {"[User Exchange - NAQP]",
         {{"ExchangeNAQPName", Text, &S::ExchangeNAQPName},
          {"ExchangeNAQPMult", Text, &S::ExchangeNAQPMult}},
         false},
        {"[User Information]",
         {{"UserCallsign", Text, &S::UserCallsign},
          {"UserOperator", Text, &S::UserOperator},
          {"UserName", Text, &S::UserName},
          {"UserAddress", Text, &S::UserAddress},
          {"UserCity", Text, &S::UserCity},
          {"UserCountry", Text, &S::UserCountry},
          {"UserClub", Text, &S::UserClub},
          {"UserRig", Text, &S::UserRig},
          {"UserAnt", Text, &S::UserAnt}},
         false},
        submissionSection(),
        {"[Rig Control]",
         {{"Rig1Control", Text, &S::Rig1Control},
          {"Rig1Address", Text, &S::Rig1Address},
          {"Rig2Control", Text, &S::Rig2Control},
          {"Rig2Address", Text, &S::Rig2Address},
          {"RigPollInterval",
           Rounded,
           &S::RigPollInterval,
           {kMinRigPollInterval, kMaxRigPollInterval}},
          {"Rig1Start", Flag, &S::Rig1Start},
          {"Rig1Model", Text, &S::Rig1Model},
          {"Rig1Device", Text, &S::Rig1Device},
          {"Rig2Start", Flag, &S::Rig2Start},
          {"Rig2Model", Text, &S::Rig2Model},
          {"Rig2Device", Text, &S::Rig2Device}},
         true},
        {"[DX Cluster]",
         {{"ClusterHost", Text, &S::ClusterHost},
          {"ClusterPort", Text, &S::ClusterPort},
          {"ClusterCall", Text, &S::ClusterCall},
          {"ClusterPassword", Text, &S::ClusterPassword},
          {"ClusterCommands", Text, &S::ClusterCommands},
          {"ClusterConnectAtStart", Flag, &S::ClusterConnectAtStart},
          {"ClusterSpotMinutes",
           Rounded,
           &S::ClusterSpotMinutes,
           {kMinClusterSpotMinutes, kMaxClusterSpotMinutes}}},
         true},
        {"[Broadcast]",
         {{"BroadcastOn", Flag, &S::BroadcastOn},
          {"BroadcastAddress", Text, &S::BroadcastAddress},
          {"BroadcastPort", Text, &S::BroadcastPort}},
         true},
    };
    return sections;
}

// The list sections, whose lines are taken by position.
enum class ListKind { Macros, MacroLabels, Exchanges, WindowCoords };

struct ListSection {
    std::string_view header;
    ListKind kind;
};

constexpr std::array<ListSection, 4> kListSections{{
    {"[CW Macros - CQP, SS, WPX, SPRINT, PA, NA]", ListKind::Macros},
    {"[CW Macros Display Forms - CQP, SS, WPX, SPRINT, PA, NA]", ListKind::MacroLabels},
    {"[CW Exchanges - ARRL, CQP, CQWW, SPRINT, SS, WPX, AA, PA, NA, Dupe]", ListKind::Exchanges},
    {"[Window Coordinates - CQP, SS, WPX]", ListKind::WindowCoords},
}};

// The leading number of a text brought into [low, high]: a damaged value
// must not overflow its field.
double clampedNumber(double value, double low, double high) {
    if (std::isnan(value)) return 0;
    return value < low ? low : (value > high ? high : value);
}

std::int16_t toInt16(double value) {
    return static_cast<std::int16_t>(clampedNumber(value, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

std::int32_t wholeNumber32(std::string_view text) {
    return static_cast<std::int32_t>(
        roundHalfEven(clampedNumber(leadingNumber(text), std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max())));
}

void applyKey(const Key& key, const std::string& value, Settings& s) {
    const auto inRange = [&key](double number) {
        return toInt16(clampedNumber(number, key.range.low, key.range.high));
    };
    switch (key.form) {
        case Form::Text:
        case Form::Weight:
            s.*std::get<std::string Settings::*>(key.member) = value;
            break;
        case Form::Hours: {
            const double hours = leadingNumber(value);
            const bool outside = hours < key.range.low || hours > key.range.high;
            s.*std::get<std::string Settings::*>(key.member) =
                outside ? std::to_string(inRange(hours)) : value;
            break;
        }
        case Form::Flag:
            s.*std::get<bool Settings::*>(key.member) = value == "True";
            break;
        case Form::Choice:
            // A damaged file's category outside the set reads as the default.
            s.*std::get<std::string Settings::*>(key.member) = value;
            s.*std::get<std::string Settings::*>(key.member) = chosenCategory(*key.choice, s);
            break;
        case Form::Floor:
            s.*std::get<std::int16_t Settings::*>(key.member) =
                inRange(std::floor(leadingNumber(value)));
            break;
        case Form::Rounded:
            s.*std::get<std::int16_t Settings::*>(key.member) = inRange(static_cast<double>(
                roundHalfEven(clampedNumber(leadingNumber(value), -32768, 32767))));
            break;
    }
}

// The number of a text as a short decimal: "3.0" is written "3".
std::string weightText(const std::string& text) {
    const auto value = static_cast<float>(clampedNumber(leadingNumber(text), -1e30, 1e30));
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : "0";
}

std::string keyValueText(const Key& key, const Settings& s) {
    switch (key.form) {
        case Form::Text:
        case Form::Hours:
            return s.*std::get<std::string Settings::*>(key.member);
        case Form::Weight:
            return weightText(s.*std::get<std::string Settings::*>(key.member));
        case Form::Choice:
            return chosenCategory(*key.choice, s);
        case Form::Flag:
            return s.*std::get<bool Settings::*>(key.member) ? "True" : "False";
        case Form::Floor:
        case Form::Rounded:
            return std::to_string(s.*std::get<std::int16_t Settings::*>(key.member));
    }
    return {};
}

// Position, then the two sizes: the text before the first blank, the next
// two the same way after leading blanks, the fourth the trimmed rest. A
// number that is not there reads as 0.
WindowCoordinates coordinatesOf(std::string_view line) {
    std::array<std::int32_t, 4> numbers{};
    std::string rest = trim(line);
    for (std::size_t i = 0; i < numbers.size() && !rest.empty(); ++i) {
        const std::size_t blank = i + 1 < numbers.size() ? rest.find(' ') : std::string::npos;
        numbers[i] = wholeNumber32(rest.substr(0, blank));
        rest = blank == std::string::npos ? std::string() : trim(rest.substr(blank + 1));
    }
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::string coordinatesText(const WindowCoordinates& c) {
    std::string line;
    for (const std::int32_t n : {c.left, c.top, c.width, c.height})
        line += (n < 0 ? std::to_string(n) : " " + std::to_string(n)) + " ";
    return line;
}

std::string macroOf(const std::string& line) {
    return line.starts_with("[RAD") ? line : kDefaultMacroPrefix + line;
}

// Takes list line number `number` (1-based) of a list section. Inside the
// table every line counts, empty ones too, so that a written file reads
// back exactly; beyond it only the exchanges take more (the last non-empty
// line is the dupe message).
void applyListLine(ListKind kind, int number, const std::string& line, Settings& s) {
    const auto index = static_cast<std::size_t>(number - 1);
    switch (kind) {
        case ListKind::Macros:
            if (number <= kMacroCount) s.CWMacros[index] = macroOf(line);
            break;
        case ListKind::MacroLabels:
            if (number <= kMacroCount) s.CWMacroLabels[index] = line;
            break;
        case ListKind::Exchanges:
            if (number <= kExchangeCount)
                s.CWExchanges[index] = line;
            else if (number == kExchangeCount + 1 || !line.empty())
                s.DupeMessage = line;
            break;
        case ListKind::WindowCoords:
            if (number <= kWindowRowCount) s.WindowCoords[index] = coordinatesOf(line);
            break;
    }
}

// The section a line starts, if it is a header.
struct Section {
    const KeySection* keys = nullptr;
    const ListSection* list = nullptr;
};

std::optional<Section> sectionOf(std::string_view line) {
    for (const KeySection& k : keySections())
        if (line == k.header) return Section{&k, nullptr};
    for (const ListSection& l : kListSections)
        if (line == l.header) return Section{nullptr, &l};
    return std::nullopt;
}

// Splits at LF, CR LF or a lone CR.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

void applyKeyLine(const KeySection& section, const std::string& line, Settings& s) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return;
    const std::string name = trim(std::string_view(line).substr(0, equals));
    for (const Key& key : section.keys)
        if (key.name == name) applyKey(key, trim(std::string_view(line).substr(equals + 1)), s);
}

void writeKeySection(const KeySection& section, const Settings& s, std::string& out) {
    if (section.blankLineBefore) out += kCrLf;
    out.append(section.header).append(kCrLf);
    for (const Key& key : section.keys)
        out.append(key.name).append("=").append(keyValueText(key, s)).append(kCrLf);
}

template <std::size_t N>
void writeList(std::string_view header, const std::array<std::string, N>& lines, std::string& out) {
    out.append(kCrLf).append(header).append(kCrLf);
    for (const std::string& line : lines) out.append(line).append(kCrLf);
}

}  // namespace

void ReadSettings(std::string_view contents, const std::string& programDir, Settings& settings) {
    std::optional<Section> current;
    int listLine = 0;
    for (const std::string_view raw : linesOf(contents)) {
        const std::string line = trim(raw);
        if (const auto header = sectionOf(line)) {
            current = header;
            listLine = 0;
            continue;
        }
        if (!current) continue;
        if (current->list) {
            applyListLine(current->list->kind, ++listLine, line, settings);
        } else if (!line.empty()) {
            applyKeyLine(*current->keys, line, settings);
        }
    }
    if (settings.OpenFilePath.empty()) settings.OpenFilePath = programDir;
}

std::string settingsText(const Settings& s) {
    const auto& sections = keySections();
    std::string out;
    writeKeySection(sections[0], s, out);  // [Preferences]
    writeKeySection(sections[1], s, out);  // [File Information]
    writeList(kListSections[0].header, s.CWMacros, out);
    writeList(kListSections[1].header, s.CWMacroLabels, out);
    out.append(kCrLf).append(kListSections[2].header).append(kCrLf);
    for (const std::string& line : s.CWExchanges) out.append(line).append(kCrLf);
    out.append(s.DupeMessage).append(kCrLf);
    out.append(kCrLf).append(kListSections[3].header).append(kCrLf);
    for (const WindowCoordinates& c : s.WindowCoords) out.append(coordinatesText(c)).append(kCrLf);
    for (std::size_t i = 2; i < sections.size(); ++i) writeKeySection(sections[i], s, out);
    out.append(kCrLf);
    return out;
}

Status ReadSettings(MainMod& state) {
    const std::string path = state.programDir + kSettingsFileName;
    const Result<std::string> contents = readWholeFile(path);
    if (!contents) return Status::error(path + " cannot be read.");
    ReadSettings(*contents, state.programDir, state.settings);
    return Status::ok();
}

Status WriteSettings(const Settings& settings, const std::string& path, IMessageBox& messageBox) {
    const std::string contents = settingsText(settings);
    for (;;) {
        const Status written = writeFileAtomically(path, contents);
        if (written) return written;
        if (FileErrors(messageBox, written) != FileErrorAction::Retry) return written;
    }
}

Status WriteSettings(const MainMod& state, IMessageBox& messageBox) {
    return WriteSettings(state.settings, state.programDir + kSettingsFileName, messageBox);
}

}  // namespace keslog
