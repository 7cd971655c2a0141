#include "app/ViewlogWindow.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/DialogParts.h"
#include "app/EditLogDialog.h"
#include "forms/LogForm.h"

namespace keslog {

namespace {

// GoToLog: the entry number to show at the top of the page. OK on the
// refusal's message empties the box for another try.
void goToLog(LogViewer& viewer, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("GoToLog");
    dialog.setWindowTitle("Go To Log Entry");
    auto* layout = new QVBoxLayout(&dialog);
    auto* text1 = new QLineEdit(&dialog);
    text1->setObjectName("Text1");
    layout->addWidget(text1);
    addOkCancel(
        &dialog, layout, "Command1", "Command2",
        [&] {
            bool retry = false;
            if (viewer.onGoTo(text1->text().toStdString(), &retry) || !retry) {
                dialog.accept();
                return;
            }
            text1->clear();
            text1->setFocus();
        },
        [&] { dialog.reject(); });
    dialog.exec();
}

}  // namespace

ViewlogWindow::ViewlogWindow(MainMod& state, Platform& platform, LogForm& form,
                             std::function<void()> onClose, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      state_(state),
      platform_(platform),
      form_(form),
      viewer_(state, platform),
      onClose_(std::move(onClose)) {
    setObjectName("Viewlog");
    setWindowTitle("Log");
    auto* outer = new QVBoxLayout(this);
    auto* pageRow = new QHBoxLayout();
    page_ = new QListWidget(this);
    page_->setObjectName("LogPage");
    page_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    page_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page_->setUniformItemSizes(true);
    page_->setContextMenuPolicy(Qt::CustomContextMenu);
    page_->viewport()->installEventFilter(this);
    pageRow->addWidget(page_, 1);
    vScroll1_ = new QScrollBar(Qt::Vertical, this);
    vScroll1_->setObjectName("VScroll1");
    pageRow->addWidget(vScroll1_);
    outer->addLayout(pageRow, 1);

    rightClickMenu_ = new QMenu(this);
    rightClickMenu_->setObjectName("RightClickMenu");
    QAction* update = rightClickMenu_->addAction("Update Log");
    update->setObjectName("mnuUpdateLog");
    connect(update, &QAction::triggered, this, [this] {
        viewer_.onUpdateLog(form_);
        render();
    });
    connect(page_, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { rightClickMenu_->popup(page_->mapToGlobal(at)); });
    connect(page_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { viewer_.onSelect(page_->row(item)); });
    connect(page_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (viewer_.onSelect(page_->row(item))) onEdit();
    });
    connect(vScroll1_, &QScrollBar::valueChanged, this, [this](int value) {
        viewer_.onScroll(value);
        render();
    });

    auto* buttons = new QHBoxLayout();
    const auto button = [&](const char* name, const char* caption, auto onClick) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, onClick);
        buttons->addWidget(b);
    };
    button("cmdStart", "&Start", [this] {
        viewer_.onStart();
        render();
    });
    button("cmdEnd", "&End", [this] {
        viewer_.onEnd();
        render();
    });
    button("cmdNumber", "&Go To #", [this] { onGoTo(); });
    button("CmdEdit", "E&dit", [this] { onEdit(); });
    button("cmdClose", "&Close", [this] { close(); });
    outer->addLayout(buttons);
    resize(620, 360);
    render();
}

void ViewlogWindow::render() {
    fitPage();
    const std::vector<std::string> lines = viewer_.page();
    page_->clear();
    for (const std::string& line : lines) page_->addItem(q(line));
    const int selected = viewer_.selectedEntry() - viewer_.viewTop();
    if (selected >= 0 && selected < page_->count()) page_->setCurrentRow(selected);
    const QSignalBlocker quiet(vScroll1_);
    vScroll1_->setRange(1, viewer_.scrollMax());
    vScroll1_->setPageStep(viewer_.linesPerPage());
    vScroll1_->setValue(viewer_.viewTop());
}

void ViewlogWindow::fitPage() {
    const int line = page_->fontMetrics().lineSpacing() + 2;
    viewer_.setLinesPerPage((page_->viewport()->height() - 4) / line);
}

void ViewlogWindow::onGoTo() {
    goToLog(viewer_, this);
    render();
}

void ViewlogWindow::onEdit() {
    if (viewer_.selectedEntry() < 1) return;
    const int n = viewer_.selectedEntry();
    if (EditLogDialog::edit(state_, platform_, n, this)) {
        viewer_.markEdited();
        form_.onQsoEdited(n);
    }
    render();
}

void ViewlogWindow::closeViewer() {
    if (!isVisible()) return;
    hide();
    viewer_.onClose(form_);
}

void ViewlogWindow::closeEvent(QCloseEvent* event) {
    viewer_.onClose(form_);
    event->accept();
    onClose_();
}

bool ViewlogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == page_->viewport() && event->type() == QEvent::Resize) render();
    return QWidget::eventFilter(watched, event);
}

}  // namespace keslog
