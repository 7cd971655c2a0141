#include "app/ViewMultWindow.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "app/QtText.h"
#include "app/Twips.h"

namespace keslog {

namespace {

constexpr int kScrollWidth = 16;  // pixels

}  // namespace

ViewMultWindow::ViewMultWindow(LogForm& form, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Tool), form_(form), onClose_(std::move(onClose)) {
    setObjectName("ViewMult");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName("VScroll1");
    scroll_->setPageStep(5);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        form_.onMultScroll(value);
        render();
    });
    render();
}

void ViewMultWindow::render() {
    const ViewMultView& v = form_.multView();
    setWindowTitle(q(v.caption));
    const int width = pixels(v.width) + (v.scrollVisible ? kScrollWidth : 0);
    setFixedSize(std::max(width, 120), std::max(pixels(v.height), 60));
    scroll_->setVisible(v.scrollVisible);
    scroll_->setGeometry(this->width() - kScrollWidth, 0, kScrollWidth, height());
    {
        const QSignalBlocker quiet(scroll_);
        scroll_->setRange(1, v.scrollMax);
        scroll_->setValue(v.scrollValue);
    }
    update();
}

void ViewMultWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(printFont(QFont::TypeWriter));
    const int ascent = painter.fontMetrics().ascent();
    for (const PrintedText& t : form_.multView().texts) {
        painter.setPen(paletteColour(t.colour));
        painter.drawText(pixels(t.x), pixels(t.y) + ascent, q(t.text));
    }
}

void ViewMultWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    onClose_();
}

}  // namespace keslog
