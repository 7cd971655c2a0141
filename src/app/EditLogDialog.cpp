#include "app/EditLogDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Twips.h"

namespace keslog {

namespace {

struct BoxPlace {
    EditField field;
    const char* name;
    int row;
    int column;
};

// Date, band, mode and time on the first row; the rest on the second.
constexpr std::array<BoxPlace, kEditFieldCount> kBoxes{{
    {EditField::Date, "Text1", 1, 0},
    {EditField::Mode, "Text3", 1, 2},
    {EditField::Time, "Text4", 1, 3},
    {EditField::Call, "Text5", 3, 0},
    {EditField::OwnNr, "Text6", 3, 1},
    {EditField::Received, "Text7", 3, 2},
    {EditField::Section, "Text12", 3, 3},
    {EditField::Mult, "Text8", 3, 4},
    {EditField::Prec, "Text10", 3, 5},
    {EditField::Check, "Text11", 3, 6},
    {EditField::Points, "Text9", 3, 7},
}};

}  // namespace

EditLogDialog::EditLogDialog(EntryEditor& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("EditLog");
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setFont(fixed);
    grid->addWidget(label1_, 0, 0, 1, 8);
    label2_ = new QLabel(this);
    label2_->setObjectName("Label2");
    label2_->setFont(fixed);
    grid->addWidget(label2_, 2, 0, 1, 8);

    bandBox_ = new QComboBox(this);
    bandBox_->setObjectName("BandBox");
    for (std::string_view name : BandName) bandBox_->addItem(q(std::string(name)));
    connect(bandBox_, &QComboBox::activated, this, [this](int index) {
        form_.setBand(index + 1);
        render();
    });
    grid->addWidget(bandBox_, 1, 1);

    for (const BoxPlace& place : kBoxes) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(place.name);
        edit->installEventFilter(this);
        const EditField field = place.field;
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            form_.setText(field, text.toStdString());
            render();
        });
        grid->addWidget(edit, place.row, place.column);
        boxes_[static_cast<std::size_t>(field)] = edit;
    }
    outer->addLayout(grid);
    addOkCancel(outer, "CmdOK", "CmdCancel");
    render();
}

void EditLogDialog::render() {
    const EntryEditorView& v = form_.view();
    setWindowTitle(q(v.title));
    label1_->setText(q(v.label1));
    label2_->setText(q(v.label2));
    bandBox_->setCurrentIndex(v.band - 1);
    for (int i = 0; i < kEditFieldCount; ++i) {
        QLineEdit* edit = boxes_[static_cast<std::size_t>(i)];
        const QString text = q(v.text[static_cast<std::size_t>(i)]);
        if (edit->text() != text) {
            const int caret = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(caret);
        }
    }
    box(EditField::Mult)->setVisible(v.multVisible);
    box(EditField::Received)->setVisible(v.receivedVisible);
    box(EditField::Prec)->setVisible(v.ssVisible);
    box(EditField::Check)->setVisible(v.ssVisible);
    box(EditField::Section)->setVisible(v.lastVisible);
    if (v.focus) {
        QLineEdit* edit = box(*v.focus);
        QTimer::singleShot(0, edit, [edit] {
            edit->setFocus();
            edit->selectAll();
        });
    }
}

bool EditLogDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_ && !form_.view().closed) {
        for (int i = 0; i < kEditFieldCount; ++i) {
            if (boxes_[static_cast<std::size_t>(i)] != watched) continue;
            checking_ = true;
            form_.checkField(static_cast<EditField>(i));
            checking_ = false;
            render();
        }
    }
    return FormDialog::eventFilter(watched, event);
}

bool EditLogDialog::edit(MainMod& state, Platform& platform, int n, QWidget* parent) {
    if (n < 1 || n > state.log.count()) return false;
    EntryEditor editor(state, platform);
    editor.load(n);
    EditLogDialog dialog(editor, parent);
    dialog.exec();
    return editor.written();
}

}  // namespace keslog
