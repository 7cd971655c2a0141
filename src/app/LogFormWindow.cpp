#include "app/LogFormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "app/AboutDialog.h"
#include "app/AudioWindow.h"
#include "app/BandModeDialog.h"
#include "app/CACTYWindow.h"
#include "app/CallDataLoader.h"
#include "app/ChCoFormDialog.h"
#include "app/ClusterWindows.h"
#include "app/DialogParts.h"
#include "app/EditLogDialog.h"
#include "app/EditMacDialog.h"
#include "app/NoticeWindow.h"
#include "app/PartialWindow.h"
#include "app/PostContestDialog.h"
#include "app/QSOStatsWindow.h"
#include "app/QtPlatform.h"
#include "app/SetupDialog.h"
#include "app/Twips.h"
#include "app/ViewMacWindow.h"
#include "app/ViewMultWindow.h"
#include "app/ViewlogWindow.h"
#include "storage/LogNames.h"

namespace keslog {

namespace {

// Recent-file texts are cut to 3300 twips, 220 pixels at 96 dpi.
constexpr int kRecentFileTextWidth = 3300 / kTwipsPerPixel;

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

struct ViewItem {
    ViewWindow window;
    const char* name;
    const char* caption;
};

constexpr std::array<ViewItem, kViewWindowCount> kViewItems{{
    {ViewWindow::CACounties, "mnuViewCACounties", "C&A Counties"},
    {ViewWindow::CWMessages, "mnuViewCW", "&CW Messages"},
    {ViewWindow::DVK, "mnuViewDvK", "&DVK"},
    {ViewWindow::Log, "mnuViewLog", "&Log"},
    {ViewWindow::Multipliers, "mnuViewMults", "&Multipliers"},
    {ViewWindow::QSOStats, "mnuViewQSOStats", "&QSO Stats"},
}};

}  // namespace

LogFormWindow::LogFormWindow(MainMod& state, Platform& platform, ILogFiles& logFiles)
    : state_(state),
      platform_(platform),
      form_(std::make_unique<LogForm>(state, platform, logFiles, *this)),
      viewMac_(state, *this),
      timer1_(platform.timers.createTimer()) {
    setObjectName("LogForm");
    buildMenus();
    buildEntryArea();
    bkgdForm_ = new NoticeWindow(this);
    buildViewWindows(platform);
    partialWindow_ = new PartialWindow(
        form_->entry().partial(),
        [this](const std::string& call) {
            form_->entry().onPartialCallChosen(call);
            render();
        },
        this);
    resize(760, 420);

    timer1_->setInterval(1000);
    timer1_->setHandler([this] {
        form_->onTimer1Tick();
        render();
    });
    timer1_->setEnabled(true);
    form_->rig().setOnChange([this] { render(); });
    form_->broadcast().setOnChange([this] { render(); });
    form_->cluster().setOnChange([this] { renderCluster(); });
}

LogFormWindow::~LogFormWindow() = default;

QAction* LogFormWindow::addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void LogFormWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    connect(addItem(file, "mnuFileNewLog", "&New "), &QAction::triggered, this, [this] {
        form_->onFileNew();
        renderAfterFileCommand();
    });
    connect(addItem(file, "mnuFileOpenLog", "&Open"), &QAction::triggered, this, [this] {
        form_->onFileOpen();
        renderAfterFileCommand();
    });
    mnuFileSave_ = addItem(file, "mnuFileSave", "&Save");
    connect(mnuFileSave_, &QAction::triggered, this, [this] {
        form_->onFileSave();
        render();
    });
    separator1a_ = file->addSeparator();
    mnuFileBackup_ = addItem(file, "mnuFileBackup", "&Backup");
    connect(mnuFileBackup_, &QAction::triggered, this, [this] {
        form_->onFileBackup();
        inData_[0]->setFocus();
    });
    mnuFileSetup_ = addItem(file, "mnuFileSetup", "&Preferences ");
    connect(mnuFileSetup_, &QAction::triggered, this, [this] {
        form_->onFileSetup(portDevices_);
        render();
    });
    file->addSeparator();
    connect(addItem(file, "mnuFilePostContest", "Post-Contest . . ."), &QAction::triggered, this,
            [this] {
                form_->onFilePostContest();
                renderAfterFileCommand();
            });
    file->addSeparator();
    QAction* exit = addItem(file, "mnuFileExit", "E&xit");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    separator1d_ = file->addSeparator();
    for (int i = 0; i < 4; ++i) {
        QAction* recent = file->addAction(QString());
        recent->setObjectName(QString("mnuFileArray%1").arg(i + 1));
        connect(recent, &QAction::triggered, this, [this, i] {
            form_->onRecentFile(i + 1);
            renderAfterFileCommand();
        });
        mnuFileArray_[static_cast<std::size_t>(i)] = recent;
    }

