#include "app/BandModeDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace keslog {

BandModeDialog::BandModeDialog(BandMode& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("BandMode");
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

    addOkCancel(outer, "Command1", "Command2");
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

}  // namespace keslog
