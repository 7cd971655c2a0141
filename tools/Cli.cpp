#include "Cli.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <ostream>

#include "TypeSession.h"
#include "callsign/CallDataFiles.h"
#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"
#include "callsign/CtyDat.h"
#include "callsign/NorthAmerica.h"
#include "callsign/Prefix.h"
#include "cluster/SpotLine.h"
#include "cluster/TelnetText.h"
#include "entry/Scoring.h"
#include "forms/LogFiles.h"
#include "model/MainMod.h"
#include "model/Text.h"
#include "model/Version.h"
#include "platform/Files.h"
#include "postcontest/Export.h"
#include "postcontest/PostContest.h"
#include "storage/DataFile.h"
#include "storage/LogOpening.h"
#include "storage/SettingsFile.h"

namespace keslog::cli {

namespace {

int checkStartupFiles(Context& ctx) {
    MainMod state;
    state.programDir = ctx.programDir;
    const Status read = readStartupFiles(state);
    if (!read) {
        ctx.err << "keslog-cli: " << read.message() << "\n";
        return 1;
    }
    ctx.out << "start-up files read from " << ctx.programDir << "\n";
    return 0;
}

int convertCty(Context& ctx) {
    std::vector<std::string> home;
    GeoPosition position = kDefaultHome;
    if (!takeOption(ctx.args, "--home", home, 2)) {
        ctx.err << "keslog-cli: --home needs a latitude and a longitude\n";
        return 2;
    }
    if (!home.empty()) {
        position = {leadingNumber(home[0]), leadingNumber(home[1])};
        if (std::abs(position.latitude) > 90 || std::abs(position.longitude) > 180) {
            ctx.err << "keslog-cli: --home is latitude -90..90 and longitude -180..180\n";
            return 2;
        }
    }
    if (ctx.args.size() != 2 || ctx.args[0] != "convert") {
        ctx.err << "usage: keslog-cli cty convert CTY.DAT [--home LAT LON] > arrl.cty\n";
        return 2;
    }
    const Result<std::string> text = readWholeFile(ctx.args[1]);
    if (!text) {
        ctx.err << "keslog-cli: " << text.status().message() << "\n";
        return 1;
    }
    const Result<CountryFileConversion> converted = convertCtyDat(*text, position);
    if (!converted) {
        ctx.err << "keslog-cli: " << ctx.args[1] << ": " << converted.status().message() << "\n";
        return 1;
    }
    ctx.out << converted->countryFile;
    for (const std::string& note : converted->notes) ctx.err << "cty convert: " << note << "\n";
    return 0;
}

std::string orDash(std::string text) {
    return text.empty() ? "-" : text;
}

int lookupCalls(Context& ctx) {
    std::vector<std::string> cty;
    if (!takeOption(ctx.args, "--cty", cty, 1)) {
        ctx.err << "keslog-cli: --cty needs a country file\n";
        return 2;
    }
    if (ctx.args.empty()) {
        ctx.err << "usage: keslog-cli lookup [--cty FILE] CALL...\n";
        return 2;
    }
    CountryTables tables;
    const Status read =
        ReadCountryFile(cty.empty() ? ctx.programDir + kCountryFileName : cty[0], tables);
    if (!read) {
        ctx.err << "keslog-cli: " << read.message() << "\n";
        return 1;
    }
    for (const std::string& typed : ctx.args) {
        const std::string call = toUpper(trim(typed));
        const std::string prefix = WPXPrefixOf(call);
        const int nr = CountryOfCall(tables, call);
        ctx.out << call << '\t' << prefix << '\t' << nr;
        if (nr == 0) {
            ctx.out << "\t-\t-\t-\t-\t-";
        } else {
            const Country& c = tables.country(nr);
            ctx.out << '\t' << c.CtyPrefix.trimmed() << '\t' << c.CtyName.trimmed() << '\t'
                    << orDash(c.CtyZone.trimmed()) << '\t' << orDash(c.CtyContinent.trimmed())
                    << '\t' << orDash(c.CtyHeading.trimmed());
        }
        ctx.out << '\t' << NAClassName(NAClassOf(prefix)) << "\n";
    }
    return 0;
}

// Scripts want plain line ends.
std::string withLineFeeds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// "show settings": the settings as read, in the settings file's own form;
// "show data": the reference tables as read, in the data file's own form.
// Questions an older log asks while it is opened are answered No on the
// command line; their texts go to stderr.
class CliMessages : public IMessageBox {
  public:
    explicit CliMessages(std::ostream& err) : err_(err) {}
    MsgResult show(const MessageRequest& request) override {
        err_ << "keslog-cli: " << request.text << "\n";
        return request.buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok;
    }

