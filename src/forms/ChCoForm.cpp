#include "forms/ChCoForm.h"

#include <algorithm>
#include <cctype>

namespace keslog {

namespace {

constexpr int kDefaultListIndex = 2;  // CQP
constexpr int kUsa = 0;
constexpr int kCanada = 1;
constexpr int kOther = 2;

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

ChCoForm::ChCoForm(MainMod& state) : state_(state) {}

void ChCoForm::load() {
    state_.CancelFlag = false;
    view_ = ChCoFormView{};
    for (const ContestInfo& c : contestCatalog()) view_.list1.emplace_back(c.listText);
    std::sort(view_.list1.begin(), view_.list1.end(), lessIgnoringCase);
    view_.list1Index = kDefaultListIndex;
    relabel();
}

ContestNr ChCoForm::contestAt(int index) const {
    if (index < 0 || index >= static_cast<int>(view_.list1.size())) return contest::None;
    for (const ContestInfo& c : contestCatalog())
        if (c.listText == view_.list1[static_cast<std::size_t>(index)]) return c.nr;
    return contest::None;
}

void ChCoForm::relabel() {
    const ContestNr nr = contestAt(view_.list1Index);
    const auto info = findContest(nr);
    const LocationChoice location = info ? info->location : LocationChoice::None;
    if (nr == contest::Cqp || nr == contest::Paqp) {
        view_.frame1Caption = "   Location   ";
        view_.buttonModeCaptions = {nr == contest::Cqp ? " In California" : " In Penna.",
                                    " Out of State"};
    } else {
        view_.frame1Caption = "   Mode  ";
        view_.buttonModeCaptions = {"  Phone", "  CW"};
    }
    view_.frame2Enabled =
        location == LocationChoice::UsaCanada || location == LocationChoice::UsaCanadaOther;
    // CQWW knows only stations in the USA and in Canada.
    view_.otherEnabled = location == LocationChoice::UsaCanadaOther;
    if (!view_.otherEnabled && view_.buttonQTH == kOther) view_.buttonQTH = kUsa;
    view_.comboQTHEnabled = view_.otherEnabled && view_.buttonQTH == kOther;
}

void ChCoForm::onList1Click(int index) {
    if (index < 0 || index >= static_cast<int>(view_.list1.size())) return;
    view_.list1Index = index;
    relabel();
}

void ChCoForm::onButtonMode(int index) {
    if (index == 0 || index == 1) view_.buttonMode = index;
}

void ChCoForm::onButtonQTH(int index) {
    if (!view_.frame2Enabled || index < kUsa || index > kOther) return;
    if (index == kOther && !view_.otherEnabled) return;
    view_.buttonQTH = index;
    relabel();
}

void ChCoForm::onComboQTH(int index) {
    if (index >= 0 && index < static_cast<int>(view_.comboQTH.size())) view_.comboQTHIndex = index;
}

void ChCoForm::onOK() {
    const ContestNr nr = contestAt(view_.list1Index);
    state_.contestNr = nr;
    const bool option0 = view_.buttonMode == 0;
    if (nr == contest::Cqp || nr == contest::Paqp) {
        state_.InStateFlag = option0;
        // Mixed-mode logs: both modes, as when such a log is opened.
        state_.ModeFlag = {true, true};
    } else {
        state_.ModeFlag = {option0, !option0};
    }
    if (nr == contest::Cqww) {
        state_.QTHUSAFlag = view_.buttonQTH == kUsa;
        state_.QTHCanadaFlag = !state_.QTHUSAFlag;
    } else if (nr == contest::Wpx) {
        state_.QTHUSAFlag = view_.buttonQTH == kUsa;
        state_.QTHCanadaFlag = view_.buttonQTH == kCanada;
        if (view_.buttonQTH == kOther)
            state_.MyContinent = view_.comboQTH[static_cast<std::size_t>(view_.comboQTHIndex)];
    }
    view_.closed = true;
}

void ChCoForm::onCancel() {
    state_.CancelFlag = true;
    view_.closed = true;
}

}  // namespace keslog
