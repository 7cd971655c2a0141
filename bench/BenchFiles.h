#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/MessageBox.h"
#include "storage/LogFile.h"

namespace keslog::bench {

// Logs in the current layouts ask nothing while they are read.
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

// A log of many calls, prefixes and countries, over two days and six bands,
// in folder.
inline std::string writeLog(const std::string& folder, ContestNr contest, int qsos) {
    static const char* const kPrefixes[] = {"K",  "W",  "DL", "G",  "JA", "VE", "UA", "LU",
                                            "VK", "ZS", "EA", "KH", "PY", "OH", "I",  "SP"};
    MainMod state;
    state.contestNr = contest;
    state.ModeFlag = {false, true};
    state.currentLogPath = folder + std::to_string(contest) + ".KSL";
    state.resetLog();
    state.logHeader = buildHeader(state);
    for (int n = 1; n <= qsos; ++n) {
        QSORecName q;
        q.QDate = n < qsos / 2 ? 31041 : 31051;
        q.QTime = static_cast<std::int16_t>((n / 7 % 24) * 100 + n % 60);
        q.QBandMode = static_cast<std::int16_t>(1 + n % 6);
        const std::string prefix = kPrefixes[n % 16] + std::to_string(n % 10);
        q.QCall = prefix + "A" + std::to_string(n % 997);
        q.QNr = static_cast<std::int16_t>(n);
        q.QRcvd = static_cast<std::int16_t>(n % 40 + 1);
        q.QMult = contest == contest::Wpx ? prefix : " " + std::to_string(n % 72 + 1);
        q.QPoints = "1";
        q.QName = "OP" + std::to_string(n);
        state.log.append(q);
    }
    if (!writeWholeLog(state, state.currentLogPath)) std::abort();
    return state.currentLogPath;
}

}  // namespace keslog::bench
