#include "entry/ExchangeParsers.h"

#include <cctype>
#include <functional>
#include <vector>

#include "model/Text.h"

namespace keslog {

namespace {

const char* const kExchangeError = "Exchange Error";
const char* const kBeginWithNumber = "Exchange must begin with a number";
const char* const kIncomplete = "Incomplete Exchange";
const char* const kInvalidMult = "Multiplier is Invalid.";

bool isLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The exchange as a parser reads it: trimmed, upper case, only the
// characters the contest keeps. Each kept character remembers where it
// stood in the box, so a refusal selects what the operator typed.
class Cleaned {
  public:
    using Keep = std::function<bool(char c, int position, int length)>;

    Cleaned(std::string_view box, const Keep& keep) : boxLength_(static_cast<int>(box.size())) {
        std::size_t first = 0;
        while (first < box.size() && (box[first] == ' ' || box[first] == '\t')) ++first;
        std::size_t last = box.size();
        while (last > first && (box[last - 1] == ' ' || box[last - 1] == '\t')) --last;
        const int length = static_cast<int>(last - first);
        for (std::size_t i = first; i < last; ++i) {
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(box[i])));
            if (!keep(c, static_cast<int>(i - first) + 1, length)) continue;
            text_ += c;
            origin_.push_back(static_cast<int>(i));
        }
    }

    const std::string& text() const { return text_; }
    int size() const { return static_cast<int>(text_.size()); }

    ExchangeCheck refuse(const std::string& message, int start, int length) const {
        ExchangeRefusal r{message, kExchangeError, 0, 0};
        if (length > 0 && start >= 0 && start + length <= size()) {
            r.selStart = origin_[static_cast<std::size_t>(start)];
            r.selLength = origin_[static_cast<std::size_t>(start + length - 1)] + 1 - r.selStart;
        } else if (start < size()) {
            r.selStart = origin_[static_cast<std::size_t>(std::max(start, 0))];
        } else {
            r.selStart = origin_.empty() ? boxLength_ : origin_.back() + 1;
        }
        return {std::nullopt, r};
    }

  private:
    std::string text_;
    std::vector<int> origin_;
    int boxLength_;
};

bool keepLettersBlankDigits(char c, int, int) {
    return isLetter(c) || isDigit(c) || c == ' ';
}

// The serial number that begins CQP, PAQP, Sprint and SS exchanges: at most
// four digits. Sets the received number and where the serial ends, or gives
// the refusal.
std::optional<ExchangeCheck> readSerial(const Cleaned& c, ParsedExchange& p, int& serialEnd) {
    const std::string& t = c.text();
    if (t.empty()) return c.refuse(kIncomplete, 0, 0);
    int n = 0;
    while (n < 4 && n < c.size() && isDigit(t[static_cast<std::size_t>(n)])) ++n;
    if (n == 0) return c.refuse(kBeginWithNumber, 0, 1);
    p.received = static_cast<std::int16_t>(leadingNumber(t.substr(0, static_cast<std::size_t>(n))));
    serialEnd = n;
    return std::nullopt;
}

int skipBlanks(const std::string& t, int from) {
    while (from < static_cast<int>(t.size()) && t[static_cast<std::size_t>(from)] == ' ') ++from;
    return from;
}

struct NumericRule {
    double min;
    double max;
    bool emptyRefused;
    const char* message;
    const char* title;
};

ExchangeCheck numericExchange(std::string_view box, const NumericRule& rule, bool kilowatt) {
    std::string text = toUpper(trim(box));
    if (kilowatt && (text == "K" || text == "KW")) text = "1000";
    const double value = leadingNumber(text);
    if ((text.empty() && rule.emptyRefused) || value < rule.min || value > rule.max)
        return {std::nullopt, {rule.message, rule.title, 0, static_cast<int>(box.size())}};
    ParsedExchange p;
    p.received = static_cast<std::int16_t>(roundHalfEven(value));
    return {p, {}};
}

ExchangeCheck countyExchange(const ExchangeRules& rules, std::string_view box) {
    ParsedExchange p;
    p.endsInSlash = toUpper(trim(box)).ends_with('/');
    const Cleaned c(box, keepLettersBlankDigits);
    const std::string& t = c.text();
    int serial = 0;
    if (auto refused = readSerial(c, p, serial)) return *refused;

    const int multStart = skipBlanks(t, serial);
    const std::string rest =
        trimRight(std::string_view(t).substr(static_cast<std::size_t>(multStart)));
    p.multText = rest.substr(0, 5);

    const bool anyText = rules.contest == contest::Cqp && rules.inState;
    const MultTable& table =
        rules.contest == contest::Paqp ? rules.mults->PAQPMults : rules.mults->CQPMults;
    const bool valid = anyText ? !p.multText.empty() : table.findRow(p.multText) > 0;
    if (!valid) return c.refuse(kInvalidMult, multStart, static_cast<int>(rest.size()));
    return {p, {}};
}

