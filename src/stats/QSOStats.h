#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/MainMod.h"
#include "platform/Clock.h"
#include "stats/QsoCounts.h"

namespace keslog {

// One label of the statistics window: its place in twips and its text,
// lines separated by "\n".
struct StatsLabel {
    int left = 0;
    int top = 0;
    std::string text;
    bool visible = true;

    bool operator==(const StatsLabel&) const = default;
};

// What the QSOStats window shows; the Qt window draws exactly this.
struct QSOStatsView {
    std::string caption = "QSO Stats";
    int width = 5200;  // twips
    int height = 0;
    int headingHeight = 400;  // H: the separator runs at H + 655
    int separatorTop = 1055;
    int lineHeight = 180;  // between the lines of one label

    StatsLabel Modelabel;
    StatsLabel LabelAll;
    std::array<StatsLabel, kBandCount> BMTotal;  // element 0: 10 m .. element 7: 2 m
    StatsLabel RatesLabel;
    StatsLabel Last10Label;
    StatsLabel LastHrLabel;
    StatsLabel OverallLabel;
    StatsLabel TimeLabel;
    StatsLabel OnTimeLabel;
    StatsLabel OnBandTimeLabel;
    StatsLabel Label1;  // CQP, PAQP: phone and CW times
    StatsLabel Label2;  // WPX: QSOs with the own country
    StatsLabel Label3;  // WPX: the other QSOs
    StatsLabel Label4;  // WPX: heading of the two

    // The rate graph: QSOs per clock hour by band, from the hour of the
    // first QSO (firstHour, on the running-minute scale) on.
    int graphTop = 0;
    int graphHeight = 1500;
    std::vector<HourQsos> hourlyQsos;
    int firstHour = 0;

    bool operator==(const QSOStatsView&) const = default;
};

// Hours and minutes of a time in minutes: "h:mm", the total rounded to a
// whole minute before it is split, so 59.6 minutes read "1:00", never
// "0:60"; no time at all reads "--".
std::string hoursMinutesText(double minutes);

// Whole figures per hour of an amount over a time in minutes: "--" when
// there is no time, "999" when the figure needs more than three digits.
std::string perHourText(double amount, double minutes);

// The statistics window QSOStats: its layout for the contest, and the
// counts, rates and times of the open log.
class QSOStats {
  public:
    // Lays the window out for the open log's contest and counts the log
    // afresh (a log opened, reloaded or started).
    void load(const MainMod& state);

    // Counts the QSOs logged since the last refresh and rewrites every
    // figure. `clock` is the computer clock's sample; `live` is set when
    // the clock timer asks, so that rates keep falling while the operator
    // is idle until the break is long enough to be off time.
    void refresh(const MainMod& state, const DateTime& clock, bool live);

    const QSOStatsView& view() const { return view_; }
    const QsoCounts& counts() const { return counts_; }

  private:
    void writeBandFigures(const MainMod& state);
    void writeRates(const MainMod& state, int reference);
    void writeTimes(const MainMod& state);
    int referenceMinute(const MainMod& state, const DateTime& clock, bool live) const;

    QsoCounts counts_;
    QSOStatsView view_;
};

}  // namespace keslog
