// Opening a 10,000-QSO log: reading, checking and filling the log tables.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "storage/LogFile.h"
#include "storage/LogOpening.h"

namespace {

using namespace keslog;

// Logs in the current layouts ask nothing while opening.
class NoQuestions : public IMessageBox {
  public:
    MsgResult show(const MessageRequest&) override { return MsgResult::Ok; }
};

// A folder of its own for the logs, removed when the program ends.
struct BenchFolder {
    BenchFolder() {
        std::string f = (std::filesystem::temp_directory_path() / "keslog-bench-XXXXXX").string();
        if (!::mkdtemp(f.data())) std::abort();
        path = f + "/";
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

std::string writeLog(ContestNr contest, int qsos) {
    static const BenchFolder folder;
    MainMod state;
    state.contestNr = contest;
    state.ModeFlag = {false, true};
    state.currentLogPath = folder.path + std::to_string(contest) + ".KSL";
    state.resetLog();
    state.logHeader = buildHeader(state);
    for (int n = 1; n <= qsos; ++n) {
        QSORecName q;
        q.QDate = 31041;
        q.QTime = static_cast<std::int16_t>((n / 60 % 24) * 100 + n % 60);
        q.QBandMode = static_cast<std::int16_t>(1 + n % 6);
        q.QCall = "K" + std::to_string(n) + "XYZ";
        q.QNr = static_cast<std::int16_t>(n);
        q.QRcvd = static_cast<std::int16_t>(n % 40 + 1);
        q.QMult = " " + std::to_string(n % 72 + 1);
        q.QPoints = "1";
        q.QName = "OP" + std::to_string(n);
        state.log.append(q);
    }
    if (!writeWholeLog(state, state.currentLogPath)) std::abort();
    return state.currentLogPath;
}

void openLog(benchmark::State& bench, ContestNr contest) {
    const std::string path = writeLog(contest, 10'000);
    NoQuestions messages;
    const std::vector<std::string> forms;
    for (auto _ : bench) {
        Result<OpenedLog> log = readLogForOpening(path, {messages, forms});
        if (!log) std::abort();
        MainMod state;
        adoptOpenedLog(state, std::move(*log));
        benchmark::DoNotOptimize(state.QSONr);
    }
}

void BM_OpenLog_Cqww10000(benchmark::State& bench) {
    openLog(bench, contest::Cqww);
}
void BM_OpenLog_Naqp10000(benchmark::State& bench) {
    openLog(bench, contest::Naqp);
}

BENCHMARK(BM_OpenLog_Cqww10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLog_Naqp10000)->Unit(benchmark::kMillisecond);

}  // namespace
