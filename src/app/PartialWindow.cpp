#include "app/PartialWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogParts.h"

namespace keslog {

namespace {

class MatchLabel : public QLabel {
  public:
    MatchLabel(std::function<void()> onClick, QWidget* parent)
        : QLabel(parent), onClick_(std::move(onClick)) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) onClick_();
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

PartialWindow::PartialWindow(Partial& partial, std::function<void(const std::string&)> onCallChosen,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool), partial_(partial), onCallChosen_(std::move(onCallChosen)) {
    setObjectName("Partial");
    setWindowTitle("Partial");
    auto* layout = new QVBoxLayout(this);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    for (int i = 0; i < kPartialLabelCount; ++i) {
        auto* label = new MatchLabel(
            [this, i] {
                const auto call = partial_.onMatchClick(i);
                if (call) onCallChosen_(*call);
                render();
            },
            this);
        label->setObjectName(QString("Match%1").arg(i));
        label->setFont(fixed);
        label->setMinimumWidth(120);
        layout->addWidget(label);
        match_[static_cast<std::size_t>(i)] = label;
    }
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("CmdOK");
    connect(ok, &QPushButton::clicked, this, [this] {
        partial_.onOk();
        render();
    });
    layout->addWidget(ok);
    render();
}

void PartialWindow::render() {
    const PartialView& v = partial_.view();
    for (std::size_t i = 0; i < match_.size(); ++i) match_[i]->setText(q(v.Match[i]));
    setVisible(v.visible);
}

}  // namespace keslog