    mnuEdit_ = menuBar()->addMenu("&Edit");
    mnuEdit_->setObjectName("mnuEdit");
    QAction* editLog = addItem(mnuEdit_, "mnuEditLog", "Log Entries");
    connect(editLog, &QAction::triggered, this, [this] {
        form_->onEditLogEntries();
        render();
    });
    connect(addItem(mnuEdit_, "mnuEditLastEntry", "Last Entry"), &QAction::triggered, this,
            [this] { entryCommand(&EntryLine::onLastEntry); });
    connect(addItem(mnuEdit_, "mnuEditCW", "CW Messages"), &QAction::triggered, this,
            [this] { onEditCW(); });
    mnuEdit_->addSeparator();
    connect(addItem(mnuEdit_, "mnuEditSelectBands", "Select Active Bands"), &QAction::triggered,
            this, [this] {
                form_->onEditSelectBands();
                render();
            });
    mnuEdit_->addSeparator();
    connect(addItem(mnuEdit_, "mnuEditKillLastEntry", "Kill Last Entry"), &QAction::triggered, this,
            [this] { entryCommand(&EntryLine::onKillLastEntry); });

    mnuView_ = menuBar()->addMenu("&View");
    mnuView_->setObjectName("mnuView");
    for (std::size_t i = 0; i < kViewItems.size(); ++i) {
        QAction* item = addItem(mnuView_, kViewItems[i].name, kViewItems[i].caption);
        item->setCheckable(true);
        const ViewWindow window = kViewItems[i].window;
        connect(item, &QAction::triggered, this, [this, window] {
            form_->onViewItem(window);
            render();
        });
        viewItems_[i] = item;
    }

    buildClusterMenu();

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    connect(addItem(help, "mnuHelpContents", "Contents"), &QAction::triggered, this,
            [this] { form_->onHelpContents(); });
    connect(addItem(help, "mnuHelpUsing", "Using Help"), &QAction::triggered, this,
            [this] { form_->onHelpUsing(); });
    help->addSeparator();
    connect(addItem(help, "mnuHelpAbout", "About KESLOG"), &QAction::triggered, this,
            [this] { form_->onHelpAbout(); });
}

