#include "app/QSOStatsWindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <algorithm>
#include <numeric>

#include "app/QtText.h"
#include "app/Twips.h"

namespace keslog {

namespace {

// One colour per band in the graph, 10 m first.
constexpr int kBandColours[kBandCount] = {12, 6, 2, 9, 5, 3, 8, 4};

void paintLabel(QPainter& painter, const StatsLabel& label, int lineHeight) {
    if (!label.visible) return;
    const QFontMetrics metrics = painter.fontMetrics();
    int top = pixels(label.top);
    std::size_t start = 0;
    while (start <= label.text.size()) {
        std::size_t end = label.text.find('\n', start);
        if (end == std::string::npos) end = label.text.size();
        painter.drawText(pixels(label.left), top + metrics.ascent(),
                         q(label.text.substr(start, end - start)));
        top += pixels(lineHeight);
        start = end + 1;
    }
}

}  // namespace

QSOStatsWindow::QSOStatsWindow(const LogForm& form, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Tool), form_(form), onClose_(std::move(onClose)) {
    setObjectName("QSOStats");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    render();
}

void QSOStatsWindow::render() {
    const QSOStatsView& v = form_.statsView();
    setWindowTitle(q(v.caption));
    setFixedSize(pixels(v.width), pixels(v.height));
    update();
}

void QSOStatsWindow::paintEvent(QPaintEvent*) {
    const QSOStatsView& v = form_.statsView();
    QPainter painter(this);
    painter.setFont(printFont(QFont::SansSerif));
    painter.setPen(Qt::black);
    for (const StatsLabel* label : {&v.Modelabel, &v.LabelAll, &v.RatesLabel, &v.Last10Label,
                                    &v.LastHrLabel, &v.OverallLabel, &v.TimeLabel, &v.OnTimeLabel,
                                    &v.OnBandTimeLabel, &v.Label1, &v.Label2, &v.Label3, &v.Label4})
        paintLabel(painter, *label, v.lineHeight);
    for (const StatsLabel& column : v.BMTotal) paintLabel(painter, column, v.lineHeight);

    painter.setPen(QPen(paletteColour(2), 1));
    const int separator = pixels(v.separatorTop);
    painter.drawLine(0, separator, width(), separator);
    paintGraph(painter, v);
}

void QSOStatsWindow::paintGraph(QPainter& painter, const QSOStatsView& v) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = pixels(v.lineHeight);
    const QRect area(pixels(100), pixels(v.graphTop) + line, pixels(v.width - 200),
                     pixels(v.graphHeight) - line);
    painter.setPen(Qt::black);

    int most = 1;
    for (const HourQsos& hour : v.hourlyQsos)
        most = std::max(most, std::accumulate(hour.begin(), hour.end(), 0));
    const int scale = (most + 9) / 10 * 10;  // a round top figure
    painter.drawText(area.left(), area.top() - line + metrics.ascent(),
                     QString("QSOs per hour (top %1)").arg(scale));
    painter.drawRect(area.adjusted(0, 0, -1, -1));

    const int hourSlots = std::max<int>(static_cast<int>(v.hourlyQsos.size()), 24);
    const double slotWidth = static_cast<double>(area.width()) / hourSlots;
    for (std::size_t i = 0; i < v.hourlyQsos.size(); ++i) {
        const int left = area.left() + static_cast<int>(slotWidth * static_cast<double>(i)) + 1;
        const int barWidth = std::max(1, static_cast<int>(slotWidth) - 1);
        int bottom = area.bottom();
        for (int band = 1; band <= kBandCount; ++band) {
            const int count = v.hourlyQsos[i][static_cast<std::size_t>(band)];
            if (count == 0) continue;
            const int height = std::max(1, count * (area.height() - 1) / scale);
            painter.fillRect(left, bottom - height + 1, barWidth, height,
                             paletteColour(kBandColours[band - 1]));
            bottom -= height;
        }
    }

    // The hour of the day under every sixth slot, then the band colours.
    const int labels = area.bottom() + 2 + metrics.ascent();
    for (int i = 0; i < hourSlots; i += 6) {
        const int hour = (v.firstHour + i) % 24;
        painter.drawText(area.left() + static_cast<int>(slotWidth * i), labels,
                         QString("%1").arg(hour, 2, 10, QChar('0')));
    }
    int x = area.left();
    for (int band = 1; band <= kBandCount; ++band) {
        const QString name = q(trim(BandNameM[static_cast<std::size_t>(band - 1)]));
        painter.setPen(paletteColour(kBandColours[band - 1]));
        painter.drawText(x, labels + line, name);
        x += metrics.horizontalAdvance(name) + 8;
    }
}

void QSOStatsWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    onClose_();
}

}  // namespace keslog
