#include "app/CACTYWindow.h"

#include <QCloseEvent>
#include <QPainter>

#include "app/QtText.h"
#include "app/Twips.h"

namespace keslog {

CACTYWindow::CACTYWindow(const LogForm& form, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Tool), form_(form), onClose_(std::move(onClose)), font_("Fixedsys", 9) {
    setObjectName("CACTY");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    render();
}

void CACTYWindow::render() {
    setWindowTitle(q(form_.countiesView().caption));
    const QFontMetrics metrics(font_);
    const TwipSize size = countiesWindowSize(metrics.horizontalAdvance('A') * kTwipsPerPixel,
                                             metrics.height() * kTwipsPerPixel);
    setFixedSize(pixels(size.width), pixels(size.height));
    update();
}

void CACTYWindow::paintEvent(QPaintEvent*) {
    const CACTYView& v = form_.countiesView();
    QPainter painter(this);
    painter.setFont(font_);
    painter.setPen(paletteColour(v.colour));
    const QFontMetrics metrics = painter.fontMetrics();
    int y = metrics.ascent();
    for (const std::string& line : v.lines) {
        painter.drawText(pixels(v.left), y, q(line));
        y += metrics.height();
    }
}

void CACTYWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    onClose_();
}

// A click (the first half of a double-click too) puts the window away.
void CACTYWindow::mousePressEvent(QMouseEvent*) {
    hide();
    onClose_();
}

}  // namespace keslog
