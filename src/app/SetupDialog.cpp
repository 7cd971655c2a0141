#include "app/SetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>

#include "model/Text.h"

namespace keslog {

namespace {

std::size_t at(SetupBox b) {
    return static_cast<std::size_t>(b);
}

std::size_t at(SetupList l) {
    return static_cast<std::size_t>(l);
}

QGroupBox* frame(const char* name, const char* caption, QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    return group;
}

// A tab page holding its frames one under the other.
QWidget* page(std::initializer_list<QWidget*> frames) {
    auto* widget = new QWidget();
    auto* layout = new QVBoxLayout(widget);
    for (QWidget* f : frames) {
        f->setParent(widget);
        layout->addWidget(f);
    }
    layout->addStretch(1);
    return widget;
}

void setEditText(QComboBox* combo, const std::string& text) {
    if (combo->currentText() == q(text)) return;
    const QSignalBlocker block(combo);
    combo->setEditText(q(text));
}

void setText(QLineEdit* edit, const std::string& text) {
    if (edit->text() != q(text)) edit->setText(q(text));
}

// A line edit that hands each edit to the form.
QLineEdit* textBox(const QString& name, const char* placeholder, QWidget* parent,
                   std::function<void(const std::string&)> edited) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    QObject::connect(edit, &QLineEdit::textEdited, parent,
                     [edited](const QString& text) { edited(text.toStdString()); });
    return edit;
}

}  // namespace

SetupDialog::SetupDialog(Setup& form, QWidget* parent) : FormDialog(form, parent) {
    setObjectName("Setup");
    auto* outer = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SSTab1");
    tabs_->setUsesScrollButtons(false);  // every tab in sight, as on a tab strip
    const auto& captions = form_.view().tabCaptions;
    QWidget* pages[] = {generalTab(), lookbackTab(), cwDvkTab(),   radioTab(),  keyMappingsTab(),
                        enterTab(),   twoRadioTab(), devicesTab(), networkTab()};
    for (std::size_t i = 0; i < captions.size(); ++i) tabs_->addTab(pages[i], q(captions[i]));
    connect(tabs_, &QTabWidget::currentChanged, this,
            [this](int index) { form_.onTab(static_cast<SetupTab>(index)); });
    outer->addWidget(tabs_);
    addOkCancel(outer, "cmdOK", "cmdCancel");
    render();
}

QCheckBox* SetupDialog::box(SetupBox which, const char* name, const char* caption,
                            QWidget* parent) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    connect(check, &QCheckBox::clicked, this, [this, which](bool ticked) {
        form_.onBox(which, ticked);
        afterEvent();
    });
    boxes_[at(which)] = check;
    return check;
}

QComboBox* SetupDialog::list(SetupList which, const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    connect(combo, &QComboBox::activated, this, [this, which](int position) {
        form_.onList(which, position);
        afterEvent();
    });
    lists_[at(which)] = combo;
    return combo;
}

QRadioButton* SetupDialog::option(const char* name, const char* caption, QWidget* parent,
                                  std::function<void()> onClick) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    connect(button, &QRadioButton::clicked, this, [this, onClick = std::move(onClick)] {
        onClick();
        afterEvent();
    });
    return button;
}

QScrollBar* SetupDialog::spinner(int radio, const char* name, QWidget* parent) {
    auto* scroll = new QScrollBar(Qt::Vertical, parent);
    scroll->setObjectName(name);
    scroll->setRange(0, 2);
    scroll->setValue(1);
    scroll->setFixedHeight(36);
    connect(scroll, &QScrollBar::valueChanged, this, [this, scroll, radio](int value) {
        // Upward is the lower value; the bar goes back to the middle unseen.
        form_.onDelaySpin(radio, value < 1 ? 1 : -1);
        const QSignalBlocker block(scroll);
        scroll->setValue(1);
        afterEvent();
    });
    return scroll;
}

