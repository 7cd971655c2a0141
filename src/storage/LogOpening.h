#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/MainMod.h"
#include "platform/MessageBox.h"
#include "platform/Status.h"
#include "storage/LogConversion.h"
#include "storage/LogFile.h"

namespace keslog {

// The contest, mode and location a log's header restores.
struct LogChoices {
    ContestNr contest = contest::None;
    std::array<bool, 2> ModeFlag{false, false};
    bool InStateFlag = false;
    bool QTHUSAFlag = false;
    bool QTHCanadaFlag = false;
    std::string MyContinent = "NA";
    std::int16_t SSYear = 97;
};

// A log read from its file and ready to replace the log in memory.
struct OpenedLog {
    std::string path;
    LogChoices choices;
    LogFileContents contents;
    // From the frequency file beside the log: one per QSO, 0 for none; the
    // notice tells why the file could not be used.
    std::vector<std::int64_t> frequencies;
    std::string frequencyNotice;
    RuleList rules;  // the multiplier list the header names
};

// What opening needs beyond the file: the operator (questions about older
// logs), the SS short forms that converting an older SS log uses and the
// program folder that holds the rule lists a header may name.
struct OpenServices {
    IMessageBox& messageBox;
    std::span<const std::string> ssShortForms;
    std::string programDir = {};  // empty: the rule lists of the current folder
};

// The services every opening of a log in this program's state uses.
OpenServices openServicesOf(const MainMod& state, IMessageBox& messageBox);

// Where the current layout of an older log goes once converted.
class IConvertedLogStore {
  public:
    virtual ~IConvertedLogStore() = default;
    // Refuses before the operator is asked anything about the conversion.
    virtual Status checkFree() = 0;
    virtual Status store(std::string_view originalBytes, std::string_view convertedBytes) = 0;
};

// Checks a log file's bytes, converting an older WPX or SS layout on the way
// (the operator is asked or told first, then the store takes the converted
// bytes). path names the file in messages.
Result<OpenedLog> openLogBytes(std::string_view bytes, const std::string& path,
                               const OpenServices& services, IConvertedLogStore& store);

// Reads and checks a log file, converting an older WPX or SS layout on the
// way, and the QSOs' frequencies beside it. Nothing in memory changes; a
// refusal leaves the file as it was.
Result<OpenedLog> readLogForOpening(const std::string& path, const OpenServices& services);

// Makes the opened log the log in memory: contest and location choices,
// header copy, log tables, QSONr and the band-mode of the last QSO.
void adoptOpenedLog(MainMod& state, OpenedLog&& log);

// The notice for a log whose last record is incomplete; empty when whole.
std::string partialRecordNotice(const OpenedLog& log);

// What the operator is told about an opened log that was not read whole:
// the incomplete record and the frequency file, one notice a line.
std::string openingNotices(const OpenedLog& log);

}  // namespace keslog