void LogFormWindow::buildEntryArea() {
    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    entryArea_ = new QWidget(central);
    auto* grid = new QGridLayout(entryArea_);

    QFont entryFont("Monospace");
    entryFont.setStyleHint(QFont::TypeWriter);
    entryFont.setPointSize(16);
    entryFont.setBold(true);

    callsignLabel_ = namedLabel(entryArea_, "CallsignLabel", "Callsign");
    numberLabel_ = namedLabel(entryArea_, "NumberLabel", "Number");
    qsoNrLabel_ = namedLabel(entryArea_, "QSONrLabel");
    grid->addWidget(callsignLabel_, 0, 0);
    grid->addWidget(numberLabel_, 0, 1);
    grid->addWidget(qsoNrLabel_, 0, 2, 1, 2);
    for (int i = 0; i < 2; ++i) {
        auto* box = new QLineEdit(entryArea_);
        box->setObjectName(QString("InData%1").arg(i));
        box->setFont(entryFont);
        box->installEventFilter(this);
        // Edits the key handler does not see (paste, the mouse) reach the
        // entry line here.
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (rendering_) return;
            form_->entry().onTextEdited(i, text.toStdString());
            render();
        });
        connect(box, &QLineEdit::selectionChanged, this, [this, i] { onCaretMoved(i); });
        connect(box, &QLineEdit::cursorPositionChanged, this, [this, i] { onCaretMoved(i); });
        inData_[static_cast<std::size_t>(i)] = box;
        grid->addWidget(box, 1, i);
    }
    auto* add = new QPushButton("&Log it", entryArea_);
    add->setObjectName("AddButton");
    auto* cancel = new QPushButton("&Cancel", entryArea_);
    cancel->setObjectName("CancelButton");
    // The buttons never take the focus from the entry boxes.
    add->setFocusPolicy(Qt::NoFocus);
    cancel->setFocusPolicy(Qt::NoFocus);
    connect(add, &QPushButton::clicked, this, [this] { entryCommand(&EntryLine::onLogIt); });
    connect(cancel, &QPushButton::clicked, this, [this] { entryCommand(&EntryLine::onCancel); });
    grid->addWidget(add, 1, 2);
    grid->addWidget(cancel, 1, 3);

    scoreLabel_ = namedLabel(entryArea_, "ScoreLabel", "Score:");
    multsLabel_ = namedLabel(entryArea_, "MultsLabel", "Mults: ");
    needPfxLabel_ = namedLabel(entryArea_, "NeedPfxLabel");
    // Its lines are centred with blanks: a fixed pitch keeps them so.
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    needPfxLabel_->setFont(fixed);
    lblWpxCountry_ = namedLabel(entryArea_, "LblWpxCountry");
    grid->addWidget(scoreLabel_, 2, 0);
    grid->addWidget(multsLabel_, 2, 1);
    grid->addWidget(needPfxLabel_, 2, 2);
    grid->addWidget(lblWpxCountry_, 2, 3);

    // Worked-before grid: one label per band under the mode row heading.
    auto* prev = new QFrame(entryArea_);
    prev->setFrameShape(QFrame::StyledPanel);
    auto* prevLayout = new QHBoxLayout(prev);
    modeLabel_ = namedLabel(prev, "ModeLabel");
    prevLayout->addWidget(modeLabel_);
    for (std::size_t i = 0; i < prevQso_.size(); ++i) {
        prevQso_[i] = namedLabel(prev, "PrevQSO");
        prevQso_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        prevLayout->addWidget(prevQso_[i]);
    }
    prevLayout->addStretch(1);
    grid->addWidget(prev, 3, 0, 1, 4);

    callMatchLabel1_ = namedLabel(entryArea_, "CallMatchLabel1");
    callMatchLabel2_ = namedLabel(entryArea_, "CallMatchLabel2");
    oldCallMatchLabel_ = namedLabel(entryArea_, "OldCallMatchLabel");
    grid->addWidget(callMatchLabel1_, 4, 0);
    grid->addWidget(callMatchLabel2_, 4, 1);
    grid->addWidget(oldCallMatchLabel_, 4, 2, 1, 2);

    auto* speedRow = new QHBoxLayout();
    speedLabel_ = namedLabel(entryArea_, "SpeedLabel");
    speedDisplayLabel_ = namedLabel(entryArea_, "SpeedDisplayLabel");
    speedScroll_ = new QScrollBar(Qt::Horizontal, entryArea_);
    speedScroll_->setObjectName("SpeedScroll");
    speedScroll_->setRange(kMinCWSpeed, kMaxCWSpeed);
    speedScroll_->setPageStep(2);
    speedScroll_->installEventFilter(this);
    activeRadioLabel_ = namedLabel(entryArea_, "ActiveRadioLabel");
    activeLogLabel_ = namedLabel(entryArea_, "ActiveLogLabel");
    speedRow->addWidget(speedLabel_);
    speedRow->addWidget(speedDisplayLabel_);
    speedRow->addWidget(speedScroll_, 1);
    speedRow->addSpacing(24);
    speedRow->addWidget(activeRadioLabel_);
    speedRow->addWidget(activeLogLabel_);
    grid->addLayout(speedRow, 5, 0, 1, 4);

    auto* keyboardRow = new QHBoxLayout();
    keyboardCWLabel_ = namedLabel(entryArea_, "KeyboardCWLabel", q(KeyboardCW::kLabel));
    keyboardCWText_ = new QLineEdit(entryArea_);
    keyboardCWText_->setObjectName("KeyboardCWText");
    keyboardCWText_->installEventFilter(this);
    keyboardCWLabel_->hide();
    keyboardCWText_->hide();
    keyboardRow->addWidget(keyboardCWLabel_);
    keyboardRow->addWidget(keyboardCWText_, 1);
    grid->addLayout(keyboardRow, 6, 0, 1, 4);
    labelSendingMsg_ = namedLabel(entryArea_, "LabelSendingMsg");
    labelSendingMsg_->hide();
    grid->addWidget(labelSendingMsg_, 7, 0, 1, 4);

    // With no log open the window would be blank: say how to begin.
    noLogHint_ =
        new QLabel("No log is open.\n\nFile, New starts a log; File, Open opens one.", central);
    noLogHint_->setAlignment(Qt::AlignCenter);
    outer->addWidget(noLogHint_, 1);
    outer->addWidget(entryArea_);
    outer->addStretch(1);

    bottomRow_ = new QWidget(central);
    auto* bottom = new QVBoxLayout(bottomRow_);
    line1_ = new QFrame(bottomRow_);
    line1_->setObjectName("Line1");
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Plain);
    line1_->setLineWidth(2);
    bottom->addWidget(line1_);
    lastQsoLabel_ = namedLabel(bottomRow_, "LastQSOLabel");
    QFont lastFont("Monospace");
    lastFont.setStyleHint(QFont::TypeWriter);
    lastFont.setBold(true);
    lastQsoLabel_->setFont(lastFont);
    bottom->addWidget(lastQsoLabel_);
    auto* bottomLabels = new QHBoxLayout();
    fileIdLabel_ = namedLabel(bottomRow_, "FileIDLabel");
    timeGmtLabel_ = namedLabel(bottomRow_, "TimeGMTLabel");
    timeLocalLabel_ = namedLabel(bottomRow_, "TimeLocalLabel");
    bottomLabels->addWidget(fileIdLabel_, 1);
    for (std::size_t i = 0; i < rigLabels_.size(); ++i) {
        rigLabels_[i] = namedLabel(bottomRow_, i == 0 ? "Rig1Label" : "Rig2Label");
        bottomLabels->addWidget(rigLabels_[i]);
        bottomLabels->addSpacing(16);
    }
    broadcastLabel_ = namedLabel(bottomRow_, "BroadcastLabel");
    broadcastLabel_->setStyleSheet("font-weight: bold; color: " + cssColour(colour::Orange));
    bottomLabels->addWidget(broadcastLabel_);
    clusterLabel_ = namedLabel(bottomRow_, "ClusterLabel");
    bottomLabels->addWidget(clusterLabel_);
    keyerLabel_ = namedLabel(bottomRow_, "KeyerLabel");
    keyerLabel_->setVisible(false);
    bottomLabels->addWidget(keyerLabel_);
    bottomLabels->addSpacing(16);
    bottomLabels->addWidget(timeGmtLabel_);
    bottomLabels->addSpacing(16);
    bottomLabels->addWidget(timeLocalLabel_);
    bottom->addLayout(bottomLabels);
    outer->addWidget(bottomRow_);
    setCentralWidget(central);
}