QWidget* SetupDialog::generalTab() {
    auto* general = frame("FrameGeneral", "General", this);
    auto* grid = new QGridLayout(general);
    grid->addWidget(new QLabel("Your Call:", general), 0, 0);
    callBox_ = new QLineEdit(general);
    callBox_->setObjectName("CallBox");
    connect(callBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.onCallBox(text.toStdString()); });
    grid->addWidget(callBox_, 0, 1);
    grid->addWidget(box(SetupBox::DupeBeep, "DupeBeepBox", "Beep for Dupe", general), 1, 0, 1, 2);
    auto* backup = frame("FrameBackup", "Backup Folder", general);
    auto* backupLayout = new QVBoxLayout(backup);
    comboBackup_ = new QComboBox(backup);
    comboBackup_->setObjectName("ComboBackup");
    comboBackup_->setEditable(true);
    comboBackup_->addItem("[none]");
    connect(comboBackup_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { form_.onBackup(text.toStdString()); });
    backupLayout->addWidget(comboBackup_);
    grid->addWidget(backup, 2, 0, 1, 2);

    auto* time = frame("FrameTime", "Time Setup", this);
    auto* timeLayout = new QGridLayout(time);
    timeLayout->addWidget(new QLabel("Computer is set to:", time), 0, 0);
    buttonTimeSet_[0] = option("ButtonTimeSet0", "GMT", time, [this] { form_.onTimeSet(true); });
    buttonTimeSet_[1] =
        option("ButtonTimeSet1", "Local time", time, [this] { form_.onTimeSet(false); });
    timeLayout->addWidget(buttonTimeSet_[0], 0, 1);
    timeLayout->addWidget(buttonTimeSet_[1], 0, 2);
    timeScroll_ = new QScrollBar(Qt::Horizontal, time);
    timeScroll_->setObjectName("TimeScroll");
    timeScroll_->setRange(-kMaxTimeCorrection, kMaxTimeCorrection);
    connect(timeScroll_, &QScrollBar::valueChanged, this, [this](int hours) {
        form_.onTimeScroll(hours);
        afterEvent();
    });
    timeLabel_ = new QLabel(time);
    timeLabel_->setObjectName("TimeLabel");
    timeLabel_->setMinimumWidth(30);
    timeLayout->addWidget(timeScroll_, 1, 0, 1, 2);
    timeLayout->addWidget(timeLabel_, 1, 2);
    auto* note = new QLabel(
        "Set hours to add to local time to get GMT (e.g.,  PST=8,  PDST=7, EST=5)", time);
    note->setWordWrap(true);
    timeLayout->addWidget(note, 2, 0, 1, 3);
    return page({general, time});
}

QWidget* SetupDialog::lookbackTab() {
    auto* insta = frame("FrameInsta", "Apply Lookback to:", this);
    auto* layout = new QGridLayout(insta);
    layout->addWidget(box(SetupBox::CurrentCalls, "CurrentCallsBox", "Current Log", insta), 0, 0);
    layout->addWidget(box(SetupBox::OldCalls, "OldCallsBox", "Former Logs", insta), 1, 0);
    selectButton_ = new QPushButton("Select", insta);
    selectButton_->setObjectName("SelectButton");
    saveButton_ = new QPushButton("Save", insta);
    saveButton_->setObjectName("SaveButton");
    connect(selectButton_, &QPushButton::clicked, this, [this] {
        form_.onSelect();
        afterEvent();
    });
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        form_.onSave();
        afterEvent();
    });
    layout->addWidget(selectButton_, 1, 1);
    layout->addWidget(saveButton_, 1, 2);
    lookbackLabel_ = new QLabel(insta);
    lookbackLabel_->setObjectName("LookbackLabel");
    layout->addWidget(lookbackLabel_, 2, 0, 1, 3);
    return page({insta, callDataFrame()});
}

QPushButton* SetupDialog::chooseButton(const char* name, QWidget* parent, void (Setup::*choose)()) {
    auto* button = new QPushButton("Choose...", parent);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, [this, choose] {
        std::invoke(choose, form_);
        afterEvent();
    });
    return button;
}

