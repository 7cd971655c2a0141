// Log files of both record sizes, older layouts converted on the way: any
// bytes are opened or refused, and an opened log replays into the score.
#include <memory>

#include "FuzzSupport.h"
#include "entry/Scoring.h"
#include "forms/LogFiles.h"
#include "storage/LogOpening.h"

namespace {

using namespace keslog;

// The operator's answer to every question; it varies with the input.
class AnsweringBox final : public IMessageBox {
  public:
    explicit AnsweringBox(bool yes) : yes_(yes) {}
    MsgResult show(const MessageRequest& request) override {
        if (request.buttons != MsgButtons::YesNo) return MsgResult::Ok;
        return yes_ ? MsgResult::Yes : MsgResult::No;
    }

  private:
    bool yes_;
};

// Converted logs stay in memory.
class KeptInMemory final : public IConvertedLogStore {
  public:
    Status checkFree() override { return Status::ok(); }
    Status store(std::string_view, std::string_view) override { return Status::ok(); }
};

MainMod startedState() {
    MainMod state;
    state.programDir = fuzz::kShippedDataDir;
    fuzz::require(bool(readStartupFiles(state)), "the shipped start-up files read");
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MainMod started = startedState();
    AnsweringBox box(size % 2 == 0);
    KeptInMemory store;
    const OpenServices services{box, started.reference.SSShortForms};
    Result<OpenedLog> opened = openLogBytes(fuzz::bytesOf(data, size), "FUZZ.KSL", services, store);
    if (!opened) return 0;
    partialRecordNotice(*opened);
    auto state = std::make_unique<MainMod>(started);
    adoptOpenedLog(*state, std::move(*opened));
    replayLog(*state);
    scoreLabelText(state->totals);
    multsLabelText(state->totals);
    return 0;
}