ExchangeCheck sprintExchange(std::string_view box) {
    ParsedExchange p;
    const Cleaned c(box, keepLettersBlankDigits);
    const std::string& t = c.text();
    int serial = 0;
    if (auto refused = readSerial(c, p, serial)) return *refused;

    const int restStart = skipBlanks(t, serial);
    const std::string rest = t.substr(static_cast<std::size_t>(restStart));
    const auto blank = rest.find(' ');
    std::string name;
    std::string mult;
    if (blank != std::string::npos) {
        name = rest.substr(0, blank);
        mult = trim(std::string_view(rest).substr(blank + 1));
    } else if (rest.size() >= 2) {
        // The name may be empty: "5 CA" is a serial and a multiplier.
        name = rest.substr(0, rest.size() - 2);
        mult = rest.substr(rest.size() - 2);
    }
    // Nothing after the number, or one character, is no whole exchange.
    if (mult.empty()) return c.refuse(kIncomplete, restStart, c.size() - restStart);
    p.name = name.substr(0, 10);
    p.multText = mult.substr(0, 5);
    return {p, {}};
}

ExchangeCheck naqpExchange(std::string_view box) {
    if (trim(box).empty()) return {std::nullopt, {"No Exchange", kExchangeError, 0, 0}};
    ParsedExchange p;
    const Cleaned c(box, keepLettersBlankDigits);
    const std::string& t = c.text();
    const auto blank = t.find(' ');
    if (blank == std::string::npos || trim(std::string_view(t).substr(blank)).empty())
        return c.refuse(kIncomplete, 0, c.size());
    const int multStart = skipBlanks(t, static_cast<int>(blank));
    const std::string mult = t.substr(static_cast<std::size_t>(multStart));
    if (mult.find(' ') != std::string::npos)
        return c.refuse(kExchangeError, multStart, static_cast<int>(mult.size()));
    p.name = t.substr(0, std::min<std::size_t>(blank, 10));
    p.multText = mult.substr(0, 5);
    return {p, {}};
}

// SS: serial, precedence, an optional call, two-digit check, section.
ExchangeCheck ssExchange(const ExchangeRules& rules, std::string_view box) {
    ParsedExchange p;
    // A "/" stays only inside a call, never at either end of the exchange.
    const Cleaned c(box, [](char ch, int position, int length) {
        if (ch == '/') return position >= 3 && position < length - 4;
        return isLetter(ch) || isDigit(ch);
    });
    const std::string& t = c.text();
    int serial = 0;
    if (auto refused = readSerial(c, p, serial)) return *refused;
    if (serial >= c.size()) return c.refuse(kIncomplete, serial, 0);

    const char precedence = t[static_cast<std::size_t>(serial)];
    if (std::string_view("ABMQSU").find(precedence) == std::string_view::npos)
        return c.refuse("Precedence Error -- Must be A, B, M, Q, S, or U", serial, 1);
    p.precedence = precedence;

    const int afterPrecedence = serial + 1;
    if (c.size() - afterPrecedence < 4)
        return c.refuse("Multiplier or Check Error", afterPrecedence, c.size() - afterPrecedence);

    int sectionStart = c.size();
    for (int i = c.size() - 1; i >= afterPrecedence && c.size() - i <= 5; --i) {
        const char ch = t[static_cast<std::size_t>(i)];
        if (isLetter(ch) || (isDigit(ch) && i == c.size() - 1))
            sectionStart = i;
        else
            break;
    }
    p.section = t.substr(static_cast<std::size_t>(sectionStart));
    const int sectionLength = static_cast<int>(p.section.size());
    if (sectionLength <= 1) return c.refuse("Multiplier error", sectionStart, sectionLength);
    const MultTable& sections = rules.mults->SSSections;
    p.sectionRow = sections.findRow(p.section);
    if (p.sectionRow == 0) {
        const std::string* retired = sections.retiredMessage(p.section);
        return c.refuse(retired ? *retired : kInvalidMult, sectionStart, sectionLength);
    }

    const int checkStart = sectionStart - 2;
    if (checkStart < afterPrecedence) return c.refuse("Check error", afterPrecedence, 0);
    p.check = t.substr(static_cast<std::size_t>(checkStart), 2);
    if (!isDigit(p.check[0]) || !isDigit(p.check[1])) return c.refuse("Check Error", checkStart, 2);

    const std::string call = t.substr(static_cast<std::size_t>(afterPrecedence),
                                      static_cast<std::size_t>(checkStart - afterPrecedence));
    if (call.size() >= 4) p.call = call;
    return {p, {}};
}

}  // namespace

ExchangeCheck checkExchange(const ExchangeRules& rules, std::string_view boxText) {
    switch (rules.contest) {
        case contest::ArrlDx:
            return numericExchange(
                boxText,
                {0, 9999, true, "Enter Power between 0 and 9999.", "Must Enter Rcvd Power"}, true);
        case contest::Cqww:
            return numericExchange(
                boxText, {1, 40, true, "Enter zone between 1 and 40.", "Must Enter Rcvd Zone"},
                false);
        case contest::Wpx:
            return numericExchange(
                boxText, {1, 9999, false, "Number must be between 1 and 9999.", "Invalid Entry"},
                false);
        case contest::Aa:
            return numericExchange(
                boxText,
                {0, 99, true, "Enter two-digit age between 00 and 99.", "Must Enter Received Age"},
                false);
        case contest::Cqp:
        case contest::Paqp:
            return countyExchange(rules, boxText);
        case contest::Sprint:
            return sprintExchange(boxText);
        case contest::Ss:
            return ssExchange(rules, boxText);
        case contest::Naqp:
            return naqpExchange(boxText);
        default:
            break;
    }
    return {std::nullopt, {"No contest is chosen.", kExchangeError, 0, 0}};
}

}  // namespace keslog
