#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Contest.h"
#include "model/Multipliers.h"

namespace keslog {

// What a parser takes from the exchange box for the logging step.
struct ParsedExchange {
    std::int16_t received = 0;  // QRcvd: power, zone, serial number or age
    std::string multText;       // county/state/province text, at most 5 characters
    std::string name;           // Sprint, NAQP: at most 10 characters
    bool endsInSlash = false;   // CQP: the QSO scores 0 points
    char precedence = ' ';      // SS
    std::string check;          // SS: two digits
    std::string section;        // SS: as typed
    int sectionRow = 0;         // SS: 1-based row of the section table
    std::string call;           // SS: a call sent inside the exchange (4 characters or more)
};

// A refused exchange: the stop message and the part of the exchange box (as
// typed, 0-based) to select.
struct ExchangeRefusal {
    std::string message;
    std::string title;
    int selStart = 0;
    int selLength = 0;
};

struct ExchangeCheck {
    std::optional<ParsedExchange> parsed;
    ExchangeRefusal refusal;  // when parsed is empty

    bool accepted() const { return parsed.has_value(); }
};

struct ExchangeRules {
    ContestNr contest = contest::None;
    bool inState = false;  // CQP: station in California accepts any county text
    const MultTables* mults = nullptr;
};

// Checks the exchange box of the contest: the parsed values, or the
// refusal the operator sees.
ExchangeCheck checkExchange(const ExchangeRules& rules, std::string_view boxText);

}  // namespace keslog
