#include "app/DialogParts.h"

#include <QBoxLayout>
#include <QPushButton>

namespace keslog {

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
