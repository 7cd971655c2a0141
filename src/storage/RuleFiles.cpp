#include "storage/RuleFiles.h"

#include "model/Text.h"
#include "platform/Files.h"

namespace keslog {

namespace {

// The header keeps the edition in its call field.
constexpr std::size_t kEditionWidth = 10;
constexpr std::size_t kMaxForms = 3;

const char* fileNameOf(RuleKind kind) {
    return kind == RuleKind::SsSections ? kSsSectionsFileName : kNaMultsFileName;
}

// The first blank-separated word of rest, which then holds what follows it.
std::string firstWord(std::string_view& rest) {
    rest = trimmedView(rest);
    const std::size_t end = rest.find_first_of(" \t");
    const std::string word(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : trimmedView(rest.substr(end));
    return word;
}

class ListReader {
  public:
    ListReader(RuleKind kind, const std::string& path) : path_(path) { list_.kind = kind; }

    Status line(int number, std::string_view text) {
        number_ = number;
        if (list_.name.empty()) return nameLine(text);
        std::string_view rest = text;
        const std::string keyword = firstWord(rest);
        const bool ss = list_.kind == RuleKind::SsSections;
        if (keyword == (ss ? "section" : "mult")) return multLine(rest, ss);
        if (keyword == "retired" && ss) return retiredLine(rest);
        return error(
            "\"" + keyword + "\" is no line of this list; the lines are " +
            (ss ? "\"section STORED FORMS\" and \"retired FORM MESSAGE\"." : "\"mult FORMS\"."));
    }

    Result<RuleList> finish() {
        if (list_.mults.empty())
            return Status::error(path_ + " holds no multipliers.  Nothing was changed.");
        return list_;
    }

  private:
    Status nameLine(std::string_view text) {
        list_.name = std::string(text);
        const std::size_t last = text.find_last_of(" \t");
        list_.edition = std::string(last == std::string_view::npos ? text : text.substr(last + 1));
        if (list_.edition.size() > kEditionWidth)
            return error("the list's edition (the last word of its name) \"" + list_.edition +
                         "\" is longer than " + std::to_string(kEditionWidth) + " characters.");
        return Status::ok();
    }

    Status multLine(std::string_view rest, bool ss) {
        RuleMult mult;
        if (ss) {
            mult.stored = firstWord(rest);
            if (mult.stored.size() != 2)
                return error("the stored form \"" + mult.stored + "\" is not two characters.");
            if (const int other = storedLine(mult.stored))
                return error("the stored form " + mult.stored + " is taken by line " +
                             std::to_string(other) + ".");
        }
        std::string_view forms = rest;
        while (!forms.empty()) {
            const std::size_t slash = forms.find('/');
            const std::string form = trim(forms.substr(0, slash));
            forms = slash == std::string_view::npos ? std::string_view() : forms.substr(slash + 1);
            if (form.empty()) return error("an empty form.");
            if (const Status taken = checkNewForm(form); !taken) return taken;
            mult.forms.push_back(form);
        }
        if (mult.forms.empty()) return error("no form to type.");
        if (mult.forms.size() > kMaxForms)
            return error("more than " + std::to_string(kMaxForms) + " forms.");
        for (const std::string& form : mult.forms) formLines_.push_back({form, number_});
        if (ss) storedLines_.push_back({mult.stored, number_});
        list_.mults.push_back(std::move(mult));
        return Status::ok();
    }

    Status retiredLine(std::string_view rest) {
        RetiredForm retired;
        retired.form = firstWord(rest);
        retired.message = std::string(rest);
        if (retired.message.empty()) return error("the retired form has no message.");
        if (const Status taken = checkNewForm(retired.form); !taken) return taken;
        formLines_.push_back({retired.form, number_});
        list_.retired.push_back(std::move(retired));
        return Status::ok();
    }

    Status checkNewForm(const std::string& form) const {
        for (const auto& [known, line] : formLines_)
            if (known == form)
                return error(form + " is a form of line " + std::to_string(line) + " already.");
        return Status::ok();
    }

    int storedLine(const std::string& stored) const {
        for (const auto& [known, line] : storedLines_)
            if (known == stored) return line;
        return 0;
    }

    Status error(const std::string& why) const {
        return Status::error(path_ + " line " + std::to_string(number_) + ": " + why +
                             "  Nothing was changed.");
    }

    const std::string& path_;
    RuleList list_;
    int number_ = 0;
    std::vector<std::pair<std::string, int>> formLines_;
    std::vector<std::pair<std::string, int>> storedLines_;
};

}  // namespace

RuleKind ruleKindOf(ContestNr nr) {
    if (nr == contest::Ss) return RuleKind::SsSections;
    if (nr == contest::Sprint || nr == contest::Naqp) return RuleKind::NaMults;
    return RuleKind::None;
}

Result<RuleList> parseRuleList(std::string_view text, RuleKind kind, const std::string& path) {
    ListReader reader(kind, path);
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        const std::string line = trim(raw);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        if (const Status read = reader.line(number, line); !read) return read;
    }
    return reader.finish();
}

Result<RuleList> currentRuleList(const std::string& programDir, ContestNr nr) {
    const RuleKind kind = ruleKindOf(nr);
    if (kind == RuleKind::None) return RuleList{};
    const std::string path = programDir + fileNameOf(kind);
    const Result<std::string> text = readWholeFile(path);
    if (!text)
        return Status::error(path + " cannot be read: the lists of a new " +
                             std::string(trim(findContest(nr)->shortName)) +
                             " log are kept there.  Nothing was changed.");
    return parseRuleList(*text, kind, path);
}

Result<RuleList> ruleListOfLog(const std::string& programDir, ContestNr nr,
                               std::string_view edition) {
    if (edition.empty() || ruleKindOf(nr) == RuleKind::None) return RuleList{};
    Result<RuleList> list = currentRuleList(programDir, nr);
    if (!list) return list;
    if (list->edition != edition)
        return Status::error("The log follows the " + std::string(edition) +
                                 " edition of its multiplier list, but " + programDir +
                                 fileNameOf(ruleKindOf(nr)) + " holds \"" + list->name +
                                 "\".  Nothing was opened.",
                             "File Opening Error");
    return list;
}

}  // namespace keslog