QGroupBox* SetupDialog::callDataFrame() {
    auto* calls = frame("FrameCallData", "Check Partial and Call History", this);
    auto* grid = new QGridLayout(calls);
    grid->addWidget(new QLabel("Database (\"none\": off):", calls), 0, 0);
    scpFile_ = new QLineEdit(calls);
    scpFile_->setObjectName("ScpFileBox");
    connect(scpFile_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.onScpFile(text.toStdString()); });
    grid->addWidget(scpFile_, 0, 1, 1, 2);
    grid->addWidget(chooseButton("ScpChooseButton", calls, &Setup::onChooseScpFile), 0, 3);

    grid->addWidget(new QLabel("Call history for:", calls), 1, 0);
    historyContest_ = new QComboBox(calls);
    historyContest_->setObjectName("HistoryContestCombo");
    for (const ContestInfo& c : contestCatalog())
        historyContest_->addItem(q(std::string(trim(c.shortName))));
    connect(historyContest_, &QComboBox::activated, this, [this](int index) {
        form_.onHistoryContest(index);
        afterEvent();
    });
    grid->addWidget(historyContest_, 1, 1);
    historyFile_ = new QLineEdit(calls);
    historyFile_->setObjectName("HistoryFileBox");
    connect(historyFile_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.onHistoryFile(text.toStdString()); });
    grid->addWidget(historyFile_, 1, 2);
    grid->addWidget(chooseButton("HistoryChooseButton", calls, &Setup::onChooseHistoryFile), 1, 3);
    grid->setColumnStretch(2, 1);
    return calls;
}

QWidget* SetupDialog::cwDvkTab() {
    auto* cw = frame("FrameCW", "CW Sending", this);
    auto* grid = new QGridLayout(cw);
    grid->addWidget(box(SetupBox::CWActivate, "CWActivatebox", "Activated", cw), 0, 0);
    portLabel_ = new QLabel("Port:", cw);
    grid->addWidget(portLabel_, 0, 1, Qt::AlignRight);
    grid->addWidget(list(SetupList::CWPort, "ComboCWPort", cw), 0, 2);
    grid->addWidget(box(SetupBox::Speaker, "CheckSpeaker", "Speaker On", cw), 1, 0);
    optionSpeaker_[0] =
        option("OptionSpeaker0", "Sound Card", cw, [this] { form_.onSpeakerOption(true); });
    optionSpeaker_[1] =
        option("OptionSpeaker1", "PC Speaker", cw, [this] { form_.onSpeakerOption(false); });
    grid->addWidget(optionSpeaker_[0], 1, 1);
    grid->addWidget(optionSpeaker_[1], 1, 2);
    grid->addWidget(box(SetupBox::TypingOK, "CheckTypingOK", "Type While Sending", cw), 2, 0);
    grid->addWidget(box(SetupBox::Autodupe, "Autodupebox", "Autodupe", cw), 2, 1);
    weightCaption_ = new QLabel("Weight:", cw);
    weightLabel_ = new QLabel(cw);
    weightLabel_->setObjectName("Weightlabel");
    weightScroll_ = new QScrollBar(Qt::Horizontal, cw);
    weightScroll_->setObjectName("WeightScroll");
    weightScroll_->setRange(kMinWeightScroll, kMaxWeightScroll);
    weightScroll_->setMinimumWidth(120);
    connect(weightScroll_, &QScrollBar::valueChanged, this, [this](int tenths) {
        form_.onWeightScroll(tenths);
        afterEvent();
    });
    grid->addWidget(weightCaption_, 3, 0);
    grid->addWidget(weightLabel_, 3, 1);
    grid->addWidget(weightScroll_, 3, 2);

    auto* dvk = frame("FrameDVK", "Digital Voice Keyer (DVK)", this);
    auto* dvkLayout = new QVBoxLayout(dvk);
    dvkLayout->addWidget(
        box(SetupBox::DVK, "Check4", "Activate for Sending Messages (CQ's, etc)", dvk));

    auto* repeat = frame("FrameRepeat", "Repeat Interval (msec)", this);
    auto* repeatLayout = new QHBoxLayout(repeat);
    repeatLayout->addWidget(new QLabel("CW:", repeat));
    repeatLayout->addWidget(list(SetupList::RepeatCW, "ComboRepeatCW", repeat));
    repeatLayout->addWidget(new QLabel("SSB:", repeat));
    repeatLayout->addWidget(list(SetupList::RepeatSSB, "ComboRepeatSSB", repeat));
    for (const SetupList l : {SetupList::RepeatCW, SetupList::RepeatSSB})
        for (int ms : kRepeatIntervals) lists_[at(l)]->addItem(QString::number(ms));
    for (const std::string_view name : kPortNames)
        lists_[at(SetupList::CWPort)]->addItem(q(std::string(name)));
    return page({cw, dvk, repeat});
}

