#include "app/PartialWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
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

QListWidget* scpList(const char* name, const char* caption, QWidget* parent, QVBoxLayout* column) {
    auto* heading = new QLabel(caption, parent);
    column->addWidget(heading);
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMinimumWidth(120);
    column->addWidget(list);
    return list;
}

void fill(QListWidget* list, const std::vector<ScpHit>& hits) {
    list->clear();
    for (const ScpHit& hit : hits) {
        auto* item = new QListWidgetItem(q(hit.call), list);
        QFont font = item->font();
        font.setBold(hit.inLog);
        item->setFont(font);
        if (hit.inLog) item->setForeground(QColor(0x00, 0x00, 0xC0));
    }
}

}  // namespace

PartialWindow::PartialWindow(Partial& partial, std::function<void(const std::string&)> onCallChosen,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool), partial_(partial), onCallChosen_(std::move(onCallChosen)) {
    setObjectName("Partial");
    setWindowTitle("Partial");
    auto* columns = new QHBoxLayout(this);
    auto* layout = new QVBoxLayout();
    columns->addLayout(layout);
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

    auto* scp = new QVBoxLayout();
    columns->addLayout(scp);
    checkPartial_ = scpList("CheckPartial", "Check partial:", this, scp);
    oneOff_ = scpList("OneOff", "One off:", this, scp);
    for (QListWidget* list : {checkPartial_, oneOff_})
        connect(list, &QListWidget::itemClicked, this,
                [this](QListWidgetItem* item) { onCallChosen_(item->text().toStdString()); });
    render();
}

void PartialWindow::render() {
    const PartialView& v = partial_.view();
    for (std::size_t i = 0; i < match_.size(); ++i) match_[i]->setText(q(v.Match[i]));
    fill(checkPartial_, v.scp.partial);
    fill(oneOff_, v.scp.oneOff);
    setVisible(v.visible);
}

}  // namespace keslog
