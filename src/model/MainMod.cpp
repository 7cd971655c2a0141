#include "model/MainMod.h"

#include "model/Text.h"

namespace keslog {

RecordVariant MainMod::recordVariant() const {
    const auto info = findContest(contestNr);
    return info ? info->variant : RecordVariant::QSORec;
}

void MainMod::resetLog() {
    log.reset(recordVariant());
    QSONr = 1;
    CurrentCall.clear();
    NewMultFlag = false;
    MultIndex = 0;
    clearWorked();
}

void MainMod::clearWorked() {
    totals = ScoreTotals{};
    totals.countryQsos.assign(static_cast<std::size_t>(countries.CountryCount()) + 1, BandCounts{});
    callIndex.clear();
    portableCalls.clear();
    for (MultTable* table : {&mults.CQPMults, &mults.CQPInState, &mults.SSSections,
                             &mults.SprintMults, &mults.NAQPMults, &mults.PAQPMults})
        table->clearWorked();
    for (auto& prefixes : mults.AAPrefixes) prefixes.clear();
}

void MainMod::resetRadios() {
    TXRadio = 1;
    LogRadio = 1;
    RadioBandMode = {CurrentBandMode, CurrentBandMode};
}

std::string qsoNrLabelText(int qsoNr, BandModeCode bandMode) {
    const int band = isValidBandMode(bandMode) ? bandIndexOf(bandMode) : band::B20;
    return "QSO Nr " + numberText(qsoNr) + "    (" +
           std::string(BandNameM[static_cast<std::size_t>(band - 1)]) +
           (isCw(bandMode) ? " CW" : " SSB") + ")";
}

std::string withTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace keslog