QWidget* SetupDialog::radioTab() {
    auto* radio = frame("FrameRadio", "", this);
    auto* grid = new QGridLayout(radio);
    const struct {
        SetupBox box;
        const char* boxName;
        const char* caption;
        SetupList list;
        const char* listName;
    } rows[] = {
        {SetupBox::CWPTT, "CheckCWPTT", "CW PTT On", SetupList::CWPTTPort, "ComboCWPTTPort"},
        {SetupBox::SSBPTT, "CheckSSBPTT", "SSB PTT On", SetupList::SSBPTTPort, "ComboSSBPTTPort"},
        {SetupBox::F9, "CheckF9", "SO2R Switch On (F9)", SetupList::F9Port, "ComboF9Port"},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(box(r.box, r.boxName, r.caption, radio), row, 0);
        QComboBox* ports = list(r.list, r.listName, radio);
        for (const std::string_view name : kPortNames) ports->addItem(q(std::string(name)));
        grid->addWidget(ports, row++, 1);
    }
    delayCaption_ = new QLabel("R1  CW PTT Delay  R2", radio);
    grid->addWidget(delayCaption_, row++, 0, 1, 2);
    auto* delays = new QHBoxLayout();
    for (int r = 0; r < 2; ++r) {
        delayScroll_[static_cast<std::size_t>(r)] =
            spinner(r + 1, r == 0 ? "ScrollR1Delay" : "ScrollR2Delay", radio);
        delayLabel_[static_cast<std::size_t>(r)] = new QLabel(radio);
        delayLabel_[static_cast<std::size_t>(r)]->setObjectName(r == 0 ? "LabelR1Delay"
                                                                       : "LabelR2Delay");
        delays->addWidget(delayLabel_[static_cast<std::size_t>(r)]);
        delays->addWidget(delayScroll_[static_cast<std::size_t>(r)]);
        delays->addSpacing(24);
    }
    delays->addStretch(1);
    grid->addLayout(delays, row, 0, 1, 2);
    return page({radio});
}

QWidget* SetupDialog::keyMappingsTab() {
    auto* keys = frame("FrameKeyMap", "Key Map", this);
    auto* grid = new QGridLayout(keys);
    grid->addWidget(box(SetupBox::Key1, "CheckKey1", "Insert Key", keys), 0, 0);
    grid->addWidget(list(SetupList::Key1, "ComboKey1", keys), 0, 1);
    grid->addWidget(box(SetupBox::Key2, "CheckKey2", "F9 Key", keys), 1, 0);
    grid->addWidget(list(SetupList::Key2, "ComboKey2", keys), 1, 1);
    for (const SetupList l : {SetupList::Key1, SetupList::Key2})
        for (const char* caption : kKeyMappingCaptions) lists_[at(l)]->addItem(caption);
    return page({keys});
}

QWidget* SetupDialog::enterTab() {
    auto* enter = frame("FrameEnter", "", this);
    auto* layout = new QVBoxLayout(enter);
    layout->addWidget(
        box(SetupBox::SendF1, "CheckSendF1", "Send F1 when callsign box is empty", enter));
    layout->addWidget(box(SetupBox::LogandSendF5, "CheckLogandSendF5",
                          "Log QSO and send F5 automatically", enter));
    optionLog_[0] =
        option("OptionLog0", "Log first then send F5", enter, [this] { form_.onLogOption(true); });
    optionLog_[1] =
        option("OptionLog1", "Send F5 first then log", enter, [this] { form_.onLogOption(false); });
    layout->addWidget(optionLog_[0]);
    layout->addWidget(optionLog_[1]);
    return page({enter});
}

QWidget* SetupDialog::twoRadioTab() {
    auto* cqs = frame("FrameCQs", "Two-Radio CQs", this);
    auto* grid = new QGridLayout(cqs);
    grid->addWidget(new QLabel("Total CQs:", cqs), 0, 0);
    grid->addWidget(list(SetupList::CQsNumber, "ComboCQsNumber", cqs), 0, 1);
    grid->addWidget(new QLabel("Interval (msec):", cqs), 1, 0);
    grid->addWidget(list(SetupList::CQsInterval, "ComboCQsInterval", cqs), 1, 1);
    for (int n : kDualCQsNumbers) lists_[at(SetupList::CQsNumber)]->addItem(QString::number(n));
    for (int ms : kDualCQsIntervals)
        lists_[at(SetupList::CQsInterval)]->addItem(QString::number(ms));
    return page({cqs});
}