  private:
    std::ostream& err_;
};

// The state after reading the program folder's start-up files, as the
// logger starts; false after saying why not.
bool startUp(Context& ctx, MainMod& state) {
    state.programDir = ctx.programDir;
    const Status read = readStartupFiles(state);
    if (!read) ctx.err << "keslog-cli: " << read.message() << "\n";
    return static_cast<bool>(read);
}

int score(Context& ctx) {
    if (ctx.args.size() != 1) {
        ctx.err << "keslog-cli: usage: score LOG.KSL\n";
        return 2;
    }
    MainMod state;
    if (!startUp(ctx, state)) return 1;
    CliMessages messages(ctx.err);
    Result<OpenedLog> log = readLogForOpening(ctx.args[0], openServicesOf(state, messages));
    if (!log) {
        ctx.err << "keslog-cli: " << log.status().message() << "\n";
        return 1;
    }
    if (const std::string notice = openingNotices(*log); !notice.empty())
        ctx.err << "keslog-cli: " << notice << "\n";
    adoptOpenedLog(state, std::move(*log));
    replayLog(state);
    printScore(ctx.out, state);
    return 0;
}

int currentYear() {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

int post(Context& ctx) {
    const char* usage =
        "keslog-cli: usage: post LOG.KSL [--cabrillo] [--summary] [--listing] [--breakdown] "
        "[--dupes] [--adif] [--dxb4] [--all] [--omit-wk] [--omit-ja] [--cabrillo-version 2|3] "
        "[--year YYYY]\n";
    std::string path;
    OutputChoices choices;
    std::vector<std::string> version, year;
    // --year dates the log's QSOs as if processed that year, so outputs repeat.
    if (!takeOption(ctx.args, "--cabrillo-version", version, 1) ||
        (!version.empty() && version[0] != "2" && version[0] != "3") ||
        !takeOption(ctx.args, "--year", year, 1) ||
        (!year.empty() &&
         (year[0].size() != 4 || !std::all_of(year[0].begin(), year[0].end(), ::isdigit)))) {
        ctx.err << usage;
        return 2;
    }
    if (!version.empty()) choices.cabrilloVersion = version[0] == "2" ? 2 : 3;
    for (const std::string& a : ctx.args) {
        if (a == "--cabrillo")
            choices.cabrillo = true;
        else if (a == "--summary")
            choices.summary = true;
        else if (a == "--listing")
            choices.listing = true;
        else if (a == "--breakdown")
            choices.breakdown = true;
        else if (a == "--dupes")
            choices.dupeSheets = true;
        else if (a == "--adif")
            choices.adif = true;
        else if (a == "--dxb4")
            choices.dxb4 = true;
        else if (a == "--omit-wk")
            choices.omitWK = true;
        else if (a == "--omit-ja")
            choices.omitJA = true;
        else if (a == "--all")  // every output this program writes
            choices.cabrillo = choices.summary = choices.breakdown = choices.listing =
                choices.dupeSheets = choices.adif = choices.dxb4 = true;
        else if (path.empty() && !a.starts_with("--"))
            path = a;
        else {
            ctx.err << usage;
            return 2;
        }
    }
    if (path.empty()) {
        ctx.err << usage;
        return 2;
    }
    MainMod state;
    if (!startUp(ctx, state)) return 1;
    CliMessages messages(ctx.err);
    Result<PostContestReport> report =
        runPostContest(state, path, choices, openServicesOf(state, messages),
                       year.empty() ? currentYear() : std::stoi(year[0]));
    if (!report) {
        ctx.err << "keslog-cli: " << report.status().message() << "\n";
        return 1;
    }
    if (!report->log.openingNotices.empty())
        ctx.err << "keslog-cli: " << report->log.openingNotices << "\n";
    ctx.out << "qsos: " << report->log.countText << "\n"
            << "points: " << report->log.pointsText << "\n"
            << "mults: " << report->log.multsText << "\n"
            << "claimed score: " << report->log.claimedScore << "\n";
    for (const std::string& file : report->written) ctx.out << "wrote " << file << "\n";
    if (choices.dxb4 && !hasDxb4Export(state.contestNr))
        ctx.err << "keslog-cli: no DXB4 file is made for NA Sprint and NAQP logs\n";
    for (const std::string& failure : report->failures)
        ctx.err << "keslog-cli: " << failure << "\n";
    return report->failures.empty() ? 0 : 1;
}

int show(Context& ctx) {
    const std::string what = ctx.args.size() == 1 ? ctx.args[0] : "";
    if (what != "settings" && what != "data") {
        ctx.err << "keslog-cli: usage: show settings|data\n";
        return 2;
    }
    MainMod state;
    state.programDir = ctx.programDir;
    const Status read = what == "settings" ? ReadSettings(state) : ReadDataFile(state);
    if (!read) {
        ctx.err << "keslog-cli: " << read.message() << "\n";
        return 1;
    }
    ctx.out << withLineFeeds(what == "settings" ? settingsText(state.settings)
                                                : dataFileText(state.reference));
    return 0;
}

// The check-partial database of --scp, or of the settings' default.
std::shared_ptr<const ScpDatabase> scpDatabase(Context& ctx, const std::string& path) {
    LoadedCallData<ScpDatabase> loaded = loadScpDatabase(path);
    if (loaded.notice) ctx.err << "keslog-cli: " << loaded.notice->text << "\n";
    return loaded.data;
}

std::string joined(const std::vector<std::string_view>& calls) {
    std::string text;
    for (std::string_view c : calls) text += (text.empty() ? "" : " ") + std::string(c);
    return text;
}

int checkPartial(Context& ctx) {
    std::vector<std::string> file;
    if (!takeOption(ctx.args, "--scp", file, 1)) {
        ctx.err << "keslog-cli: --scp needs a database file\n";
        return 2;
    }
    if (ctx.args.empty()) {
        ctx.err << "usage: keslog-cli scp [--scp FILE] TEXT...\n";
        return 2;
    }
    const auto db = scpDatabase(ctx, file.empty() ? std::string(kDefaultScpFile) : file[0]);
    if (!db) return 1;
    for (const std::string& typed : ctx.args) {
        const std::string text = toUpper(trim(typed));
        // Every call, in the window's order; one-off calls only for a call
        // the database does not hold.
        const auto all = std::numeric_limits<std::size_t>::max();
        const bool oneOff = text.size() >= 4 && !db->contains(text);
        ctx.out << text << '\t' << joined(db->partial(text, all)) << '\t'
                << (oneOff ? joined(db->oneOff(text, all)) : "") << "\n";
    }
    return 0;
}

int callHistory(Context& ctx) {
    const char* usage = "usage: keslog-cli history --file FILE --contest CONTEST CALL...\n";
    std::vector<std::string> file;
    std::vector<std::string> contestName;
    if (!takeOption(ctx.args, "--file", file, 1) ||
        !takeOption(ctx.args, "--contest", contestName, 1) || file.empty() || contestName.empty() ||
        ctx.args.empty()) {
        ctx.err << usage;
        return 2;
    }
    const ContestNr nr = contestNamed(contestName[0]);
    if (nr == contest::None) {
        ctx.err << "keslog-cli: --contest is one of " << kContestNames << "\n";
        return 2;
    }
    const LoadedCallData<CallHistory> loaded = loadCallHistory(file[0]);
    if (loaded.notice) ctx.err << "keslog-cli: " << loaded.notice->text << "\n";
    if (!loaded.data) return 1;
    for (const std::string& typed : ctx.args) {
        const std::string call = toUpper(trim(typed));
        ctx.out << call << '\t' << historyExchange(nr, *loaded.data, call) << "\n";
    }
    return 0;
}

// Cluster lines from a file or standard input, cleaned as the cluster
// client cleans them; the text after the last line end is a line too.
int spots(Context& ctx) {
    if (ctx.args.size() > 1) {
        ctx.err << "usage: keslog-cli spots [FILE]\n";
        return 2;
    }
    std::string bytes;
    if (ctx.args.empty()) {
        bytes.assign(std::istreambuf_iterator<char>(ctx.in), std::istreambuf_iterator<char>());
    } else {
        Result<std::string> read = readWholeFile(ctx.args[0]);
        if (!read) {
            ctx.err << "keslog-cli: " << read.status().message() << "\n";
            return 1;
        }
        bytes = std::move(*read);
    }
    TelnetText text;
    std::vector<std::string> lines = text.feed(bytes);
    for (std::string& last : text.feed("\n")) lines.push_back(std::move(last));
    int notSpots = 0;
    for (const std::string& line : lines) {
        const std::optional<Spot> spot = parseSpotLine(line);
        if (!spot) {
            ++notSpots;
            continue;
        }
        char time[5];
        std::snprintf(time, sizeof time, "%04d", spot->time);
        ctx.out << spot->frequency << '\t' << spot->dxCall << '\t' << time << '\t' << spot->spotter
                << '\t' << spot->comment << "\n";
    }
    ctx.out << "not spots: " << notSpots << "\n";
    return 0;
}

void printHelp(std::ostream& out) {
    out << "usage: keslog-cli [--program-dir DIR] COMMAND [ARGS...]\n"
           "       keslog-cli --version | --help\n\n"
           "--program-dir DIR reads KESLOG90.INI, KESLOG90.DAT and arrl.cty from DIR\n"
           "instead of the shipped data folder.\n\ncommands:\n";
    for (const Command& c : commands()) {
        out << "  " << c.usage;
        for (std::size_t i = c.usage.size(); i < 28; ++i) out << ' ';
        out << ' ' << c.summary << "\n";
    }
    out << "\n" << keyScriptHelp();
}

}  // namespace

ContestNr contestNamed(const std::string& name) {
    struct ContestName {
        const char* name;
        ContestNr nr;
    };
    static constexpr ContestName kContests[] = {
        {"ARRLDX", contest::ArrlDx}, {"CQP", contest::Cqp},   {"CQWW", contest::Cqww},
        {"SPRINT", contest::Sprint}, {"SS", contest::Ss},     {"WPX", contest::Wpx},
        {"AA", contest::Aa},         {"PAQP", contest::Paqp}, {"NAQP", contest::Naqp},
    };
    for (const ContestName& c : kContests)
        if (toUpper(name) == c.name) return c.nr;
    return contest::None;
}

bool takeOption(std::vector<std::string>& args, const std::string& name,
                std::vector<std::string>& values, std::size_t count) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + count >= args.size()) return false;
        values.assign(args.begin() + static_cast<long>(i) + 1,
                      args.begin() + static_cast<long>(i + count) + 1);
        args.erase(args.begin() + static_cast<long>(i),
                   args.begin() + static_cast<long>(i + count) + 1);
        return true;
    }
    return true;
}

