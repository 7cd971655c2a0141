#include "app/ChCoFormDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace keslog {

ChCoFormDialog::ChCoFormDialog(ChCoForm& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("ChCoForm");
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout();

    auto* left = new QVBoxLayout();
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    QFont heading = label1_->font();
    heading.setBold(true);
    label1_->setFont(heading);
    list1_ = new QListWidget(this);
    list1_->setObjectName("List1");
    list1_->setMinimumWidth(260);
    left->addWidget(label1_);
    left->addWidget(list1_);
    columns->addLayout(left, 1);

    auto* right = new QVBoxLayout();
    frame1_ = new QGroupBox(this);
    frame1_->setObjectName("Frame1");
    auto* frame1Layout = new QVBoxLayout(frame1_);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(frame1_);
        option->setObjectName(QString("ButtonMode%1").arg(i));
        frame1Layout->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            form_.onButtonMode(i);
            afterEvent();
        });
        buttonMode_[static_cast<std::size_t>(i)] = option;
    }
    frame2_ = new QGroupBox("   Location   ", this);
    frame2_->setObjectName("Frame2");
    auto* frame2Layout = new QVBoxLayout(frame2_);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(frame2_);
        option->setObjectName(QString("ButtonQTH%1").arg(i));
        frame2Layout->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            form_.onButtonQTH(i);
            afterEvent();
        });
        buttonQTH_[static_cast<std::size_t>(i)] = option;
    }
    comboQTH_ = new QComboBox(frame2_);
    comboQTH_->setObjectName("ComboQTH");
    for (const std::string& continent : form_.view().comboQTH) comboQTH_->addItem(q(continent));
    frame2Layout->addWidget(comboQTH_);
    connect(comboQTH_, &QComboBox::activated, this, [this](int index) {
        form_.onComboQTH(index);
        afterEvent();
    });
    right->addWidget(frame1_);
    right->addWidget(frame2_);
    right->addStretch(1);
    columns->addLayout(right);
    outer->addLayout(columns);

    addOkCancel(outer, "CmdOK", "CmdCancel");

    connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
        form_.onList1Click(row);
        afterEvent();
    });
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this] {
        form_.onOK();
        afterEvent();
    });
    render();
}

void ChCoFormDialog::render() {
    const ChCoFormView& v = form_.view();
    setWindowTitle(q(v.title));
    label1_->setText(q(v.label1));
    {
        const QSignalBlocker blockList(list1_);
        if (list1_->count() != static_cast<int>(v.list1.size())) {
            list1_->clear();
            for (const std::string& text : v.list1) list1_->addItem(q(text));
        }
        list1_->setCurrentRow(v.list1Index);
    }
    frame1_->setTitle(q(v.frame1Caption));
    for (std::size_t i = 0; i < buttonMode_.size(); ++i) {
        buttonMode_[i]->setText(q(v.buttonModeCaptions[i]));
        buttonMode_[i]->setChecked(static_cast<int>(i) == v.buttonMode);
    }
    frame2_->setEnabled(v.frame2Enabled);
    for (std::size_t i = 0; i < buttonQTH_.size(); ++i) {
        buttonQTH_[i]->setText(q(v.buttonQTHCaptions[i]));
        buttonQTH_[i]->setChecked(static_cast<int>(i) == v.buttonQTH);
    }
    buttonQTH_[2]->setEnabled(v.otherEnabled);
    comboQTH_->setCurrentIndex(v.comboQTHIndex);
    comboQTH_->setEnabled(v.comboQTHEnabled);
}

}  // namespace keslog