void LogFormWindow::renderAfterFileCommand() {
    if (state_.logOpen && keyer_) keyer_->prepareTiming(state_.ModeFlag[1]);
    render();
}

void LogFormWindow::render() {
    const LogFormView& v = form_->view();
    setWindowTitle(q(v.title));

    mnuEdit_->menuAction()->setVisible(v.editMenuVisible);
    mnuView_->menuAction()->setVisible(v.viewMenuVisible);
    mnuFileSave_->setVisible(v.saveVisible);
    mnuFileSetup_->setVisible(v.setupVisible);
    mnuFileBackup_->setVisible(v.backupVisible);
    separator1a_->setVisible(v.separator1aVisible);
    separator1d_->setVisible(v.separator1dVisible);
    for (std::size_t i = 0; i < 4; ++i) {
        const QFontMetrics metrics(mnuFileArray_[i]->font());
        const auto fits = [&metrics](std::string_view text) {
            return metrics.horizontalAdvance(q(std::string(text))) <= kRecentFileTextWidth;
        };
        mnuFileArray_[i]->setText(q(fitPath("", v.recentFiles[i], fits)));
        mnuFileArray_[i]->setVisible(!v.recentFiles[i].empty());
    }
    for (std::size_t i = 0; i < kViewItems.size(); ++i) {
        viewItems_[i]->setChecked(v.viewTicked[static_cast<std::size_t>(kViewItems[i].window)]);
        if (kViewItems[i].window == ViewWindow::Multipliers)
            viewItems_[i]->setEnabled(v.multipliersEnabled);
    }

    entryArea_->setVisible(v.entryVisible);
    bottomRow_->setVisible(v.entryVisible);
    noLogHint_->setVisible(!v.entryVisible);
    callsignLabel_->setText(q(v.callsignLabel));
    numberLabel_->setText(q(v.numberLabel));
    inData_[1]->setMinimumWidth(v.wideExchange ? 260 : 160);
    qsoNrLabel_->setText(q(v.qsoNrLabel));
    qsoNrLabel_->setStyleSheet("color: " + cssColour(v.qsoNrColour));
    scoreLabel_->setText(q(v.scoreLabel));
    multsLabel_->setText(q(v.multsLabel));
    speedLabel_->setText(q(v.speedLabel));
    speedDisplayLabel_->setEnabled(v.speedDisplayEnabled);
    speedScroll_->setVisible(v.speedScrollVisible);
    speedScroll_->setEnabled(v.speedScrollVisible);
    activeRadioLabel_->setText(q(v.activeRadioLabel));
    activeRadioLabel_->setStyleSheet("font-weight: bold; color: " + cssColour(v.activeRadioColour));
    activeLogLabel_->setText(q(v.activeLogLabel));
    activeLogLabel_->setStyleSheet("font-weight: bold; color: " + cssColour(v.activeLogColour));
    fileIdLabel_->setText(q(v.fileIdLabel));
    timeGmtLabel_->setText(q(v.timeGmtLabel));
    timeLocalLabel_->setText(q(v.timeLocalLabel));
    for (std::size_t i = 0; i < rigLabels_.size(); ++i) {
        const RigStatusLabel& rig = form_->rig().labels()[i];
        rigLabels_[i]->setText(q(rig.text));
        rigLabels_[i]->setStyleSheet("font-weight: bold; color: " + cssColour(rig.colour));
        rigLabels_[i]->setVisible(!rig.text.empty());
    }
    const std::string& broadcastFault = form_->broadcast().statusText();
    broadcastLabel_->setText(q(broadcastFault));
    broadcastLabel_->setVisible(!broadcastFault.empty());
    renderSpeed();
    renderKeyboardCW();
    renderRepeat();
    renderViewMac();
    renderEntry();
    renderCluster();
    if (callData_) callData_->refresh();
}

