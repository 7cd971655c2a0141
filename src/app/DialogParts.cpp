#include "app/DialogParts.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace keslog {

QLabel* colouredLabel(const std::string& text, std::uint32_t colour, QWidget* parent) {
    auto* label = new QLabel(q(text), parent);
    label->setStyleSheet("color: " + cssColour(colour));
    return label;
}

void addOkCancel(QWidget* dialog, QBoxLayout* layout, const char* okName, const char* cancelName,
                 std::function<void()> onOk, std::function<void()> onCancel) {
    auto* buttons = new QHBoxLayout();
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", dialog);
    cancel->setObjectName(cancelName);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, std::move(onCancel));
}

}  // namespace keslog
