#include "app/EditMacDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>

namespace keslog {

namespace {

// Shows the stored (upper-case) text without moving the caret.
void showText(QLineEdit* box, const std::string& text) {
    const QString wanted = q(text);
    if (box->text() == wanted) return;
    const int caret = box->cursorPosition();
    box->setText(wanted);
    box->setCursorPosition(caret);
}

QLabel* boldLabel(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(q(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

QLineEdit* EditMacDialog::addBox(const char* name, int index,
                                 void (EditMac::*onEdit)(int, const std::string&)) {
    auto* box = new QLineEdit(this);
    box->setObjectName(index < 0 ? QString(name) : QString("%1%2").arg(name).arg(index));
    connect(box, &QLineEdit::textEdited, this, [this, onEdit, index](const QString& text) {
        std::invoke(onEdit, form_, index, text.toStdString());
        afterEvent();
    });
    return box;
}

EditMacDialog::EditMacDialog(EditMac& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("EditMac");
    const EditMacView& v = form_.view();
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    grid->addWidget(boldLabel(v.keyHeading, this), 0, 0);
    grid->addWidget(boldLabel(v.displayHeading, this), 0, 2);
    for (int i = 0; i < kSlotCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        auto* key = new QLabel(q(v.FLabel[row]), this);
        key->setObjectName(QString("FLabel%1").arg(i));
        fullMacro_[row] = addBox("FullMacro", i, &EditMac::onFullMacro);
        fullMacro_[row]->setMinimumWidth(320);
        shMacro_[row] = addBox("ShMacro", i, &EditMac::onShMacro);
        shMacro_[row]->setMaximumWidth(140);
        grid->addWidget(key, i + 1, 0);
        grid->addWidget(fullMacro_[row], i + 1, 1);
        grid->addWidget(shMacro_[row], i + 1, 2);
    }
    int line = kSlotCount + 1;
    for (int k = 0; k < 2; ++k) {
        exchange_[static_cast<std::size_t>(k)] = addBox("Exchange", k, &EditMac::onExchange);
        grid->addWidget(new QLabel(q(v.exchangeCaption[static_cast<std::size_t>(k)]), this), line,
                        0);
        grid->addWidget(exchange_[static_cast<std::size_t>(k)], line++, 1);
    }
    dupe_ = new QLineEdit(this);
    dupe_->setObjectName("Dupe");
    connect(dupe_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.onDupe(text.toStdString());
        afterEvent();
    });
    grid->addWidget(new QLabel(q(v.dupeCaption), this), line, 0);
    grid->addWidget(dupe_, line, 1);
    outer->addLayout(grid);
    auto* legend = new QLabel(q(v.legend), this);
    legend->setObjectName("Legend");
    outer->addWidget(legend);
    addOkCancel(outer, "OKButton", "CancelButton");
    render();
    fullMacro_[static_cast<std::size_t>(v.focusSlot - 1)]->setFocus();
}

void EditMacDialog::render() {
    const EditMacView& v = form_.view();
    setWindowTitle(q(v.title));
    for (std::size_t i = 0; i < fullMacro_.size(); ++i) {
        showText(fullMacro_[i], v.FullMacro[i]);
        showText(shMacro_[i], v.ShMacro[i]);
    }
    for (std::size_t k = 0; k < exchange_.size(); ++k) showText(exchange_[k], v.Exchange[k]);
    showText(dupe_, v.Dupe);
}

}  // namespace keslog
