#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/MessageBox.h"

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

}  // namespace keslog::bench