QWidget* SetupDialog::devicesTab() {
    auto* frameDevices = frame("FrameDevices", "Port Devices", this);
    auto* grid = new QGridLayout(frameDevices);
    const SetupView& v = form_.view();
    const char* names[] = {"Com1", "Com2", "LPT1", "LPT2"};
    for (int i = 0; i < 4; ++i) {
        const auto port = static_cast<PortDevice>(i);
        auto* combo = new QComboBox(frameDevices);
        combo->setObjectName(QString("Combo%1Device").arg(names[i]));
        combo->setEditable(true);
        combo->setMinimumWidth(220);
        for (const std::string& path : i < 2 ? v.serialDevices : v.parallelDevices)
            combo->addItem(q(path));
        connect(combo, &QComboBox::editTextChanged, this,
                [this, port](const QString& text) { form_.onDevice(port, text.toStdString()); });
        grid->addWidget(new QLabel(QString("%1:").arg(names[i]), frameDevices), i, 0);
        grid->addWidget(combo, i, 1);
        devices_[static_cast<std::size_t>(i)] = combo;
    }
    auto* note = new QLabel(
        "The device file behind each port name; the lists hold the serial and parallel "
        "ports this computer has now.",
        frameDevices);
    note->setWordWrap(true);
    grid->addWidget(note, 4, 0, 1, 2);

    auto* frameRigs = frame("FrameRigControl", "Rig Control", this);
    auto* rigGrid = new QGridLayout(frameRigs);
    for (int r = 0; r < 2; ++r) {
        const int radio = r + 1;
        auto* box = new QCheckBox(QString("Radio %1 through rigctld at").arg(radio), frameRigs);
        box->setObjectName(QString("CheckRig%1").arg(radio));
        connect(box, &QCheckBox::toggled, this, [this, radio](bool on) {
            form_.onRigControl(radio, on);
            render();
        });
        auto* address =
            textBox(QString("TextRig%1Address").arg(radio), "127.0.0.1:4532", frameRigs,
                    [this, radio](const std::string& text) { form_.onRigAddress(radio, text); });
        rigGrid->addWidget(box, 2 * r, 0);
        rigGrid->addWidget(address, 2 * r, 1);
        const auto i = static_cast<std::size_t>(r);
        rigControl_[i] = box;
        rigAddress_[i] = address;

        // Below it: the rigctld KESLOG runs for the radio itself.
        auto* startRow = new QHBoxLayout();
        rigStart_[i] = new QCheckBox("Start rigctld for me: model", frameRigs);
        rigStart_[i]->setObjectName(QString("CheckRig%1Start").arg(radio));
        connect(rigStart_[i], &QCheckBox::toggled, this, [this, radio](bool on) {
            form_.onRigStart(radio, on);
            render();
        });
        rigModel_[i] =
            textBox(QString("TextRig%1Model").arg(radio), "", frameRigs,
                    [this, radio](const std::string& text) { form_.onRigModel(radio, text); });
        rigModel_[i]->setMaximumWidth(70);
        rigDevice_[i] = new QComboBox(frameRigs);
        rigDevice_[i]->setObjectName(QString("ComboRig%1Device").arg(radio));
        rigDevice_[i]->setEditable(true);
        rigDevice_[i]->setMinimumWidth(160);
        for (const std::string& path : v.serialDevices) rigDevice_[i]->addItem(q(path));
        connect(
            rigDevice_[i], &QComboBox::editTextChanged, this,
            [this, radio](const QString& text) { form_.onRigDevice(radio, text.toStdString()); });
        rigDeviceLabel_[i] = new QLabel("device", frameRigs);
        startRow->addSpacing(24);
        startRow->addWidget(rigStart_[i]);
        startRow->addWidget(rigModel_[i]);
        startRow->addWidget(rigDeviceLabel_[i]);
        startRow->addWidget(rigDevice_[i], 1);
        rigGrid->addLayout(startRow, 2 * r + 1, 0, 1, 2);
    }
    rigPoll_ = new QSpinBox(frameRigs);
    rigPoll_->setObjectName("SpinRigPoll");
    rigPoll_->setRange(kMinRigPollInterval, kMaxRigPollInterval);
    rigPoll_->setSingleStep(100);
    rigPoll_->setSuffix(" ms");
    connect(rigPoll_, &QSpinBox::valueChanged, this,
            [this](int ms) { form_.onRigPollInterval(ms); });
    rigGrid->addWidget(new QLabel("Ask each rig every:", frameRigs), 4, 0);
    rigGrid->addWidget(rigPoll_, 4, 1);

    auto* frameBroadcast = frame("FrameBroadcast", "Broadcast to Station Tools", this);
    auto* broadcastRow = new QHBoxLayout(frameBroadcast);
    broadcast_ = new QCheckBox("Send radio and QSO packets (UDP) to", frameBroadcast);
    broadcast_->setObjectName("CheckBroadcast");
    connect(broadcast_, &QCheckBox::toggled, this, [this](bool on) {
        form_.onBroadcast(on);
        render();
    });
    broadcastAddress_ =
        textBox("TextBroadcastAddress", "127.0.0.1", frameBroadcast,
                [this](const std::string& text) { form_.onBroadcastAddress(text); });
    broadcastPort_ = textBox("TextBroadcastPort", "12060", frameBroadcast,
                             [this](const std::string& text) { form_.onBroadcastPort(text); });
    broadcastPort_->setMaximumWidth(70);
    broadcastRow->addWidget(broadcast_);
    broadcastRow->addWidget(broadcastAddress_, 1);
    broadcastRow->addWidget(new QLabel("port", frameBroadcast));
    broadcastRow->addWidget(broadcastPort_);
    return page({frameDevices, frameRigs, frameBroadcast, keyersFrame()});
}

