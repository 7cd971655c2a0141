#pragma once

#include <string>
#include <vector>

#include "model/MainMod.h"
#include "model/PrintedText.h"

namespace keslog {

// What the multiplier window shows; the Qt window draws exactly this.
struct ViewMultView {
    std::string caption;
    int width = 0;  // twips
    int height = 0;
    // VScroll1, WPX only: its value is the number of the first prefix shown.
    bool scrollVisible = false;
    int scrollMax = 1;
    int scrollValue = 1;
    std::vector<PrintedText> texts;
};

// The multiplier window ViewMult: the country panel in the DX contests, a
// grid of worked and needed multipliers in CQP, SS, NAQP, Sprint and PAQP,
// and the page of worked prefixes in WPX.
class ViewMult {
  public:
    // Draws the open log's multipliers anew: after a QSO is logged, a log
    // is opened or the band changes (NAQP shows the current band). In the
    // DX contests the country panel shows the last QSO's country.
    void draw(const MainMod& state);
    // ARRL DX and CQWW, while a call is typed: the panel for its country
    // and, in CQWW, a zone (0: the country's own).
    void showCountry(const MainMod& state, int countryNr, int zone);
    // VScroll1 moved: the WPX page from the new value on.
    void onScroll(const MainMod& state, int value);
    // Back to the empty window of a log not yet drawn.
    void unload();

    const ViewMultView& view() const { return view_; }

  private:
    void drawWpxPage(const MainMod& state, int first);

    ViewMultView view_;
    bool wpxPageShown_ = false;
    std::string pageFirstPrefix_;
    std::size_t pagePrefixCount_ = 0;
};

// The California counties window CACTY: ten lines of six counties.
struct CACTYView {
    std::string caption = "CA Counties ";
    std::vector<std::string> lines;
    int colour = palette::Blue;
    int left = 20;  // twips
};

// The lines of the county window, from the CQP in-state table: county
// 6 x (line - 1) + column, its abbreviation left-justified in 5 columns.
CACTYView countiesWindow(const MainMod& state);

// The county window's size in twips for a font whose letter "A" is w
// twips wide and h twips high: room for 31 letters and 12 lines.
struct TwipSize {
    int width;
    int height;
};
TwipSize countiesWindowSize(int w, int h);

}  // namespace keslog
