#include "model/QsoRecord.h"

namespace keslog {

int pointValue(ContestNr nr, const QSORec& record) {
    const std::string_view field = record.QPoints.raw();
    const char digit = field.empty() ? ' ' : field[0];
    const int value = digit >= '0' && digit <= '9' ? digit - '0' : 0;
    if (nr != contest::Paqp) return value;
    return value == 3 ? 15 : value * 10;
}

}  // namespace keslog