QWidget* SetupDialog::networkTab() {
    auto* frameCluster = frame("FrameCluster", "DX Cluster", this);
    auto* grid = new QGridLayout(frameCluster);
    const auto line = [&](const char* name, const char* caption, int row,
                          void (Setup::*edited)(const std::string&)) {
        auto* box = new QLineEdit(frameCluster);
        box->setObjectName(name);
        connect(box, &QLineEdit::textEdited, this,
                [this, edited](const QString& text) { (form_.*edited)(text.toStdString()); });
        grid->addWidget(new QLabel(caption, frameCluster), row, 0);
        grid->addWidget(box, row, 1);
        return box;
    };
    clusterHost_ = line("TextClusterHost", "Host:", 0, &Setup::onClusterHost);
    clusterPort_ = line("TextClusterPort", "Port:", 1, &Setup::onClusterPort);
    clusterPort_->setPlaceholderText("7300");
    clusterCall_ = line("TextClusterCall", "Login call:", 2, &Setup::onClusterCall);
    clusterPassword_ = line("TextClusterPassword", "Password:", 3, &Setup::onClusterPassword);
    clusterPassword_->setEchoMode(QLineEdit::Password);
    clusterPassword_->setPlaceholderText("(none)");
    clusterCommands_ = new QPlainTextEdit(frameCluster);
    clusterCommands_->setObjectName("TextClusterCommands");
    clusterCommands_->setTabChangesFocus(true);
    clusterCommands_->setMaximumHeight(90);
    connect(clusterCommands_, &QPlainTextEdit::textChanged, this,
            [this] { form_.onClusterCommands(clusterCommands_->toPlainText().toStdString()); });
    grid->addWidget(new QLabel("Commands after login,\none a line:", frameCluster), 4, 0,
                    Qt::AlignTop);
    grid->addWidget(clusterCommands_, 4, 1);
    clusterAtStart_ = new QCheckBox("Connect at start", frameCluster);
    clusterAtStart_->setObjectName("CheckClusterAtStart");
    connect(clusterAtStart_, &QCheckBox::toggled, this,
            [this](bool on) { form_.onClusterConnectAtStart(on); });
    grid->addWidget(clusterAtStart_, 5, 1);
    clusterSpotMinutes_ = new QSpinBox(frameCluster);
    clusterSpotMinutes_->setObjectName("SpinClusterSpotMinutes");
    clusterSpotMinutes_->setRange(kMinClusterSpotMinutes, kMaxClusterSpotMinutes);
    clusterSpotMinutes_->setSuffix(" min");
    connect(clusterSpotMinutes_, &QSpinBox::valueChanged, this,
            [this](int minutes) { form_.onClusterSpotMinutes(minutes); });
    grid->addWidget(new QLabel("Band-map spots kept:", frameCluster), 6, 0);
    grid->addWidget(clusterSpotMinutes_, 6, 1, Qt::AlignLeft);
    return page({frameCluster});
}

