#include "app/BandModeDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace keslog {

namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

BandModeDialog::BandModeDialog(BandMode& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName("BandMode");
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout();

    frame_ = new QGroupBox(this);
    auto* boxes = new QVBoxLayout(frame_);
    for (int b = band::B10; b <= band::B2; ++b) {
        auto* box = new QCheckBox(frame_);
        box->setObjectName(QString("BandBox%1").arg(b));
        boxes->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, b](bool ticked) {
            form_.onBandBox(b, ticked);
            afterEvent();
        });
        bandBox_[static_cast<std::size_t>(b)] = box;
    }
    boxes->addStretch(1);
    columns->addWidget(frame_);

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    columns->addWidget(label1_);
    outer->addLayout(columns);

    auto* buttons = new QHBoxLayout();
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("Command2");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        form_.onOK();
        afterEvent();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        form_.onCancel();
        afterEvent();
    });
    render();
}

void BandModeDialog::render() {
    const BandModeView& v = form_.view();
    setWindowTitle(q(v.title));
    label1_->setText(q(v.label1));
    for (int b = band::B10; b <= band::B2; ++b) {
        const auto i = static_cast<std::size_t>(b);
        bandBox_[i]->setText(q(v.boxCaptions[i]));
        bandBox_[i]->setChecked(v.boxTicked[i]);
        bandBox_[i]->setVisible(v.boxVisible[i]);
    }
    frame_->setMinimumHeight(v.tallFrame ? 250 : 190);
    adjustSize();
}

void BandModeDialog::afterEvent() {
    if (form_.view().closed) {
        QDialog::accept();
        return;
    }
    render();
}

void BandModeDialog::reject() {
    if (!form_.view().closed) form_.onCancel();
    QDialog::reject();
}

}  // namespace keslog
