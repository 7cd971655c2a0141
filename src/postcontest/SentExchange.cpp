#include "postcontest/SentExchange.h"

namespace keslog {

std::string sentExchangeText(const MainMod& state, bool cw) {
    const Settings& s = state.settings;
    const std::string rst = cw ? "599 " : "59 ";
    switch (state.contestNr) {
        case contest::ArrlDx:
            return rst + s.ExchangeARRLMult;
        case contest::Cqp:
            return "# " + s.ExchangeCQPMult;
        case contest::Cqww:
            return rst + s.ExchangeCQWWMult;
        case contest::Sprint:
            return "# " + s.ExchangeSprintName + " " + s.ExchangeSprintMult;
        case contest::Ss:
            return "# " + s.ExchangeSSPrec + " " + s.ExchangeSSCall + " " + s.ExchangeSSCheck +
                   " " + s.ExchangeSSSection;
        case contest::Wpx:
            return rst + "#";
        case contest::Aa:
            return rst + s.ExchangeAAMult;
        case contest::Paqp:
            return "# " + s.ExchangePAQPMult;
        case contest::Naqp:
            return s.ExchangeNAQPName + " " + s.ExchangeNAQPMult;
        default:
            return {};
    }
}

}  // namespace keslog
