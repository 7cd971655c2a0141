#include "forms/StoredLogFiles.h"

#include "entry/Scoring.h"
#include "platform/Files.h"
#include "storage/Backup.h"
#include "storage/FrequencyFile.h"
#include "storage/LogFile.h"
#include "storage/LogNames.h"
#include "storage/LogOpening.h"
#include "storage/LogRecord.h"
#include "storage/RuleFiles.h"
#include "storage/WorkingFile.h"

namespace keslog {

StoredLogFiles::StoredLogFiles(Platform& platform) : platform_(platform) {}

Status startLog(MainMod& state, const std::string& path) {
    Result<RuleList> rules = currentRuleList(state.programDir, state.contestNr);
    if (!rules) return rules.status();
    state.rules = std::move(*rules);
    state.currentLogPath = path;
    const Status created = createLogFile(state);
    if (!created) return created;
    replayLog(state);
    state.CurrentBandMode = bandModeCode(band::B20, !state.ModeFlag[1]);
    return Status::ok();
}

Status StoredLogFiles::newLog(MainMod& state) {
    return startLog(state, state.workingFilePath());
}

Status StoredLogFiles::openLog(MainMod& state, const std::string& path) {
    platform_.busy.showNotice("Loading: ", path);
    Result<OpenedLog> opened = readLogForOpening(path, openServicesOf(state, platform_.messageBox));
    if (!opened) {
        platform_.busy.hideNotice();
        return opened.status();
    }
    const std::string notice = partialRecordNotice(*opened);
    const std::string frequencyNotice = opened->frequencyNotice;

    platform_.busy.setBusy(true);
    platform_.busy.showNotice("Processing: ", path);
    adoptOpenedLog(state, std::move(*opened));
    replayLog(state);
    // An unusable frequency file gives way to one that matches the log.
    const Status frequencies =
        frequencyNotice.empty() ? Status::ok() : writeFrequencyFile(state, path);
    platform_.busy.hideNotice();
    platform_.busy.setBusy(false);

    if (!state.isWorkingFileOpen()) {
        state.settings.OpenFilePath = folderOf(path);
        rememberRecentFile(state.settings, path);
    }
    if (!notice.empty())
        platform_.messageBox.show(
            {notice, "Incomplete Log Record", MsgButtons::Ok, MsgIcon::Exclamation});
    if (!frequencyNotice.empty())
        platform_.messageBox.show(
            {frequencyNotice + (frequencies ? "" : "\n" + frequencies.message()), "Frequency File",
             MsgButtons::Ok, MsgIcon::Exclamation});
    return Status::ok();
}

Result<SaveOutcome> StoredLogFiles::saveLog(MainMod& state) {
    if (!state.isWorkingFileOpen()) {
        // A named log is on disk already, unless a QSO could not be
        // written: the last record's write puts every one it lacks.
        if (state.log.count() == 0) return SaveOutcome::Saved;
        const Status written = keslog::writeQso(state, state.log.count());
        if (!written) return written;
        return SaveOutcome::Saved;
    }
    const std::optional<std::string> chosen = platform_.fileDialog.saveFile(
        {"Save Current Log As", "KSL", "", "KSL logs (*.KSL)|*.KSL|All files (*.*)|*.*",
         logDialogFolder(state)});
    if (!chosen) return SaveOutcome::Cancelled;
    if (!hasLogExtension(*chosen)) {
        platform_.messageBox.show(
            {"Log file must have the extension .KSL", "KESLOG", MsgButtons::Ok, MsgIcon::Stop});
        return SaveOutcome::Cancelled;
    }
    if (fileExists(*chosen)) {
        const MsgResult answer = platform_.messageBox.show(
            {"The selected output file " + *chosen + " already exists." + " OK to overwrite it?",
             "KESLOG", MsgButtons::OkCancel, MsgIcon::Exclamation, 1});
        if (answer != MsgResult::Ok) return SaveOutcome::Cancelled;
    }
    platform_.busy.setBusy(true);
    const Status saved = saveWorkingLogAs(state, *chosen);
    platform_.busy.setBusy(false);
    if (!saved) return saved;
    return SaveOutcome::Saved;
}

Status StoredLogFiles::writeQso(MainMod& state, int n) {
    return keslog::writeQso(state, n);
}

// Kill Last Entry: the file ends after the last QSO left, so the removed
// one does not come back when the log is opened again.
Status StoredLogFiles::cutAfterLastQso(MainMod& state) {
    const std::uint64_t records = static_cast<std::uint64_t>(state.log.count()) + 1;
    const Status cut =
        shortenDurably(state.currentLogPath, records * recordSize(state.log.variant()));
    if (!cut) return cut;
    return cutFrequencies(state);
}

Status StoredLogFiles::backupLog(MainMod& state) {
    platform_.busy.setBusy(true);
    const Status written = keslog::backupLog(state);
    platform_.busy.setBusy(false);
    return written;
}

}  // namespace keslog