QWidget* SetupDialog::keyersFrame() {
    auto* frameKeyers = frame("FrameCWKeyer", "CW Keying Device", this);
    auto* grid = new QGridLayout(frameKeyers);
    const SetupView& v = form_.view();
    for (int radio = 1; radio <= 2; ++radio) {
        const auto r = static_cast<std::size_t>(radio - 1);
        auto* kind = new QComboBox(frameKeyers);
        kind->setObjectName(QString("ComboKeyer%1").arg(radio));
        for (const char* caption : kKeyerCaptions) kind->addItem(caption);
        connect(kind, &QComboBox::currentIndexChanged, this, [this, radio](int index) {
            form_.onKeyer(radio, static_cast<KeyerChoice::Kind>(index));
            render();
        });
        auto* device = new QComboBox(frameKeyers);
        device->setObjectName(QString("ComboKeyer%1Device").arg(radio));
        device->setEditable(true);
        device->setMinimumWidth(160);
        for (const std::string& path : v.serialDevices) device->addItem(q(path));
        connect(device, &QComboBox::editTextChanged, this, [this, radio](const QString& text) {
            form_.onKeyerDevice(radio, text.toStdString());
        });
        auto* address = new QLineEdit(frameKeyers);
        address->setObjectName(QString("TextKeyer%1Address").arg(radio));
        connect(address, &QLineEdit::textEdited, this, [this, radio](const QString& text) {
            form_.onKeyerAddress(radio, text.toStdString());
        });
        grid->addWidget(new QLabel(QString("Radio %1:").arg(radio), frameKeyers), radio - 1, 0);
        grid->addWidget(kind, radio - 1, 1);
        grid->addWidget(device, radio - 1, 2);
        grid->addWidget(address, radio - 1, 2);
        keyerKind_[r] = kind;
        keyerDevice_[r] = device;
        keyerAddress_[r] = address;
    }
    keyerPot_ = new QCheckBox(kKeyerPotCaption, frameKeyers);
    keyerPot_->setObjectName("CheckKeyerPot");
    connect(keyerPot_, &QCheckBox::toggled, this, [this](bool on) { form_.onKeyerPot(on); });
    grid->addWidget(keyerPot_, 2, 1, 1, 2);
    return frameKeyers;
}

