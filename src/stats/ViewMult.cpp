#include "stats/ViewMult.h"

#include <algorithm>
#include <cmath>

#include "callsign/CountryPanel.h"
#include "entry/MultRows.h"
#include "entry/Scoring.h"
#include "model/ReferenceData.h"

namespace keslog {

namespace {

constexpr int kLineHeight = 225;  // twips between printed lines
constexpr int kWpxPerLine = 5;
constexpr int kWpxLines = 6;
constexpr int kListPerLine = 6;
constexpr int kListColumnWidth = 720;
constexpr int kGridMargin = 900;  // right of the rightmost label

std::string fitted(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

struct Heading {
    int x;
    int y;
    const char* text;
};

// NAQP call areas over their columns of the grid.
constexpr Heading kNaqpHeadings[] = {{240, 0, "1"},   {720, 0, "2"},   {1200, 0, "4"},
                                     {1680, 0, "5"},  {2160, 0, "6"},  {2640, 0, "7"},
                                     {3060, 0, "8"},  {3540, 0, "0"},  {4220, 0, "VE"},
                                     {5020, 0, "NA"}, {720, 900, "3"}, {3060, 1125, "9"}};

// Where one multiplier's label stands and which flag tells it is worked.
struct GridPlace {
    int x;
    int y;
    int offset;  // NAQP: the needed label stands this far right of x
};

// A list without stored places (a rule list's): a grid about as wide as
// it is high.
GridPlace computedPlace(int i, int count) {
    const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(count))));
    return {120 + kListColumnWidth * (i % columns), 100 + kLineHeight * (i / columns), 0};
}

// Each label is drawn once: a needed one in black, a worked one in red
// with "$" in front of its name at the stored place, so the name keeps
// nearly its place and nothing has to be blanked out.
void drawLabel(std::vector<PrintedText>& texts, const GridPlace& place, const std::string& name,
               bool worked) {
    if (worked)
        texts.push_back({place.x, place.y, "$" + name, palette::Red});
    else
        texts.push_back({place.x + place.offset, place.y, name, palette::Black});
}

bool rowWorked(const MultRow& row, int column) {
    return column >= 0 && column < static_cast<int>(row.worked.size()) &&
           row.worked[static_cast<std::size_t>(column)];
}

std::string bandCaption(BandModeCode code) {
    std::string name = trim(BandName[static_cast<std::size_t>(bandIndexOf(code) - 1)]);
    if (name.back() != 'm') name += "m";
    return name;
}

std::string contestName(const MainMod& state) {
    const auto info = findContest(state.contestNr);
    return info ? trim(info->shortName) : std::string();
}

// A grid without a given width gets room right of its rightmost label.
void sizeToTexts(ViewMultView& view) {
    int right = 0;
    int bottom = 0;
    for (const PrintedText& t : view.texts) {
        right = std::max(right, t.x);
        bottom = std::max(bottom, t.y);
    }
    if (view.width == 0) view.width = right + kGridMargin;
    view.height = bottom + 2 * kLineHeight;
}

}  // namespace

void ViewMult::unload() {
    *this = ViewMult{};
}

