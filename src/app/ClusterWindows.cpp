#include "app/ClusterWindows.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/QtText.h"
#include "model/Transmit.h"

namespace keslog {

namespace {

QColor qColour(std::uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
            static_cast<int>((bgr >> 16) & 0xFF)};
}

QColor classColour(SpotClass spotClass) {
    switch (spotClass) {
        case SpotClass::NewMult:
            return {0xC0, 0x00, 0x00};
        case SpotClass::Dupe:
            return {0xA0, 0xA0, 0xA0};
        case SpotClass::NewQso:
            break;
    }
    return {0x00, 0x00, 0xC0};
}

// Older spots fade towards the background: at the age limit, halfway.
QColor faded(QColor colour, int ageMinutes, int limitMinutes) {
    const double f = 0.5 * std::clamp(static_cast<double>(ageMinutes) / limitMinutes, 0.0, 1.0);
    const auto mix = [f](int c) { return static_cast<int>(c + (255 - c) * f); };
    return {mix(colour.red()), mix(colour.green()), mix(colour.blue())};
}

QFont fixedFont() {
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace

BandMapWindow::BandMapWindow(ClusterLink& cluster, int radio, std::function<void()> afterChoice,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool),
      cluster_(cluster),
      radio_(radio),
      afterChoice_(std::move(afterChoice)) {
    setObjectName(QString("BandMap%1").arg(radio));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName("SpotTable");
    table_->setHorizontalHeaderLabels({"kHz", "Call", "Age", "Comment"});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(18);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setFont(fixedFont());
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) {
        const QTableWidgetItem* call = table_->item(row, 1);
        if (!call || call->data(Qt::UserRole).toBool()) return;  // the radio's own row
        cluster_.onSpotChosen(radio_, call->text().toStdString());
        afterChoice_();
    });
    layout->addWidget(table_);
    resize(340, 460);
    render();
}

void BandMapWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The map runs down the band: the key down goes up in frequency.
    cluster_.onNextSpot(radio_, event->key() == Qt::Key_Down);
    afterChoice_();
}

void BandMapWindow::render() {
    const BandMapView view = cluster_.bandMapView(radio_);
    setWindowTitle(q(view.title));
    const int limit = std::max<int>(1, cluster_.spotMinutes());
    table_->setRowCount(static_cast<int>(view.rows.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const BandMapRow& row = view.rows[static_cast<std::size_t>(r)];
        const QString texts[] = {q(row.frequency), q(row.call),
                                 row.radio ? QString() : QString("%1m").arg(row.ageMinutes),
                                 q(row.comment)};
        const QColor colour = row.radio ? qColour(radioColour(radio_))
                                        : faded(classColour(row.spotClass), row.ageMinutes, limit);
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setForeground(colour);
            item->setData(Qt::UserRole, row.radio);
            QFont font = table_->font();
            font.setBold(row.radio || row.selected || row.spotClass == SpotClass::NewMult);
            item->setFont(font);
            if (row.radio) item->setBackground(QColor(0xFF, 0xF4, 0xC0));
            if (row.selected) item->setBackground(QColor(0xE0, 0xE8, 0xFF));
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    if (view.radioRow >= 0)
        table_->scrollToItem(table_->item(view.radioRow, 0), QAbstractItemView::PositionAtCenter);
}

ClusterConsoleWindow::ClusterConsoleWindow(ClusterLink& cluster, QWidget* parent)
    : QWidget(parent, Qt::Tool), cluster_(cluster) {
    setObjectName("ClusterConsole");
    setWindowTitle("Cluster Console");
    auto* layout = new QVBoxLayout(this);
    lines_ = new QPlainTextEdit(this);
    lines_->setObjectName("ConsoleLines");
    lines_->setReadOnly(true);
    lines_->setMaximumBlockCount(static_cast<int>(kConsoleLines));
    lines_->setFont(fixedFont());
    lines_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(lines_);
    command_ = new QLineEdit(this);
    command_->setObjectName("ConsoleCommand");
    command_->setPlaceholderText("Command to the cluster, Enter sends");
    connect(command_, &QLineEdit::returnPressed, this, [this] {
        cluster_.sendCommand(command_->text().toStdString());
        command_->clear();
    });
    layout->addWidget(command_);
    resize(620, 320);
    render();
}

void ClusterConsoleWindow::render() {
    const ClusterView& view = cluster_.view();
    const auto fresh = static_cast<std::size_t>(
        std::min<std::uint64_t>(view.consoleTotal - shown_, view.console.size()));
    for (std::size_t i = view.console.size() - fresh; i < view.console.size(); ++i)
        lines_->appendPlainText(q(view.console[i]));
    shown_ = view.consoleTotal;
    if (fresh != 0) lines_->verticalScrollBar()->setValue(lines_->verticalScrollBar()->maximum());
}

std::optional<std::string> editSpot(const std::string& draft, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("SendSpot");
    dialog.setWindowTitle("Send Spot");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel("The spot as the cluster gets it; a comment may follow:", &dialog));
    auto* line = new QLineEdit(q(draft), &dialog);
    line->setObjectName("SpotLine");
    line->setMinimumWidth(360);
    line->deselect();
    line->setCursorPosition(static_cast<int>(draft.size()));
    layout->addWidget(line);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return line->text().toStdString();
}

}  // namespace keslog
