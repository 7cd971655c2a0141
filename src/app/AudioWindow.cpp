#include "app/AudioWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/DialogParts.h"
#include "app/QtText.h"

namespace keslog {

namespace {

QLabel* namedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

AudioWindow::AudioWindow(Audio& form, QWidget* parent) : QWidget(parent, Qt::Tool), form_(form) {
    setObjectName("Audio");
    const AudioView& v = form_.view();
    auto* outer = new QVBoxLayout(this);
    grid_ = new QGridLayout();
    grid_->setColumnStretch(1, 1);
    outer->setMenuBar(buildMenus());

    for (int i = 0; i < kSlotCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        auto* button = new QPushButton(q(v.Button[at]), this);
        button->setObjectName(QString("Button%1").arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, i] { form_.onButton(i); });
        button_[at] = button;

        auto* label = new QLabel(this);
        label->setObjectName(QString("ButtonLabel%1").arg(i));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setMinimumWidth(220);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        label->installEventFilter(this);
        connect(label, &QLabel::customContextMenuRequested, this,
                [this, i, label](const QPoint& p) { openMenu(i, label->mapToGlobal(p)); });
        buttonLabel_[at] = label;
        grid_->addWidget(button, i, 0);
        grid_->addWidget(label, i, 1);
    }
    text1_ = new QLineEdit(this);
    text1_->setObjectName("Text1");
    text1_->hide();
    text1_->installEventFilter(this);
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.onText1Changed(text.toStdString()); });
    outer->addLayout(grid_);

    auto* keys = new QHBoxLayout();
    keys->addWidget(new QLabel(q(v.note), this));
    keys->addStretch(1);
    keys->addWidget(colouredLabel(v.blueKey, colour::Blue, this));
    keys->addSpacing(12);
    keys->addWidget(colouredLabel(v.redKey, colour::Red, this));
    outer->addLayout(keys);

    auto* bottom = new QHBoxLayout();
    auto* stop = new QPushButton("&Stop", this);
    stop->setObjectName("CmdStop");
    stop->setFocusPolicy(Qt::NoFocus);
    connect(stop, &QPushButton::clicked, this, [this] { form_.CmdStop(); });
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    notPlaying_ = namedLabel("lblNotPlaying", this);
    recording_ = namedLabel("lblRecording", this);
    recording_->setStyleSheet("color: " + cssColour(colour::Red));
    label1_ = namedLabel("Label1", this);
    label1_->setMinimumWidth(48);
    bottom->addWidget(stop);
    bottom->addWidget(progress_, 1);
    bottom->addWidget(notPlaying_, 1);
    bottom->addWidget(recording_, 1);
    bottom->addWidget(label1_);
    outer->addLayout(bottom);

    setMinimumWidth(360);
    form_.setHost(*this);
    render();
}

AudioWindow::~AudioWindow() {
    form_.clearHost();
}

QMenuBar* AudioWindow::buildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("AudioMenuBar");
    QMenu* file = bar->addMenu("&File");
    file->setObjectName("MenuFileItem");
    QAction* open = file->addAction("&Open Setup File");
    open->setObjectName("MenuOpenItem");
    connect(open, &QAction::triggered, this, [this] { form_.onOpenSetupFile(); });
    QAction* save = file->addAction("&Save Setup File As...");
    save->setObjectName("MenuSaveItem");
    connect(save, &QAction::triggered, this, [this] { form_.onSaveSetupFile(); });
    file->addSeparator();

    const auto addKeys = [this, file](const char* caption, const char* name, const char* itemName,
                                      void (Audio::*act)(int)) {
        QMenu* menu = file->addMenu(caption);
        menu->setObjectName(name);
        for (int i = 0; i < kSlotCount; ++i) {
            QAction* item = menu->addAction(q(voiceKeyName(i)));
            item->setObjectName(QString(itemName).arg(i + 1));
            connect(item, &QAction::triggered, this,
                    [this, act, i] { std::invoke(act, form_, i); });
        }
    };
    addKeys("Assign Sound Files", "MenuAssignItem", "MenuButton%1Item", &Audio::onAssign);
    addKeys("Record Sound Files", "MenuRecordItem", "MenuRecord%1Item", &Audio::onRecord);
    return bar;
}

void AudioWindow::render() {
    const AudioView& v = form_.view();
    setWindowTitle(q(v.title));
    for (std::size_t i = 0; i < buttonLabel_.size(); ++i) {
        buttonLabel_[i]->setText(q(v.ButtonLabel[i].caption));
        buttonLabel_[i]->setStyleSheet("color: " + cssColour(v.ButtonLabel[i].colour));
    }
    progress_->setVisible(v.progressVisible);
    progress_->setValue(v.progress);
    notPlaying_->setText(q(v.lblNotPlaying));
    notPlaying_->setVisible(v.notPlayingVisible);
    recording_->setText(q(v.recordingLabel));
    recording_->setVisible(!v.recordingLabel.empty());
    label1_->setText(q(v.Label1));

    if (!v.text1Visible) {
        text1Row_ = -1;
        text1_->hide();
        return;
    }
    // Text1 lies over the label of its row; its text is set once, as it opens.
    if (text1Row_ != v.text1Row) {
        text1Row_ = v.text1Row;
        grid_->removeWidget(text1_);
        grid_->addWidget(text1_, v.text1Row, 1);
        text1_->setText(q(v.Text1));
        text1_->selectAll();
    }
    text1_->show();
    text1_->raise();
    text1_->setFocus();
}

bool AudioWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            form_.onText1Done();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int i = 0; i < kSlotCount; ++i)
            if (watched == buttonLabel_[static_cast<std::size_t>(i)]) {
                form_.onButton(i);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void AudioWindow::openMenu(int index, const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName("mnuRightClick");
    menu.setTitle("RightClick Menu");
    static constexpr std::array<const char*, kAudioMenuItemCount> kNames{
        "mnuLeftRadio", "mnuRightRadio", "mnuNoRadio", "mnuPlay3", "mnuPlay6", "mnuPlay1"};
    const auto ticks = form_.menuTicks(index);
    int chosen = -1;
    for (int k = 0; k < kAudioMenuItemCount; ++k) {
        const auto at_k = static_cast<std::size_t>(k);
        if (static_cast<AudioMenuItem>(k) == AudioMenuItem::Play3) menu.addSeparator();
        QAction* action = menu.addAction(q(std::string(kAudioMenuCaptions[at_k])));
        action->setObjectName(kNames[at_k]);
        action->setCheckable(true);
        action->setChecked(ticks[at_k]);
        connect(action, &QAction::triggered, &menu, [&chosen, k] { chosen = k; });
    }
    menu.exec(at);
    if (chosen >= 0) form_.onMenuItem(index, static_cast<AudioMenuItem>(chosen));
}

void AudioWindow::returnFocus() {
    if (onReturnFocus_) onReturnFocus_();
}

void AudioWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    if (onClosed_) onClosed_();
}

}  // namespace keslog