void SetupDialog::render() {
    const SetupView& v = form_.view();
    setWindowTitle(q(v.title));
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(static_cast<int>(v.tab));
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setChecked(v.box[i]);
    for (std::size_t i = 0; i < lists_.size(); ++i) lists_[i]->setCurrentIndex(v.list[i]);

    if (callBox_->text() != q(v.CallBox)) callBox_->setText(q(v.CallBox));
    setEditText(comboBackup_, v.ComboBackup);
    buttonTimeSet_[0]->setChecked(v.gmt);
    buttonTimeSet_[1]->setChecked(!v.gmt);
    {
        const QSignalBlocker block(timeScroll_);
        timeScroll_->setValue(v.TimeScroll);
    }
    timeLabel_->setText(q(v.TimeLabel));
    lookbackLabel_->setText(q(v.LookbackLabel));
    selectButton_->setEnabled(v.lookbackButtonsEnabled);
    saveButton_->setEnabled(v.lookbackButtonsEnabled);
    if (scpFile_->text() != q(v.ScpFile)) scpFile_->setText(q(v.ScpFile));
    historyContest_->setCurrentIndex(v.historyContest);
    const QString history = q(v.CallHistoryFile[static_cast<std::size_t>(v.historyContest)]);
    if (historyFile_->text() != history) historyFile_->setText(history);

    for (QWidget* w : std::initializer_list<QWidget*>{
             portLabel_, lists_[at(SetupList::CWPort)], boxes_[at(SetupBox::Speaker)],
             boxes_[at(SetupBox::TypingOK)], boxes_[at(SetupBox::Autodupe)], weightCaption_,
             weightLabel_, weightScroll_})
        w->setEnabled(v.cwControlsEnabled);
    optionSpeaker_[0]->setChecked(v.soundCard);
    optionSpeaker_[1]->setChecked(!v.soundCard);
    for (QRadioButton* b : optionSpeaker_) b->setEnabled(v.speakerOptionsEnabled);
    {
        const QSignalBlocker block(weightScroll_);
        weightScroll_->setValue(v.WeightScroll);
    }
    weightLabel_->setText(q(v.Weightlabel));

    lists_[at(SetupList::CWPTTPort)]->setEnabled(v.cwPttPortEnabled);
    lists_[at(SetupList::SSBPTTPort)]->setEnabled(v.ssbPttPortEnabled);
    lists_[at(SetupList::F9Port)]->setEnabled(v.f9PortEnabled);
    delayCaption_->setEnabled(v.delaysEnabled);
    for (std::size_t r = 0; r < 2; ++r) {
        delayLabel_[r]->setText(QString::number(v.delay[r]));
        delayLabel_[r]->setEnabled(v.delaysEnabled);
        delayScroll_[r]->setEnabled(v.delaysEnabled);
    }

    optionLog_[0]->setChecked(v.logFirst);
    optionLog_[1]->setChecked(!v.logFirst);
    for (std::size_t i = 0; i < devices_.size(); ++i) setEditText(devices_[i], v.device[i]);
    for (std::size_t r = 0; r < 2; ++r) {
        const QSignalBlocker block(rigControl_[r]);
        rigControl_[r]->setChecked(v.rigControlled[r]);
        if (rigAddress_[r]->text() != q(v.rigAddress[r]))
            rigAddress_[r]->setText(q(v.rigAddress[r]));
        rigAddress_[r]->setEnabled(v.rigControlled[r]);
        const QSignalBlocker blockStart(rigStart_[r]);
        rigStart_[r]->setChecked(v.rigStart[r]);
        rigStart_[r]->setEnabled(v.rigControlled[r]);
        const bool starting = v.rigControlled[r] && v.rigStart[r];
        setText(rigModel_[r], v.rigModel[r]);
        setEditText(rigDevice_[r], v.rigDevice[r]);
        for (QWidget* w :
             std::initializer_list<QWidget*>{rigModel_[r], rigDevice_[r], rigDeviceLabel_[r]})
            w->setEnabled(starting);
    }
    {
        const QSignalBlocker block(rigPoll_);
        rigPoll_->setValue(v.rigPollInterval);
    }
    const QSignalBlocker block(broadcast_);
    broadcast_->setChecked(v.broadcastOn);
    setText(broadcastAddress_, v.broadcastAddress);
    setText(broadcastPort_, v.broadcastPort);
    broadcastAddress_->setEnabled(v.broadcastOn);
    broadcastPort_->setEnabled(v.broadcastOn);

    const auto show = [](QLineEdit* box, const std::string& text) {
        if (box->text() != q(text)) box->setText(q(text));
    };
    show(clusterHost_, v.clusterHost);
    show(clusterPort_, v.clusterPort);
    show(clusterCall_, v.clusterCall);
    clusterCall_->setPlaceholderText(q(v.stationCall));
    show(clusterPassword_, v.clusterPassword);
    if (clusterCommands_->toPlainText() != q(v.clusterCommands)) {
        const QSignalBlocker block(clusterCommands_);
        clusterCommands_->setPlainText(q(v.clusterCommands));
    }
    const QSignalBlocker blockAtStart(clusterAtStart_);
    clusterAtStart_->setChecked(v.clusterConnectAtStart);
    const QSignalBlocker blockMinutes(clusterSpotMinutes_);
    clusterSpotMinutes_->setValue(v.clusterSpotMinutes);

    for (std::size_t r = 0; r < 2; ++r) {
        const QSignalBlocker blockKind(keyerKind_[r]);
        keyerKind_[r]->setCurrentIndex(static_cast<int>(v.keyerKind[r]));
        setEditText(keyerDevice_[r], v.keyerDevice[r]);
        keyerDevice_[r]->setVisible(v.keyerKind[r] == KeyerChoice::Kind::WinKeyer);
        if (keyerAddress_[r]->text() != q(v.keyerAddress[r]))
            keyerAddress_[r]->setText(q(v.keyerAddress[r]));
        keyerAddress_[r]->setVisible(v.keyerKind[r] == KeyerChoice::Kind::CwDaemon);
    }
    const QSignalBlocker blockPot(keyerPot_);
    keyerPot_->setChecked(v.keyerPot);
}

}  // namespace keslog