void ViewMult::draw(const MainMod& state) {
    const ContestNr nr = state.contestNr;
    const ReferenceData& ref = state.reference;
    if (nr == contest::Wpx) {
        drawWpxPage(state, view_.scrollValue);
        return;
    }
    if (nr == contest::ArrlDx || nr == contest::Cqww) {
        const int n = state.log.count();
        if (n == 0) {
            showCountry(state, 0, 0);
            return;
        }
        const StoredMult last = storedMult(state, state.log.at(n));
        showCountry(state, last.countryNr, last.zone);
        return;
    }

    view_ = ViewMultView{};
    view_.caption = contestName(state) + " Multipliers";
    std::vector<PrintedText>& texts = view_.texts;
    const auto gridOf = [&](const MultTable& table, int column, auto placeOf) {
        for (std::size_t i = 0; i < table.rows.size(); ++i)
            drawLabel(texts, placeOf(static_cast<int>(i)), table.rows[i].forms[0],
                      rowWorked(table.rows[i], column));
    };
    switch (nr) {
        case contest::Naqp: {
            const int band = bandIndexOf(state.CurrentBandMode);
            view_.caption = "NAQP Multipliers on " + bandCaption(state.CurrentBandMode);
            // 6 m and 2 m have no NAQP column: nothing is worked there.
            const int column = band <= band::B160 ? band - 1 : -1;
            const MultTable& table = state.mults.NAQPMults;
            if (state.rules.kind == RuleKind::NaMults) {
                const int count = static_cast<int>(table.rows.size());
                gridOf(table, column, [&](int i) { return computedPlace(i, count); });
                break;
            }
            view_.width = 5560;
            for (const Heading& h : kNaqpHeadings)
                texts.push_back({h.x, h.y, h.text, palette::Blue});
            gridOf(table, column, [&](int i) {
                const auto k = static_cast<std::size_t>(std::min(i, kCQPLabelPositions - 1));
                return GridPlace{ref.CQPXCoord[k], ref.CQPYCoord[k], kNAQPLabelOffset};
            });
            break;
        }
        case contest::Cqp:
            gridOf(state.mults.CQPMults, 0, [&](int i) {
                const auto k = static_cast<std::size_t>(std::min(i, kCQPLabelPositions - 1));
                return GridPlace{ref.CQPXCoord[k], ref.CQPYCoord[k], 0};
            });
            break;
        case contest::Ss:
            if (state.rules.kind == RuleKind::SsSections) {
                const int count = static_cast<int>(state.mults.SSSections.rows.size());
                gridOf(state.mults.SSSections, 0, [&](int i) { return computedPlace(i, count); });
                break;
            }
            gridOf(state.mults.SSSections, 0, [&](int i) {
                const auto k = static_cast<std::size_t>(std::min(i, kSSRows - 1));
                return GridPlace{ref.SSXCoord[k], ref.SSYCoord[k], 0};
            });
            break;
        case contest::Sprint:
        case contest::Paqp:
            // No stored places: the list in lines of six.
            gridOf(*contestMultTable(state), 0, [](int i) {
                return GridPlace{120 + kListColumnWidth * (i % kListPerLine),
                                 100 + kLineHeight * (i / kListPerLine), 0};
            });
            break;
        default:
            break;
    }
    sizeToTexts(view_);
}

void ViewMult::showCountry(const MainMod& state, int countryNr, int zone) {
    if (state.contestNr != contest::ArrlDx && state.contestNr != contest::Cqww) return;
    CountryPanel panel;
    panel.ShowCountryHeadings(state);
    panel.ShowCountryInfo(state, WorkedCountries(state.totals), countryNr, zone);
    view_ = ViewMultView{};
    view_.caption = contestName(state) + " Multipliers";
    view_.texts = panel.texts();
    view_.width = 3600;
    view_.height = state.contestNr == contest::Cqww ? 1540 : 1000;
}

void ViewMult::onScroll(const MainMod& state, int value) {
    if (state.contestNr == contest::Wpx && wpxPageShown_) drawWpxPage(state, value);
}

void ViewMult::drawWpxPage(const MainMod& state, int first) {
    const std::vector<std::string>& prefixes = state.totals.wpxPrefixes;
    const int count = static_cast<int>(prefixes.size());
    view_.caption = "WPX Prefixes";
    view_.scrollVisible = true;
    view_.scrollMax = std::max(count, 1);
    view_.scrollValue = std::clamp(first, 1, view_.scrollMax);
    view_.width = 2900;
    view_.height = kWpxLines * kLineHeight + 300;
    const std::string firstPrefix = view_.scrollValue <= count
                                        ? prefixes[static_cast<std::size_t>(view_.scrollValue - 1)]
                                        : std::string();
    // A prefix that lands further down the page changes the count but not
    // the first prefix: the page must show it too.
    if (wpxPageShown_ && firstPrefix == pageFirstPrefix_ && prefixes.size() == pagePrefixCount_)
        return;

    view_.texts.clear();
    for (int line = 0; line < kWpxLines; ++line) {
        std::string text;
        for (int column = 0; column < kWpxPerLine; ++column) {
            const int k = view_.scrollValue + kWpxPerLine * line + column;  // 1-based
            if (k > count) break;
            text += fitted(prefixes[static_cast<std::size_t>(k - 1)], 5);
        }
        if (text.empty()) break;
        view_.texts.push_back({20, kLineHeight * line, text, palette::Blue});
    }
    wpxPageShown_ = true;
    pageFirstPrefix_ = firstPrefix;
    pagePrefixCount_ = prefixes.size();
}

CACTYView countiesWindow(const MainMod& state) {
    CACTYView view;
    const std::vector<MultRow>& counties = state.mults.CQPInState.rows;
    std::string line;
    for (std::size_t i = 0; i < counties.size(); ++i) {
        line += fitted(counties[i].forms[0], 5);
        if ((i + 1) % kListPerLine == 0 || i + 1 == counties.size()) {
            view.lines.push_back(line);
            line.clear();
        }
    }
    return view;
}

TwipSize countiesWindowSize(int w, int h) {
    return {w * 31 - 70, h * 12 - 40};
}

}  // namespace keslog
