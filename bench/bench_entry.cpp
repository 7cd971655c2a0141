// The keystroke path of the call box and the logging of one QSO, on a
// 10,000-QSO log and former-logs lists of 5,000 to 500,000 calls; check
// partial and one-off matches over the public database (target: under 1 ms
// a key, whatever is typed), its loading (under 150 ms) and its memory
// (under 10 MB).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "LoggedState.h"
#include "callsign/CallDataFiles.h"
#include "callsign/CountryPanel.h"
#include "entry/CallMatch.h"
#include "entry/Dupes.h"
#include "entry/EntryLine.h"
#include "entry/Scoring.h"
#include "forms/StoredLogFiles.h"
#include "model/Settings.h"
#include "storage/LogFile.h"
#include "storage/LogRecord.h"
#include "support/FakePlatform.h"

namespace {

using namespace keslog;

constexpr int kLogQsos = 10000;

// A former-logs list of n calls: the real calls, then the same calls with
// portable designators for the larger lists.
std::vector<OldCall> oldCalls(std::size_t n) {
    static const std::vector<std::string> designators{"", "/P", "/M", "/QRP", "/1", "/2", "/3"};
    std::vector<OldCall> rows;
    for (const std::string& designator : designators)
        for (const std::string& call : bench::masterScpCalls()) {
            if (rows.size() == n) return rows;
            rows.push_back({call + designator, "WW5"});
        }
    return rows;
}

// A 10,000-QSO log and, for the larger runs, the former logs.
MainMod loggedState(ContestNr nr, std::size_t oldListSize) {
    MainMod state = bench::loggedState(nr, kLogQsos);
    if (oldListSize != 0) loadOldCalls(state.lookbackCalls, oldCalls(oldListSize));
    return state;
}

// Calls the operator types: every 97th of the list, some in the log.
std::vector<std::string> typedCalls() {
    std::vector<std::string> out;
    const auto& calls = bench::masterScpCalls();
    for (std::size_t i = 0; out.size() < 300; i += 97) out.push_back(calls[i % calls.size()]);
    return out;
}

// Every key of typing each call: partial matches in this log and the former
// logs, the needed prefix and the country panel.
void keystrokes(benchmark::State& bench, ContestNr nr) {
    MainMod state = loggedState(nr, static_cast<std::size_t>(bench.range(0)));
    const std::vector<std::string> calls = typedCalls();
    CountryPanel panel;
    long keys = 0;
    for (auto _ : bench) {
        for (const std::string& call : calls)
            for (std::size_t length = 1; length <= call.size(); ++length) {
                const CallBoxView view = callTyped(state, std::string_view(call).substr(0, length));
                panel.clear();
                panel.ShowCountryHeadings(state);
                panel.ShowCountryInfo(state, WorkedCountries(state.totals), view.countryNr, 0);
                benchmark::DoNotOptimize(view);
                ++keys;
            }
    }
    bench.counters["per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_KeystrokeCqww(benchmark::State& bench) {
    keystrokes(bench, contest::Cqww);
}
BENCHMARK(BM_KeystrokeCqww)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_KeystrokeWpx(benchmark::State& bench) {
    keystrokes(bench, contest::Wpx);
}
BENCHMARK(BM_KeystrokeWpx)->Arg(50000)->Unit(benchmark::kMillisecond);

// The former-logs search alone, to show how it grows with the list.
void BM_OldCallMatches(benchmark::State& bench) {
    MainMod state;
    loadOldCalls(state.lookbackCalls, oldCalls(static_cast<std::size_t>(bench.range(0))));
    const std::vector<std::string> calls = typedCalls();
    long keys = 0;
    for (auto _ : bench)
        for (const std::string& call : calls)
            for (std::size_t length = 1; length <= call.size(); ++length) {
                benchmark::DoNotOptimize(
                    partialMatches(state, std::string_view(call).substr(0, length)));
                ++keys;
            }
    bench.counters["per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OldCallMatches)->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

std::shared_ptr<const ScpDatabase> debianDatabase() {
    static const auto db = loadScpDatabase(kDefaultScpFile).data;
    if (!db) throw std::runtime_error("MASTER.SCP missing");
    return db;
}

// What one key costs with the database on: the call box's matches in this
// log and the former logs, and the check-partial and one-off lists. Timed
// key by key, the slowest reported beside the mean: every one- and
// two-character text (the short common fragments are the worst), each call
// typed from its first character, and each call busted by one character.
void BM_KeystrokeCheckPartialWorst(benchmark::State& bench) {
    MainMod state = loggedState(contest::Cqww, 500000);
    state.scp = debianDatabase();
    std::vector<std::string> texts;
    const std::string symbols = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/";
    for (char a : symbols) {
        texts.emplace_back(1, a);
        for (char b : symbols) texts.push_back(std::string{a, b});
    }
    for (std::string call : typedCalls()) {
        for (std::size_t length = 3; length <= call.size(); ++length)
            texts.push_back(call.substr(0, length));
        call[call.size() / 2] = call[call.size() / 2] == 'Q' ? 'X' : 'Q';
        texts.push_back(call);
    }
    // Each text's cost is the least of a few tries, so that a busy
    // machine's pauses do not pass for a slow text.
    using Clock = std::chrono::steady_clock;
    constexpr int kTries = 5;
    std::vector<Clock::duration> least(texts.size(), Clock::duration::max());
    for (auto _ : bench)
        for (int t = 0; t < kTries; ++t)
            for (std::size_t i = 0; i < texts.size(); ++i) {
                const auto start = Clock::now();
                benchmark::DoNotOptimize(callTyped(state, texts[i]));
                benchmark::DoNotOptimize(scpMatches(state, texts[i]));
                least[i] = std::min(least[i], Clock::now() - start);
            }
    const auto slowest = std::max_element(least.begin(), least.end());
    Clock::duration total{};
    for (const Clock::duration d : least) total += d;
    const auto micro = [](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count();
    };
    bench.counters["mean_us"] = micro(total) / static_cast<double>(texts.size());
    bench.counters["slowest_us"] = micro(*slowest);
    bench.SetLabel("slowest: " + texts[static_cast<std::size_t>(slowest - least.begin())]);
}
BENCHMARK(BM_KeystrokeCheckPartialWorst)->Iterations(1)->Unit(benchmark::kMillisecond);

// The database read and indexed, as the background load does it, and the
// memory it holds.
void BM_LoadCheckPartialDatabase(benchmark::State& bench) {
    std::size_t bytes = 0;
    for (auto _ : bench) {
        const auto loaded = loadScpDatabase(kDefaultScpFile);
        if (!loaded.data || loaded.notice) bench.SkipWithError("MASTER.SCP");
        bytes = loaded.data->memoryBytes();
    }
    bench.counters["database_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_LoadCheckPartialDatabase)->Unit(benchmark::kMillisecond);

// Logging one QSO onto the 10,000: dupe check, QMult and points, marking.
void dupeAndScore(benchmark::State& bench, ContestNr nr) {
    const MainMod pristine = loggedState(nr, 0);
    const std::vector<std::string> calls = typedCalls();
    long qsos = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        MainMod state = pristine;
        bench.ResumeTiming();
        for (const std::string& call : calls) {
            const DupeCheck check = checkDupe(state, call);
            QSORecName q;
            q.QCall = call;
            q.QBandMode = state.CurrentBandMode;
            q.QRcvd = 5;
            q.QNr = static_cast<std::int16_t>(state.QSONr);
            setMultAndPoints(state, q, {}, check.dupe);
            benchmark::DoNotOptimize(addLoggedQso(state, q));
            ++qsos;
        }
        bench.PauseTiming();
        state = MainMod{};
        bench.ResumeTiming();
    }
    bench.counters["per_qso"] = benchmark::Counter(
        static_cast<double>(qsos), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_DupeAndScoreCqww(benchmark::State& bench) {
    dupeAndScore(bench, contest::Cqww);
}
BENCHMARK(BM_DupeAndScoreCqww)->Unit(benchmark::kMicrosecond);

void BM_DupeAndScoreWpx(benchmark::State& bench) {
    dupeAndScore(bench, contest::Wpx);
}
BENCHMARK(BM_DupeAndScoreWpx)->Unit(benchmark::kMicrosecond);

// The record written into the file the way logging writes it, but left in
// the page cache: open, write, close, no sync.
class PageCacheStore : public IQsoStore {
  public:
    Status writeQso(MainMod& state, int n) override {
        const RecordVariant variant = state.log.variant();
        const std::string record = encodeQso(state.log.at(n), variant);
        const int fd = ::open(state.currentLogPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return Status::error("open");
        const auto at = static_cast<off_t>(n) * static_cast<off_t>(recordSize(variant));
        const bool written =
            ::pwrite(fd, record.data(), record.size(), at) == static_cast<ssize_t>(record.size());
        return ::close(fd) == 0 && written ? Status::ok() : Status::error("write");
    }
    Status cutAfterLastQso(MainMod&) override { return Status::ok(); }
};

class NoHost : public IEntryHost {
  public:
    void bandModeChanged() override {}
    void qsoLogged() override {}
    void logRebuilt() override {}
    void qsoKilled(const QSORecName&) override {}
    void showCountryPanel(int, int) override {}
    void redrawMultipliers() override {}
    void showPartial() override {}
    bool editLastEntry() override { return false; }
};

// Enter in the exchange box of the entry line on the 10,000-QSO log: the
// exchange parsed, the dupe check, QMult and points, marking, the record
// written to the log file, the line cleared. The store decides whether the
// write waits for the disk.
void enterPath(benchmark::State& bench, MainMod& state, IQsoStore& store) {
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    NoHost host;
    EntryLine entry(state, platform, store, host);
    const std::vector<std::string> calls = typedCalls();
    std::size_t next = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        entry.onTextEdited(kCallBox, calls[next++ % calls.size()]);
        entry.onTextEdited(kExchangeBox, "5");
        bench.ResumeTiming();
        entry.logEntry(kExchangeBox, false);
    }
    if (state.log.count() != kLogQsos + static_cast<int>(bench.iterations()))
        bench.SkipWithError("a QSO was not logged");
}

std::string benchLogPath(const char* name) {
    return (std::filesystem::current_path() / name).string();
}

void BM_EnterPageCache(benchmark::State& bench) {
    MainMod state = loggedState(contest::Cqww, 0);
    state.currentLogPath = benchLogPath("bench-enter.KSL");
    if (!writeWholeLog(state, state.currentLogPath)) bench.SkipWithError("log file");
    PageCacheStore store;
    enterPath(bench, state, store);
    removeFile(state.currentLogPath);
}
// Each iteration adds a QSO: the log stays well inside what it can hold.
BENCHMARK(BM_EnterPageCache)->Iterations(5000)->Unit(benchmark::kMicrosecond);

// The same with the record synced to the disk, as the program logs.
void BM_EnterSynced(benchmark::State& bench) {
    MainMod state = loggedState(contest::Cqww, 0);
    state.currentLogPath = benchLogPath("bench-enter-sync.KSL");
    if (!writeWholeLog(state, state.currentLogPath)) bench.SkipWithError("log file");
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    StoredLogFiles store(platform);
    enterPath(bench, state, store);
    removeFile(state.currentLogPath);
}
BENCHMARK(BM_EnterSynced)->Iterations(500)->Unit(benchmark::kMicrosecond);

// Opening a log replays it whole.
void BM_ReplayLog(benchmark::State& bench) {
    MainMod state = loggedState(static_cast<ContestNr>(bench.range(0)), 0);
    for (auto _ : bench) replayLog(state);
}
BENCHMARK(BM_ReplayLog)->Arg(contest::Cqww)->Arg(contest::Wpx)->Unit(benchmark::kMillisecond);

}  // namespace
