#include "storage/LogOpening.h"

#include "storage/FrequencyFile.h"
#include "storage/RuleFiles.h"

namespace keslog {

namespace {

enum class Conversion { None, Wpx, Ss };

const std::string kSsQuestion =
    std::string("This SS file is for a pre-1997 contest. KESLOG will convert it to ") +
    "ver. 5 log format.  In order to display the " +
    "sections correctly, please press YES if the contest " +
    "was in 1996 (78 sections) or NO for pre-1996 (77 sections).";

const std::string kLocationQuestion =
    std::string("This CQP file was produced with ver. 2.0 or earlier of this program or") +
    " ver. 4.5 or earlier of the DOS program.  The log file header " +
    "does not indicate whether or not the log was produced by a California" +
    " or out of state station." + "\n\n" + "       Was the station in California?";

std::string wpxConversionNotice(const std::string& path) {
    return "The File selected,  " + path + ", is in the format for versions 6.5 and earlier" +
           " of KESLOG.  It will be converted to new format readable only by version 7.0 and" +
           " later.  The old file will be saved as  " + oldLogName(path);
}

bool ask(IMessageBox& box, const std::string& text, const std::string& title) {
    return box.show({text, title, MsgButtons::YesNo, MsgIcon::Question}) == MsgResult::Yes;
}

// Location and mode from the header; which conversion the layout needs.
Conversion readChoices(const HeaderFields& f, LogChoices& c) {
    c.contest = f.contest;
    Conversion conversion = Conversion::None;
    if (f.contest == contest::Ss && f.identifier[2] != '9') conversion = Conversion::Ss;
    if (f.contest == contest::Wpx) {
        // "0" (USA), "1" (Canada) and anything but a digit mark the older layout.
        const char d = f.location;
        const bool older = d == '0' || d == '1' || d < '0' || d > '9';
        c.QTHUSAFlag = d == '2' || (older && d != '1');
        c.QTHCanadaFlag = d == '3' || d == '1';
        if (!continentOfLocation(d).empty()) c.MyContinent = continentOfLocation(d);
        if (older) conversion = Conversion::Wpx;
    }
    if (f.contest == contest::Cqww) {
        c.QTHUSAFlag = f.location == '2';
        c.QTHCanadaFlag = f.location == '3';
    }
    const bool mixed = findContest(f.contest)->mixedMode;
    if (mixed)
        c.ModeFlag = {true, true};
    else if (f.qualifier == "CW")
        c.ModeFlag = {false, true};
    else
        c.ModeFlag = {true, false};
    return conversion;
}

// Converts the log and reads the converted bytes, header included.
Result<LogFileContents> convert(const std::string& path, std::string_view bytes,
                                const LogFileContents& old, Conversion conversion,
                                LogChoices& choices, const OpenServices& services,
                                IConvertedLogStore& store) {
    const Status free = store.checkFree();
    if (!free) return free;
    Result<std::string> converted = std::string();
    if (conversion == Conversion::Ss) {
        choices.SSYear =
            ask(services.messageBox, kSsQuestion, "Pre-1997 SS Log.  How Many Sections?") ? 96 : 95;
        converted = convertSsLog(old, choices.SSYear, services.ssShortForms);
    } else {
        services.messageBox.show({wpxConversionNotice(path), "WPX File Conversion", MsgButtons::Ok,
                                  MsgIcon::Information});
        converted = convertWpxLog(old);
    }
    if (!converted) return converted.status();
    const Status stored = store.store(bytes, *converted);
    if (!stored) return stored;
    return parseLogFile(*converted, path);
}

// The original keeps its old-file name, the converted log takes its place.
class ConvertedLogFile final : public IConvertedLogStore {
  public:
    explicit ConvertedLogFile(const std::string& path) : path_(path) {}
    Status checkFree() override { return checkOldNameFree(path_); }
    Status store(std::string_view originalBytes, std::string_view convertedBytes) override {
        return replaceWithConverted(path_, originalBytes, convertedBytes);
    }

