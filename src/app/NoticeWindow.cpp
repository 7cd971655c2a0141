#include "app/NoticeWindow.h"

#include <QFontMetrics>
#include <QVBoxLayout>

#include "app/Twips.h"

namespace keslog {

NoticeWindow::NoticeWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), label_(new QLabel(this)) {
    setObjectName("BkgdForm");
    auto* layout = new QVBoxLayout(this);
    label_->setAlignment(Qt::AlignCenter);
    QFont f = label_->font();
    f.setPointSize(f.pointSize() + 4);
    label_->setFont(f);
    layout->addWidget(label_);
    setMinimumSize(300, 80);
}

void NoticeWindow::showNotice(const QString& text) {
    label_->setText(text);
    show();
    raise();
}

bool NoticeWindow::fits(const QString& text) const {
    return QFontMetrics(label_->font()).horizontalAdvance(text) <= pixels(3300);
}

}  // namespace keslog
