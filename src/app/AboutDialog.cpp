#include "app/AboutDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "model/Version.h"

namespace keslog {

AboutDialog::AboutDialog(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
    setObjectName("AboutForm");
    setWindowTitle(mode == Mode::Welcome ? "WELCOME" : "About KESLOG");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QString("<h1>%1</h1>").arg(kProgramName), this);
    auto* version = new QLabel(QString("Version %1").arg(kProgramVersion), this);
    auto* what = new QLabel("Contest logging for the single-operator station", this);
    for (QLabel* l : {name, version, what}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    ok_ = new QPushButton("OK", this);
    ok_->setVisible(mode == Mode::About);
    layout->addWidget(ok_, 0, Qt::AlignCenter);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QDialog::accept);
    if (mode == Mode::Welcome) timer_->start(kWelcomeMs);
    setMinimumWidth(340);
}

void AboutDialog::showWithoutWaiting() {
    show();
    QApplication::processEvents();
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    if (mode_ == Mode::Welcome)
        accept();
    else
        QDialog::keyPressEvent(event);
}

void AboutDialog::mousePressEvent(QMouseEvent* event) {
    if (mode_ == Mode::Welcome)
        accept();
    else
        QDialog::mousePressEvent(event);
}

}  // namespace keslog