void LogFormWindow::renderEntry() {
    const EntryView& e = form_->entry().view();
    rendering_ = true;
    for (std::size_t i = 0; i < inData_.size(); ++i) {
        QLineEdit* box = inData_[i];
        const EntryBox& b = e.InData[i];
        if (box->text().toStdString() != b.text) box->setText(q(b.text));
        if (b.selLength > 0)
            box->setSelection(b.selStart, b.selLength);
        else
            box->setCursorPosition(b.caret);
    }
    rendering_ = false;
    const auto show = [](QLabel* label, const std::string& text) {
        label->setText(q(text));
        label->setVisible(!text.empty());
    };
    show(modeLabel_, e.ModeLabel);
    for (std::size_t i = 0; i < prevQso_.size(); ++i) show(prevQso_[i], e.PrevQSO[i]);
    show(callMatchLabel1_, e.matches.CallMatchLabel1);
    show(callMatchLabel2_, e.matches.CallMatchLabel2);
    show(oldCallMatchLabel_, e.matches.OldCallMatchLabel);
    show(needPfxLabel_, e.NeedPfxLabel);
    needPfxLabel_->setStyleSheet("font-weight: bold; color: " + cssColour(e.needPfxColour));
    show(lblWpxCountry_, e.LblWpxCountry);
    lastQsoLabel_->setText(q(e.lastQso));
    if (e.focus == kCallBox || e.focus == kExchangeBox) {
        QLineEdit* focused = inData_[static_cast<std::size_t>(e.focus)];
        if (entryArea_->isVisible() && !focused->hasFocus() &&
            !(keyboardCW_ && keyboardCW_->view().open))
            focused->setFocus(Qt::OtherFocusReason);
    }
}

void LogFormWindow::onCaretMoved(int box) {
    if (rendering_) return;
    QLineEdit* b = inData_[static_cast<std::size_t>(box)];
    const int start = b->hasSelectedText() ? b->selectionStart() : b->cursorPosition();
    form_->entry().onCaret(box, b->cursorPosition(), start,
                           static_cast<int>(b->selectedText().size()));
}

void LogFormWindow::entryCommand(void (EntryLine::*command)()) {
    if (!form_->view().entryVisible) return;
    (form_->entry().*command)();
    render();
}

void LogFormWindow::renderSpeed() {
    const int speed = state_.cw.CWSpeed;
    speedDisplayLabel_->setText(QString::number(speed));
    const QSignalBlocker quiet(speedScroll_);
    speedScroll_->setValue(speed);
}

void LogFormWindow::renderKeyboardCW() {
    const bool open = keyboardCW_ && keyboardCW_->view().open;
    keyboardCWLabel_->setVisible(open);
    keyboardCWText_->setVisible(open);
    fileIdLabel_->setVisible(!open);
    const std::uint32_t line1 = keyboardCW_ ? keyboardCW_->view().line1Colour : colour::Blue;
    line1_->setStyleSheet("color: " + cssColour(line1));
}

void LogFormWindow::attachKeyer(CWKeyer& keyer, LatchedKeyState& keys) {
    keyer_ = &keyer;
    keys_ = &keys;
    keyboardCW_ = std::make_unique<KeyboardCW>(state_, keyer);
    keyer.setHost(*this);
    auto* keyerPoll = new QTimer(this);
    connect(keyerPoll, &QTimer::timeout, this, [this] { keyer_->pollDevices(); });
    keyerPoll->start(100);
    connect(speedScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        keyer_->onSpeedScroll(value);
        if (isActiveWindow()) {
            form_->entry().setFocus(kCallBox);
            render();
        }
    });
    connect(keyboardCWText_, &QLineEdit::textEdited, this, [this](const QString& text) {
        keyboardCW_->onTextEdited(text.toStdString());
        keyboardCWText_->setFocus();
        render();
    });
}

namespace {

EntryKey entryKeyOf(int key) {
    switch (key) {
        case Qt::Key_F1:
            return EntryKey::F1;
        case Qt::Key_F2:
            return EntryKey::F2;
        case Qt::Key_F3:
            return EntryKey::F3;
        case Qt::Key_F4:
            return EntryKey::F4;
        case Qt::Key_F5:
            return EntryKey::F5;
        case Qt::Key_F6:
            return EntryKey::F6;
        case Qt::Key_F7:
            return EntryKey::F7;
        case Qt::Key_F8:
            return EntryKey::F8;
        case Qt::Key_F9:
            return EntryKey::F9;
        case Qt::Key_F10:
            return EntryKey::F10;
        case Qt::Key_F11:
            return EntryKey::F11;
        case Qt::Key_F12:
            return EntryKey::F12;
        case Qt::Key_Insert:
            return EntryKey::Insert;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return EntryKey::Enter;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return EntryKey::Tab;
        case Qt::Key_Escape:
            return EntryKey::Escape;
        case Qt::Key_Up:
            return EntryKey::Up;
        case Qt::Key_Down:
            return EntryKey::Down;
        case Qt::Key_Left:
            return EntryKey::Left;
        case Qt::Key_Right:
            return EntryKey::Right;
        case Qt::Key_Home:
            return EntryKey::Home;
        case Qt::Key_End:
            return EntryKey::End;
        case Qt::Key_Backspace:
            return EntryKey::Backspace;
        case Qt::Key_Delete:
            return EntryKey::Delete;
        case Qt::Key_PageUp:
            return EntryKey::PageUp;
        case Qt::Key_PageDown:
            return EntryKey::PageDown;
        case Qt::Key_CapsLock:
            return EntryKey::CapsLock;
        default:
            return EntryKey::None;
    }
}

}  // namespace