void printScore(std::ostream& out, const MainMod& state) {
    out << "contest: " << trim(findContest(state.contestNr)->shortName) << "\n"
        << "qsos: " << state.log.count() << "\n"
        << "points: " << pointsText(state) << "\n"
        << "mults: " << state.totals.multCount << "\n"
        << "score: " << state.totals.score << "\n";
    if (!state.rules.name.empty()) out << "lists: " << state.rules.name << "\n";
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table{
        {"check", "check", "read the start-up files as the logger does", checkStartupFiles},
        {"cty", "cty convert CTY.DAT [--home LAT LON]",
         "country file from CTY.DAT; LAT LON in degrees, north/east +", convertCty},
        {"lookup", "lookup [--cty FILE] CALL...",
         "call, WPX prefix, country, zone, continent, heading, NA class", lookupCalls},
        {"post", "post LOG.KSL [--cabrillo|--all|...]",
         "re-score a log and write its post-contest files", post},
        {"scp", "scp [--scp FILE] TEXT...",
         "database calls holding each text, tab, calls one edit away", checkPartial},
        {"history", "history --file F --contest C CALL...",
         "the exchange a call-history file fills in for each call", callHistory},
        {"score", "score LOG.KSL", "open a log, replay it and print its score", score},
        {"type", "type --log PATH [--new ...] --keys FILE",
         "the entry line driven from a key script (see below)", typeSession},
        {"show", "show settings|data", "print the settings or the reference tables as read", show},
        {"spots", "spots [FILE]",
         "cluster lines (FILE or standard input): the spots, tab-separated", spots},
    };
    return table;
}

int runCli(const std::vector<std::string>& args, const std::string& defaultProgramDir,
           std::ostream& out, std::ostream& err, std::istream& in) {
    std::string programDir = defaultProgramDir;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--version") {
            out << kProgramName << " " << kProgramVersion << "\n";
            return 0;
        }
        if (a == "--help" || a == "-h") {
            printHelp(out);
            return 0;
        }
        if (a == "--program-dir") {
            if (i + 1 >= args.size()) {
                err << "keslog-cli: --program-dir needs a folder\n";
                return 2;
            }
            programDir = args[++i];
            continue;
        }
        rest.push_back(a);
    }
    if (rest.empty()) {
        printHelp(err);
        return 2;
    }
    for (const Command& c : commands()) {
        if (c.name != rest.front()) continue;
        Context ctx{{rest.begin() + 1, rest.end()}, withTrailingSlash(programDir), out, err, in};
        return c.run(ctx);
    }
    err << "keslog-cli: unknown command '" << rest.front() << "' (see --help)\n";
    return 2;
}

}  // namespace keslog::cli
