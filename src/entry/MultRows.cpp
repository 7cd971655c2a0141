#include "entry/MultRows.h"

#include <cctype>
#include <utility>

namespace keslog {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The SS row whose short form is the last two characters of the QMult.
int ssRowOf(const MainMod& state, std::string_view qmult) {
    if (qmult.size() < 2) return 0;
    return state.mults.SSSections.findStored(qmult.substr(qmult.size() - 2));
}

const MultRow* rowOf(const MultTable* table, int row) {
    if (table == nullptr || row < 1 || row > static_cast<int>(table->rows.size())) return nullptr;
    return &table->rows[static_cast<std::size_t>(row - 1)];
}

}  // namespace

std::optional<int> storedRowNumber(std::string_view qmult, int rowCount) {
    std::string_view text = qmult;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > rowCount) return std::nullopt;
    return value;
}

std::string unnumberedMultText(const std::string& text, int rowCount) {
    const auto row = storedRowNumber(text, rowCount);
    return row ? "  " + std::to_string(*row) : text;
}

const MultTable* contestMultTable(const MainMod& state) {
    switch (state.contestNr) {
        case contest::Cqp:
            return &state.mults.CQPMults;
        case contest::Paqp:
            return &state.mults.PAQPMults;
        case contest::Ss:
            return &state.mults.SSSections;
        case contest::Sprint:
            return &state.mults.SprintMults;
        case contest::Naqp:
            return &state.mults.NAQPMults;
        default:
            return nullptr;
    }
}

MultTable* contestMultTable(MainMod& state) {
    return const_cast<MultTable*>(contestMultTable(std::as_const(state)));
}

StoredMult storedMult(const MainMod& state, const QSORec& record) {
    StoredMult m;
    const std::string text = record.QMult.trimmed();
    switch (state.contestNr) {
        case contest::ArrlDx:
            m.countryNr = state.countries.countryOfPrefix(text);
            break;
        case contest::Cqww:
            m.countryNr = state.countries.countryOfPrefix(text);
            if (record.QRcvd >= 1 && record.QRcvd <= 40) m.zone = record.QRcvd;
            break;
        case contest::Wpx:
        case contest::Aa:
            m.prefix = text;
            break;
        case contest::Ss:
            m.row = ssRowOf(state, text);
            break;
        case contest::Cqp:
        case contest::Paqp:
        case contest::Sprint:
        case contest::Naqp: {
            const MultTable& table = *contestMultTable(state);
            m.row = storedRowNumber(record.QMult.raw(), static_cast<int>(table.rows.size()))
                        .value_or(0);
            // A station inside California logs a county by its name: that is
            // California worked.
            if (m.row == 0 && state.contestNr == contest::Cqp && state.InStateFlag &&
                state.mults.CQPInState.findRow(text) != 0)
                m.row = kCaliforniaRow;
            break;
        }
        default:
            break;
    }
    return m;
}

std::string multName(const MainMod& state, const QSORec& record) {
    const std::string text = record.QMult.trimmed();
    const MultTable* table = contestMultTable(state);
    if (state.contestNr == contest::Ss) {
        const MultRow* row = rowOf(table, ssRowOf(state, text));
        if (row != nullptr) return row->forms[0];
        return text.size() > 3 ? text.substr(3) : std::string();
    }
    if (table != nullptr) {
        const auto row = storedRowNumber(record.QMult.raw(), static_cast<int>(table->rows.size()));
        if (row) return rowOf(table, *row)->forms[0];
    }
    return text;
}

}  // namespace keslog