// Keys of the entry boxes go to the entry line, which owns their text;
// what it does not handle (copy and paste, selecting with Shift) the box
// does itself.
bool LogFormWindow::entryKey(int box, const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers();
    const KeyMods held{(mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0,
                       (mods & Qt::AltModifier) != 0};
    const EntryKey k = entryKeyOf(key.key());
    const bool selecting = held.shift && (k == EntryKey::Left || k == EntryKey::Right ||
                                          k == EntryKey::Home || k == EntryKey::End);
    if (k != EntryKey::None && !selecting) {
        form_->entry().onKeyDown(box, k, held);
    } else {
        const QString text = key.text();
        if (held.ctrl || held.alt || text.size() != 1 || text[0].unicode() < 0x20 ||
            text[0].unicode() > 0x7E)
            return false;
        form_->entry().onChar(box, static_cast<char>(text[0].unicode()));
    }
    render();
    return true;
}

bool LogFormWindow::eventFilter(QObject* watched, QEvent* event) {
    const int box = watched == inData_[0]   ? kCallBox
                    : watched == inData_[1] ? kExchangeBox
                                            : kNoBox;
    if (box != kNoBox && event->type() == QEvent::KeyPress &&
        entryKey(box, *static_cast<QKeyEvent*>(event)))
        return true;
    // A click into a box moves the entry line's focus there, with what that
    // means for the dupe question; later, so no question interrupts Qt's own
    // focus change.
    if (box != kNoBox && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        QMetaObject::invokeMethod(
            this,
            [this, box] {
                form_->entry().setFocus(box);
                render();
            },
            Qt::QueuedConnection);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_CapsLock && watched == keyboardCWText_ && keyboardCW_) {
            closeKeyboardCW();
            return true;
        }
        // A key on the speed bar sends the focus back to the call box.
        if (watched == speedScroll_)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    form_->entry().setFocus(kCallBox);
                    render();
                },
                Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void LogFormWindow::closeKeyboardCW() {
    const EntryCaret back = keyboardCW_->close();
    // Hiding the focused text box lets Qt pass the focus on and select the
    // text it lands in; the caret comes back from where it was instead.
    rendering_ = true;
    renderKeyboardCW();
    rendering_ = false;
    form_->entry().setFocus(back.box);
    form_->entry().onCaret(back.box, back.caret, back.caret, 0);
    render();
}

void LogFormWindow::openKeyboardCW(int box, int caret) {
    if (!keyboardCW_ || !keyboardCW_->open({box, caret})) return;
    keyboardCWText_->clear();
    renderKeyboardCW();
    keyboardCWText_->setFocus();
}

std::string LogFormWindow::callBoxText() const {
    return form_->entry().view().InData[kCallBox].text;
}
std::string LogFormWindow::exchangeBoxText() const {
    return form_->entry().view().InData[kExchangeBox].text;
}
bool LogFormWindow::callBoxActive() const {
    return form_->entry().view().focus == kCallBox;
}

void LogFormWindow::showTxRadio(int radio) {
    form_->showTxRadio(radio);
    render();
}

void LogFormWindow::showSpeed(int) {
    renderSpeed();
}

void LogFormWindow::sendingChanged(bool sending) {
    if (keys_) keys_->holdInput(sending);
}

void LogFormWindow::showKeyerStatus(const std::string& text) {
    keyerLabel_->setText(q(text));
    keyerLabel_->setVisible(!text.empty());
}

void LogFormWindow::showCalibrationNotice(bool shown) {
    if (!shown) {
        bkgdForm_->hide();
        return;
    }
    bkgdForm_->showNotice("Please Wait...\nInitializing CW keying");
    bkgdForm_->repaint();
}

void LogFormWindow::showWelcome(const std::function<void()>& whileShown) {
    std::optional<AboutDialog> own;
    AboutDialog* welcome = std::exchange(welcome_, nullptr);
    // One shown before the window was built may be gone already: a key.
    if (!welcome) {
        welcome = &own.emplace(AboutDialog::Mode::Welcome);
        welcome->showWithoutWaiting();
    }
    whileShown();
    // A key pressed or the timer run out meanwhile closes it here.
    if (welcome->isVisible()) welcome->exec();
}

void LogFormWindow::showAbout() {
    AboutDialog about(AboutDialog::Mode::About, this);
    about.exec();
}

void LogFormWindow::showChCoForm(ChCoForm& dialog) {
    ChCoFormDialog window(dialog, this);
    window.exec();
    activateWindow();
}

void LogFormWindow::showBandMode(BandMode& dialog) {
    BandModeDialog window(dialog, this);
    window.exec();
    activateWindow();
}

void LogFormWindow::showPostContest(PostContestForm& dialog) {
    PostContestDialog window(dialog, this);
    window.exec();
    activateWindow();
}

void LogFormWindow::showSetup(Setup& dialog) {
    SetupDialog window(dialog, this);
    window.exec();
    activateWindow();
}

void LogFormWindow::storeWindowCoordinates(Settings& settings) {
    settings.WindowCoords[window_row::LogForm] = twipPlace(*this);
    if (viewMacWindow_ && viewMacWindow_->isVisible())
        settings.WindowCoords[window_row::ViewMac] = twipPlace(*viewMacWindow_);
    settings.WindowCoords[window_row::QSOStats] = twipPlace(*qsoStats_);
    settings.WindowCoords[window_row::ViewMult] = twipPlace(*viewMult_);
    settings.WindowCoords[window_row::CACTY] = twipPlace(*cacty_);
    if (audioWindow_ && audioWindow_->isVisible())
        settings.WindowCoords[window_row::Audio] = twipPlace(*audioWindow_);
}

void LogFormWindow::restorePlace(const Settings& settings) {
    restoreTwipPlace(*this, settings.WindowCoords[window_row::LogForm], true);
    // The view windows are sized by what they show: only their places.
    restoreTwipPlace(*qsoStats_, settings.WindowCoords[window_row::QSOStats], false);
    restoreTwipPlace(*viewMult_, settings.WindowCoords[window_row::ViewMult], false);
    restoreTwipPlace(*cacty_, settings.WindowCoords[window_row::CACTY], false);
}

void LogFormWindow::showViewMac(bool visible) {
    if (!visible) {
        if (viewMacWindow_) viewMacWindow_->hide();
        return;
    }
    if (!viewMacWindow_) {
        viewMac_.refresh();
        viewMacWindow_ = new ViewMacWindow(viewMac_, this);
        viewMacWindow_->setOnClosed([this] {
            form_->onViewWindowClosed(ViewWindow::CWMessages);
            render();
        });
        restoreTwipPlace(*viewMacWindow_, state_.settings.WindowCoords[window_row::ViewMac], true);
    }
    renderViewMac();
    viewMacWindow_->show();
}

void LogFormWindow::showAudio(bool visible) {
    if (!audio_) return;
    if (!visible) {
        if (audioWindow_) audioWindow_->hide();
        return;
    }
    if (!audioWindow_) {
        audioWindow_ = new AudioWindow(*audio_, this);
        audioWindow_->setOnClosed([this] {
            form_->onViewWindowClosed(ViewWindow::DVK);
            render();
        });
        // The entry box that had the focus gets it back with the window.
        audioWindow_->setOnReturnFocus([this] {
            if (isVisible() && isEnabled()) activateWindow();
        });
        restoreTwipPlace(*audioWindow_, state_.settings.WindowCoords[window_row::Audio], true);
    }
    audioWindow_->render();
    audioWindow_->show();
}

void LogFormWindow::renderViewMac() {
    if (!viewMacWindow_ || !viewMacWindow_->isVisible()) return;
    viewMac_.refresh();
    viewMacWindow_->render();
}

void LogFormWindow::onEditCW() {
    showEditMac(1, true);
}

void LogFormWindow::editMessage(int slot) {
    showEditMac(slot, false);
}

// One EditMac at a time: asked again, the open one comes to the front.
void LogFormWindow::showEditMac(int focusSlot, bool modal) {
    if (editMacDialog_) {
        editMacDialog_->raise();
        editMacDialog_->activateWindow();
        return;
    }
    editMac_ = std::make_unique<EditMac>(state_, *this);
    editMac_->load(focusSlot);
    auto* dialog = new EditMacDialog(*editMac_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    editMacDialog_ = dialog;
    if (modal) {
        dialog->exec();
        activateWindow();
    } else {
        dialog->setModal(false);
        dialog->show();
    }
}

void LogFormWindow::messagesChanged() {
    form_->writeSettings();
    renderViewMac();
}

void LogFormWindow::attachRadios(RadioSwitch& radios, MessageRepeater& repeater) {
    radios_ = &radios;
    repeater_ = &repeater;
    radios.setDisplay(*this);
    repeater.setDisplay(*this);
}

void LogFormWindow::attachTransmit(EntryTransmit& transmit) {
    transmit.setKeyboardCW([this](int box, int caret) { openKeyboardCW(box, caret); });
    form_->entry().setTransmit(transmit);
}

void LogFormWindow::showPartial() {
    partialWindow_->render();
    partialWindow_->raise();
}

void LogFormWindow::mousePressEvent(QMouseEvent* event) {
    if (form_->view().entryVisible) entryCommand(&EntryLine::onBackgroundClick);
    QMainWindow::mousePressEvent(event);
}

void LogFormWindow::showLogRadio(int radio) {
    form_->showLogRadio(radio);
    render();
}

void LogFormWindow::showRepeat(const RepeatView&) {
    renderRepeat();
}

// While a repetition runs, LabelSendingMsg stands where the local time was.
void LogFormWindow::renderRepeat() {
    const RepeatView none;
    const RepeatView& r = repeater_ ? repeater_->view() : none;
    labelSendingMsg_->setVisible(r.running);
    labelSendingMsg_->setText(q(r.label));
    labelSendingMsg_->setStyleSheet("font-weight: bold; color: " + cssColour(r.colour));
    timeLocalLabel_->setVisible(!r.running);
}

void LogFormWindow::buildClusterMenu() {
    ClusterLink& cluster = form_->cluster();
    QMenu* menu = menuBar()->addMenu("Cl&uster");
    menu->setObjectName("mnuCluster");
    mnuClusterConnect_ = addItem(menu, "mnuClusterConnect", "&Connect");
    connect(mnuClusterConnect_, &QAction::triggered, this, [this] {
        form_->cluster().connect();
        renderCluster();
    });
    mnuClusterDisconnect_ = addItem(menu, "mnuClusterDisconnect", "&Disconnect");
    connect(mnuClusterDisconnect_, &QAction::triggered, this, [this] {
        form_->cluster().disconnect();
        renderCluster();
    });
    menu->addSeparator();
    // Application-wide, so that they work from the band maps as well.
    const auto shortcut = [](QAction* action, const QKeySequence& keys) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::ApplicationShortcut);
        return action;
    };
    connect(shortcut(addItem(menu, "mnuClusterSendSpot", "&Send Spot"), QKeySequence("Alt+S")),
            &QAction::triggered, this, [this] { onSendSpot(); });
    for (const bool up : {true, false}) {
        QAction* next = addItem(menu, up ? "mnuClusterSpotUp" : "mnuClusterSpotDown",
                                up ? "Next Spot &Up" : "Next Spot Dow&n");
        connect(shortcut(next, QKeySequence(up ? "Alt+Up" : "Alt+Down")), &QAction::triggered, this,
                [this, up] {
                    if (!form_->view().entryVisible) return;
                    form_->cluster().onNextSpot(state_.LogRadio, up);
                    render();
                });
    }
    menu->addSeparator();
    console_ = new ClusterConsoleWindow(cluster, this);
    connect(addItem(menu, "mnuClusterConsole", "C&onsole"), &QAction::triggered, this,
            [this] { console_->show(); });
    for (int radio = 1; radio <= 2; ++radio) {
        auto* map = new BandMapWindow(
            cluster, radio, [this] { render(); }, this);
        bandMaps_[static_cast<std::size_t>(radio - 1)] = map;
        connect(addItem(menu, radio == 1 ? "mnuClusterBandMap1" : "mnuClusterBandMap2",
                        QString("&Band Map R%1").arg(radio)),
                &QAction::triggered, this, [map] {
                    map->render();
                    map->show();
                });
    }
}