  private:
    const std::string& path_;
};

}  // namespace

Result<OpenedLog> openLogBytes(std::string_view bytes, const std::string& path,
                               const OpenServices& services, IConvertedLogStore& store) {
    Result<LogFileContents> contents = parseLogFile(bytes, path);
    if (!contents) return contents.status();

    OpenedLog log;
    log.path = path;
    const Conversion conversion = readChoices(contents->fields, log.choices);
    Result<RuleList> rules =
        ruleListOfLog(services.programDir, log.choices.contest, contents->fields.edition);
    if (!rules) return rules.status();
    log.rules = std::move(*rules);
    if (conversion != Conversion::None) {
        contents = convert(path, bytes, *contents, conversion, log.choices, services, store);
        if (!contents) return contents.status();
    }
    if (log.choices.contest == contest::Cqp || log.choices.contest == contest::Paqp) {
        const std::string& q = contents->fields.qualifier;
        log.choices.InStateFlag =
            q == "IN" || (q != "OS" && ask(services.messageBox, kLocationQuestion,
                                           "Need Station Location Info"));
    }
    log.contents = std::move(*contents);
    return log;
}

Result<OpenedLog> readLogForOpening(const std::string& path, const OpenServices& services) {
    const Result<std::string> bytes = readLogBytes(path);
    if (!bytes) return bytes.status();
    ConvertedLogFile store(path);
    Result<OpenedLog> log = openLogBytes(*bytes, path, services, store);
    if (!log) return log;
    LogFrequencies frequencies = readFrequencies(path, log->contents.qsos);
    log->frequencies = std::move(frequencies.hz);
    log->frequencyNotice = std::move(frequencies.notice);
    return log;
}

OpenServices openServicesOf(const MainMod& state, IMessageBox& messageBox) {
    return {messageBox, state.reference.SSShortForms, state.programDir};
}

void adoptOpenedLog(MainMod& state, OpenedLog&& log) {
    const LogChoices& c = log.choices;
    state.contestNr = c.contest;
    state.ModeFlag = c.ModeFlag;
    state.InStateFlag = c.InStateFlag;
    state.QTHUSAFlag = c.QTHUSAFlag;
    state.QTHCanadaFlag = c.QTHCanadaFlag;
    state.MyContinent = c.MyContinent;
    state.SSYear = c.SSYear;
    state.rules = std::move(log.rules);
    state.currentLogPath = log.path;
    state.logHeader = log.contents.header;

    state.resetLog();
    const std::vector<QSORecName>& qsos = log.contents.qsos;
    for (std::size_t i = 0; i < qsos.size(); ++i)
        state.log.append(qsos[i], i < log.frequencies.size() ? log.frequencies[i] : 0);
    state.QSONr = state.log.count() + 1;

    const BandModeCode twenty = bandModeCode(band::B20, !c.ModeFlag[1]);
    const BandModeCode last =
        log.contents.qsos.empty() ? twenty : log.contents.qsos.back().QBandMode;
    state.CurrentBandMode = isValidBandMode(last) ? last : twenty;
}

std::string partialRecordNotice(const OpenedLog& log) {
    const std::size_t partial = log.contents.partialBytes;
    if (partial == 0) return {};
    const std::size_t size = recordSize(findContest(log.choices.contest)->variant);
    return "The last record of " + log.path + " is incomplete (" + std::to_string(partial) +
           " of " + std::to_string(size) +
           " bytes), most likely because the program ended while writing it.  All " +
           std::to_string(log.contents.qsos.size()) +
           " whole QSOs were loaded; the next QSO logged takes the place of the incomplete "
           "record.";
}

std::string openingNotices(const OpenedLog& log) {
    const std::string partial = partialRecordNotice(log);
    if (partial.empty() || log.frequencyNotice.empty()) return partial + log.frequencyNotice;
    return partial + "\n" + log.frequencyNotice;
}

}  // namespace keslog
