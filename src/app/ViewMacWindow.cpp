#include "app/ViewMacWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "app/QtText.h"
#include "app/Twips.h"

namespace keslog {

ViewMacWindow::ViewMacWindow(ViewMac& form, QWidget* parent)
    : QWidget(parent, Qt::Tool), form_(form) {
    setObjectName("ViewMac");
    const ViewMacView& v = form_.view();
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kSlotCount; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("DisplayMac%1").arg(i));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QLabel::customContextMenuRequested, this,
                [this, i, label](const QPoint& at) { openMenu(i, label->mapToGlobal(at)); });
        displayMac_[static_cast<std::size_t>(i)] = label;
        layout->addWidget(label);
    }
    layout->addSpacing(6);
    layout->addWidget(new QLabel(q(v.note), this));
    layout->addWidget(colouredLabel(v.blueKey, colour::Blue, this));
    layout->addWidget(colouredLabel(v.redKey, colour::Red, this));
    layout->addStretch(1);
    setMinimumHeight(kViewMacMinHeight / kTwipsPerPixel);
    setMinimumWidth(200);
    render();
}

void ViewMacWindow::render() {
    const ViewMacView& v = form_.view();
    setWindowTitle(q(v.title));
    for (std::size_t i = 0; i < displayMac_.size(); ++i) {
        displayMac_[i]->setText(q(v.DisplayMac[i].caption));
        displayMac_[i]->setStyleSheet("color: " + cssColour(v.DisplayMac[i].colour));
    }
}

void ViewMacWindow::openMenu(int index, const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName("mnuRightClick");
    const auto ticks = form_.menuTicks(index);
    int chosen = -1;
    for (int k = 0; k < kViewMacItemCount; ++k) {
        const auto item = static_cast<ViewMacItem>(k);
        if (item == ViewMacItem::Play3 || item == ViewMacItem::EditMessage) menu.addSeparator();
        QAction* action =
            menu.addAction(q(std::string(kViewMacItemCaptions[static_cast<std::size_t>(k)])));
        action->setCheckable(item != ViewMacItem::EditMessage);
        action->setChecked(ticks[static_cast<std::size_t>(k)]);
        connect(action, &QAction::triggered, &menu, [&chosen, k] { chosen = k; });
    }
    menu.exec(at);
    if (chosen < 0) return;
    form_.onMenuItem(index, static_cast<ViewMacItem>(chosen));
    render();
}

void ViewMacWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    if (onClosed_) onClosed_();
}

}  // namespace keslog