void LogFormWindow::renderCluster() {
    const ClusterView& v = form_->cluster().view();
    clusterLabel_->setText(q(v.status));
    mnuClusterConnect_->setEnabled(v.connectEnabled);
    mnuClusterDisconnect_->setEnabled(v.disconnectEnabled);
    console_->render();
    for (BandMapWindow* map : bandMaps_)
        if (map->isVisible()) map->render();
}

void LogFormWindow::onSendSpot() {
    const std::optional<std::string> draft = form_->cluster().spotDraft();
    if (!draft) return;
    const std::optional<std::string> edited = editSpot(*draft, this);
    if (edited) form_->cluster().sendSpot(*edited);
    activateWindow();
    render();
}

void LogFormWindow::buildViewWindows(Platform& platform) {
    const auto closed = [this](ViewWindow window) {
        return [this, window] {
            form_->onViewWindowClosed(window);
            render();
        };
    };
    qsoStats_ = new QSOStatsWindow(*form_, closed(ViewWindow::QSOStats), this);
    viewMult_ = new ViewMultWindow(*form_, closed(ViewWindow::Multipliers), this);
    cacty_ = new CACTYWindow(*form_, closed(ViewWindow::CACounties), this);
    viewlog_ = new ViewlogWindow(state_, platform, *form_, closed(ViewWindow::Log), this);
}

