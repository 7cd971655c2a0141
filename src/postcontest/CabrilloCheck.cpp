#include "postcontest/CabrilloCheck.h"

#include <sstream>
#include <string_view>

#include "model/Settings.h"
#include "model/Text.h"
#include "postcontest/Cabrillo.h"

namespace keslog {
namespace {

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int numberOf(std::string_view digits) {
    int n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');
    return n;
}

bool isDate(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return false;
    if (!allDigits(t.substr(0, 4)) || !allDigits(t.substr(5, 2)) || !allDigits(t.substr(8, 2)))
        return false;
    const int month = numberOf(t.substr(5, 2));
    const int day = numberOf(t.substr(8, 2));
    return numberOf(t.substr(0, 4)) >= 1900 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool isTime(std::string_view t) {
    return t.size() == 4 && allDigits(t) && numberOf(t.substr(0, 2)) < 24 &&
           numberOf(t.substr(2, 2)) < 60;
}

std::vector<std::string> tokensOf(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) tokens.push_back(token);
    return tokens;
}

class Checker {
  public:
    void line(int number, const std::string& text) {
        number_ = number;
        const std::size_t colon = text.find(':');
        if (colon == std::string::npos) return problem("no tag");
        const std::string tag = text.substr(0, colon);
        const std::string value = trim(std::string_view(text).substr(colon + 1));
        if (number == 1) {
            if (tag != "START-OF-LOG" || value != "3.0")
                problem("the file must begin START-OF-LOG: 3.0");
            return;
        }
        if (ended_) problem("a line after END-OF-LOG");
        if (tag == "END-OF-LOG") {
            ended_ = true;
        } else if (tag == "CONTEST") {
            fieldCount_ = cabrilloQsoFieldCount(value);
            if (fieldCount_ == 0) problem("unknown CONTEST " + value);
        } else if (tag == "CLAIMED-SCORE") {
            if (!allDigits(value)) problem("CLAIMED-SCORE is not a number");
        } else if (tag == "QSO") {
            qso(value);
        } else if (tag.starts_with("CATEGORY-")) {
            category(tag, value);
        }
    }

    std::vector<std::string> finish(int lineCount) {
        if (!ended_) problems_.push_back("line " + std::to_string(lineCount) + ": no END-OF-LOG");
        return std::move(problems_);
    }

  private:
    void problem(const std::string& text) {
        problems_.push_back("line " + std::to_string(number_) + ": " + text);
    }

    void category(const std::string& tag, const std::string& value) {
        for (const CategoryChoice& c : categoryChoices())
            if (c.tag == tag) {
                if (value.empty() || !isCategoryValue(c, value))
                    problem(tag + " value \"" + value + "\" outside its set");
                return;
            }
        problem("unknown tag " + tag);
    }

    void qso(const std::string& value) {
        const std::vector<std::string> t = tokensOf(value);
        if (fieldCount_ == 0) return problem("QSO before a known CONTEST");
        if (static_cast<int>(t.size()) != fieldCount_)
            return problem("QSO has " + std::to_string(t.size()) + " fields, the contest " +
                           std::to_string(fieldCount_));
        if (!allDigits(t[0])) problem("frequency " + t[0] + " is not in kHz");
        if (t[1] != "CW" && t[1] != "PH") problem("mode " + t[1]);
        if (!isDate(t[2])) problem("date " + t[2]);
        if (!isTime(t[3])) problem("time " + t[3]);
        const std::string when = t[2] + t[3];
        if (when < lastQso_) problem("QSO out of time order");
        lastQso_ = when;
    }

    int number_ = 0;
    int fieldCount_ = 0;
    bool ended_ = false;
    std::string lastQso_;
    std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> cabrilloProblems(const std::vector<std::string>& lines) {
    Checker checker;
    for (std::size_t i = 0; i < lines.size(); ++i) checker.line(static_cast<int>(i) + 1, lines[i]);
    if (lines.empty()) return {"line 0: the file is empty"};
    return checker.finish(static_cast<int>(lines.size()));
}

}  // namespace keslog
