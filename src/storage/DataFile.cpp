#include "storage/DataFile.h"

#include <charconv>
#include <optional>
#include <variant>

#include "model/Text.h"
#include "platform/Files.h"

namespace keslog {

namespace {

using Table = std::variant<std::span<std::string>, std::span<std::int16_t>>;

struct DataSection {
    std::string_view header;
    Table table;
};

constexpr int kSectionCount = 11;

std::array<DataSection, kSectionCount> sectionsOf(ReferenceData& d) {
    return {{
        {"[CQP, SS Mults]", d.CQPSSMults},
        {"[SS Short Forms]", d.SSShortForms},
        {"[Sprint Mults]", d.SprintMults},
        {"[PAQP Mults]", d.PAQPMults},
        {"[NAQP Mults]", d.NAQPMults},
        {"[CQP County Neighbors]", d.CQPCountyNeighbors},
        {"[CQP X Coordinates]", d.CQPXCoord},
        {"[CQP Y Coordinates]", d.CQPYCoord},
        {"[SS X Coordinates]", d.SSXCoord},
        {"[SS Y Coordinates]", d.SSYCoord},
        {"[CW Characters]", d.CWCharacters},
    }};
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Free-format items: separated by commas or line ends, blanks and line ends
// before an item skipped, a quoted item running to the next quote.
class ItemReader {
  public:
    ItemReader(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

    // The next item, or nothing at the end of the text.
    std::optional<std::string> next() {
        while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) ++pos_;
        if (pos_ >= text_.size()) return std::nullopt;
        if (text_[pos_] == '"') return quoted();
        const std::size_t end = text_.find_first_of(",\r\n", pos_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        std::string item = trimRight(text_.substr(pos_, stop - pos_));
        pos_ = stop;
        skipTerminator();
        return item;
    }

    std::size_t position() const { return pos_; }

  private:
    std::optional<std::string> quoted() {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) return std::nullopt;
        std::string item(text_.substr(pos_ + 1, close - pos_ - 1));
        // Whatever follows the closing quote up to the separator is dropped.
        const std::size_t end = text_.find_first_of(",\r\n", close + 1);
        pos_ = end == std::string_view::npos ? text_.size() : end;
        skipTerminator();
        return item;
    }

    // Past one comma or one line end (CR LF counts as one).
    void skipTerminator() {
        if (pos_ >= text_.size()) return;
        const char c = text_[pos_++];
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    }

    std::string_view text_;
    std::size_t pos_;
};

std::optional<std::int16_t> numberOf(const std::string& item) {
    std::string_view digits = item;
    if (digits.starts_with('+')) digits.remove_prefix(1);
    std::int16_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::string itemsRead(const DataSection& section, std::size_t done, std::size_t count) {
    return "The reference data file ends inside the section " + std::string(section.header) +
           " after " + std::to_string(done) + " of its " + std::to_string(count) + " items.";
}

// Reads a section's items from pos; on success pos is past the last item.
Status readSection(std::string_view text, std::size_t& pos, const DataSection& section) {
    ItemReader reader(text, pos);
    Status status;
    std::visit(
        [&](auto table) {
            for (std::size_t i = 0; i < table.size(); ++i) {
                std::optional<std::string> item = reader.next();
                if (!item) {
                    status = Status::error(itemsRead(section, i, table.size()));
                    return;
                }
                if constexpr (std::is_same_v<decltype(table), std::span<std::string>>) {
                    table[i] = std::move(*item);
                } else {
                    const std::optional<std::int16_t> number = numberOf(*item);
                    if (!number) {
                        status = Status::error("Item " + std::to_string(i + 1) +
                                               " of the section " + std::string(section.header) +
                                               " is not a whole number from -32768 to 32767: \"" +
                                               *item + "\".");
                        return;
                    }
                    table[i] = *number;
                }
            }
        },
        section.table);
    pos = reader.position();
    return status;
}

// The next line from pos (without its line end); pos moves past it.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    const std::string_view line = text.substr(pos, stop - pos);
    pos = stop;
    if (pos < text.size() && text[pos++] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return line;
}

std::string quotedIfNeeded(const std::string& item) {
    const bool plain = !item.empty() && item.front() != '"' && trim(item) == item &&
                       item.find_first_of(",\r\n") == std::string::npos;
    return plain ? item : "\"" + item + "\"";
}

}  // namespace

Status ReadDataFile(std::string_view contents, ReferenceData& data) {
    ReferenceData read = data;
    const auto sections = sectionsOf(read);
    std::array<bool, kSectionCount> seen{};
    std::size_t pos = 0;
    while (pos < contents.size()) {
        const std::string line = trim(nextLine(contents, pos));
        for (std::size_t s = 0; s < sections.size(); ++s) {
            if (line != sections[s].header) continue;
            const Status status = readSection(contents, pos, sections[s]);
            if (!status) return status;
            seen[s] = true;
            break;
        }
    }
    for (std::size_t s = 0; s < sections.size(); ++s)
        if (!seen[s])
            return Status::error("The reference data file lacks the section " +
                                 std::string(sections[s].header) + ".");
    data = std::move(read);
    return Status::ok();
}

Status ReadDataFile(MainMod& state) {
    const std::string path = state.programDir + kDataFileName;
    const Result<std::string> contents = readWholeFile(path);
    if (!contents) return Status::error(path + " cannot be read.");
    const Status read = ReadDataFile(*contents, state.reference);
    if (!read) return Status::error(path + ": " + read.message());
    return read;
}

std::string dataFileText(const ReferenceData& data) {
    ReferenceData copy = data;
    std::string out;
    for (const DataSection& section : sectionsOf(copy)) {
        if (!out.empty()) out += "\r\n";
        out.append(section.header).append("\r\n");
        std::visit(
            [&](auto table) {
                for (const auto& item : table) {
                    if constexpr (std::is_same_v<decltype(table), std::span<std::string>>)
                        out += quotedIfNeeded(item);
                    else
                        out += std::to_string(item);
                    out += "\r\n";
                }
            },
            section.table);
    }
    return out;
}

void SplitMultForms(std::span<const std::string> list, int first, MultTable& table) {
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::size_t entry = static_cast<std::size_t>(first - 1) + r;
        if (first < 1 || entry >= list.size()) return;
        std::string rest = trim(list[entry]);
        if (rest.empty() || rest.back() != '/') rest += '/';
        for (std::string& form : table.rows[r].forms) {
            const std::size_t slash = rest.find('/');
            form = trimRight(std::string_view(rest).substr(0, slash));
            if (slash + 1 == rest.size()) break;
            rest = trim(std::string_view(rest).substr(slash + 1));
        }
    }
}

namespace {

// A rule list's multipliers as a table of flagColumns columns.
void fillFromRuleList(const RuleList& rules, int flagColumns, MultTable& table) {
    table.reset(static_cast<int>(rules.mults.size()), flagColumns);
    for (std::size_t r = 0; r < rules.mults.size(); ++r) {
        const RuleMult& mult = rules.mults[r];
        for (std::size_t f = 0; f < mult.forms.size() && f < table.rows[r].forms.size(); ++f)
            table.rows[r].forms[f] = mult.forms[f];
        table.rows[r].stored = mult.stored;
    }
    table.retired = rules.retired;
}

}  // namespace

void ExpandMultTables(const ReferenceData& data, bool inCalifornia, MultTables& mults,
                      const RuleList& rules) {
    mults.CQPMults.reset(kCQPRows, 1);
    SplitMultForms(data.CQPSSMults, inCalifornia ? kCQPStatesFirst : kCQPCountiesFirst,
                   mults.CQPMults);
    mults.CQPInState.reset(kCQPRows, 0);
    SplitMultForms(data.CQPSSMults, kCQPCountiesFirst, mults.CQPInState);
    mults.PAQPMults.reset(kPAQPRows, 1);
    SplitMultForms(data.PAQPMults, 1, mults.PAQPMults);

    if (rules.kind == RuleKind::SsSections) {
        fillFromRuleList(rules, 1, mults.SSSections);
    } else {
        mults.SSSections.reset(kSSRows, 1);
        SplitMultForms(data.CQPSSMults, kSSSectionsFirst, mults.SSSections);
        for (std::size_t r = 0; r < data.SSShortForms.size(); ++r)
            mults.SSSections.rows[r].stored = data.SSShortForms[r];
    }

    if (rules.kind == RuleKind::NaMults) {
        fillFromRuleList(rules, 1, mults.SprintMults);
        fillFromRuleList(rules, 6, mults.NAQPMults);
        return;
    }
    // Sprint and NAQP entries are single names, taken whole.
    mults.SprintMults.reset(kSprintRows, 1);
    for (std::size_t r = 0; r < data.SprintMults.size(); ++r)
        mults.SprintMults.rows[r].forms[0] = data.SprintMults[r];
    mults.NAQPMults.reset(kNAQPRows, 6);
    for (std::size_t r = 0; r < data.NAQPMults.size(); ++r)
        mults.NAQPMults.rows[r].forms[0] = data.NAQPMults[r];
}

}  // namespace keslog