QWidget* LogFormWindow::viewWindow(ViewWindow window) const {
    switch (window) {
        case ViewWindow::QSOStats:
            return qsoStats_;
        case ViewWindow::Multipliers:
            return viewMult_;
        case ViewWindow::CACounties:
            return cacty_;
        case ViewWindow::Log:
            return viewlog_;
        default:
            return nullptr;
    }
}

void LogFormWindow::setViewWindowVisible(ViewWindow window, bool visible) {
    if (window == ViewWindow::CWMessages) {
        showViewMac(visible);
        return;
    }
    if (window == ViewWindow::DVK) {
        showAudio(visible);
        return;
    }
    // Hiding the log viewer brings its edits into the totals.
    if (window == ViewWindow::Log && !visible) {
        viewlog_->closeViewer();
        return;
    }
    QWidget* shown = viewWindow(window);
    if (!shown) return;
    refreshStatistics();
    shown->setVisible(visible);
    // The operator goes on typing in the entry line.
    if (visible && isVisible()) {
        activateWindow();
        inData_[0]->setFocus();
    }
}

void LogFormWindow::refreshStatistics() {
    qsoStats_->render();
    viewMult_->render();
    cacty_->render();
    viewlog_->render();
}

void LogFormWindow::closeEvent(QCloseEvent* event) {
    if (exitConfirmed_ || form_->requestExit()) {
        exitConfirmed_ = true;
        event->accept();
        return;
    }
    event->ignore();
    render();
}

void LogFormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) form_->onResize(isMinimized());
    QMainWindow::changeEvent(event);
}

bool LogFormWindow::editQso(int n) {
    return EditLogDialog::edit(state_, platform_, n, this);
}

}  // namespace keslog
