#include "app/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "storage/LogNames.h"

namespace keslog {

namespace {

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Stop:
            return QMessageBox::Critical;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgResult result;
};

std::vector<ButtonChoice> buttonsOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::YesNo:
            return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
        case MsgButtons::YesNoCancel:
            return {{QMessageBox::Yes, MsgResult::Yes},
                    {QMessageBox::No, MsgResult::No},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::OkCancel:
            return {{QMessageBox::Ok, MsgResult::Ok}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::RetryCancel:
            return {{QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::Ok:
            break;
    }
    return {{QMessageBox::Ok, MsgResult::Ok}};
}

// "Log Files (*.KSL)|*.KSL|All Files|*.*" -> "Log Files (*.KSL);;All Files (*.*)"
QString qtFilter(const std::string& filter) {
    const QStringList parts = q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        const QString& pattern = parts[i + 1];
        out << (name.contains('(') ? name : name + " (" + pattern + ")");
    }
    return out.join(";;");
}

QString startPath(const FileDialogRequest& r) {
    QString name = q(r.fileName);
    if (name.contains('*')) name.clear();
    return q(r.startFolder) + (name.isEmpty() ? "" : "/" + name);
}

class QtTimer : public ITimer {
  public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTick_) onTick_();
        });
    }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override { enabled ? timer_.start() : timer_.stop(); }
    bool enabled() const override { return timer_.isActive(); }
    void setHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

  private:
    QTimer timer_;
    std::function<void()> onTick_;
};

// Input that waits while a message is keyed: keys, clicks and closing the
// window (which would ask questions nobody could answer meanwhile).
bool isHeldEvent(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

int qtKeyOf(AsyncKey key) {
    switch (key) {
        case AsyncKey::Escape:
            return Qt::Key_Escape;
        case AsyncKey::KeypadPlus:
            return Qt::Key_Plus;
        case AsyncKey::KeypadMinus:
            return Qt::Key_Minus;
    }
    return 0;
}

}  // namespace

MsgResult QtMessageBox::show(const MessageRequest& request) {
    QMessageBox box(iconOf(request.icon), q(request.title), q(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto choices = buttonsOf(request.buttons);
    for (const ButtonChoice& c : choices) box.addButton(c.button);
    const auto defaultIndex = static_cast<std::size_t>(request.defaultButton);
    if (defaultIndex < choices.size()) box.setDefaultButton(choices[defaultIndex].button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonChoice& c : choices)
        if (c.button == pressed) return c.result;
    // Closing the box without a button answers like its last button (Cancel, No or OK).
    return choices.back().result;
}

std::optional<std::string> QtFileDialog::openFile(const FileDialogRequest& r) {
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), q(r.title),
                                                      startPath(r), qtFilter(r.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtFileDialog::saveFile(const FileDialogRequest& r) {
    QFileDialog dialog(QApplication::activeWindow(), q(r.title), startPath(r), qtFilter(r.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(q(r.defaultExtension));
    // The callers ask before replacing a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::unique_ptr<ITimer> QtTimerFactory::createTimer() {
    return std::make_unique<QtTimer>();
}

void QtEventPump::processPendingEvents() {
    const bool holding = keys_.holdingInput();
    keys_.holdInput(false);
    QApplication::processEvents();
    keys_.holdInput(holding);
}

void QtEventPump::processEventsHoldingInput() {
    QApplication::processEvents();
}

bool LatchedKeyState::wasPressed(AsyncKey key) {
    return pressed_.remove(qtKeyOf(key));
}

bool LatchedKeyState::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool keypad = key->modifiers() & Qt::KeypadModifier;
        if (key->key() == Qt::Key_Escape ||
            (keypad && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)))
            pressed_.insert(key->key());
    }
    if (holding_ && watched->isWindowType() && isHeldEvent(event->type())) {
        held_.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void LatchedKeyState::holdInput(bool hold) {
    holding_ = hold;
    if (hold) return;
    for (auto& [receiver, event] : held_)
        if (receiver) QCoreApplication::postEvent(receiver, event.release());
    held_.clear();
}

void QtHelpViewer::show(HelpCommand command) {
    if (!window_) {
        window_ = new QWidget(nullptr, Qt::Window);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setWindowTitle("KESLOG Help");
        window_->resize(640, 520);
        auto* layout = new QVBoxLayout(window_);
        auto* buttons = new QHBoxLayout();
        auto* contents = new QPushButton("Contents", window_);
        auto* back = new QPushButton("Back", window_);
        auto* forward = new QPushButton("Forward", window_);
        for (QPushButton* b : {contents, back, forward}) buttons->addWidget(b);
        buttons->addStretch(1);
        browser_ = new QTextBrowser(window_);
        browser_->setSearchPaths({q(helpFolder_)});
        layout->addLayout(buttons);
        layout->addWidget(browser_);
        QObject::connect(contents, &QPushButton::clicked, browser_,
                         [b = browser_] { b->setSource(QUrl("contents.html")); });
        QObject::connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        QObject::connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
        QObject::connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        QObject::connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        back->setEnabled(false);
        forward->setEnabled(false);
    }
    browser_->setSource(QUrl(command == HelpCommand::Contents ? "contents.html" : "using.html"));
    window_->show();
    window_->raise();
}

void QtBeep::beep() {
    QApplication::beep();
}

QtBusyPointer::QtBusyPointer() = default;
QtBusyPointer::~QtBusyPointer() = default;

void QtBusyPointer::showNotice(const std::string& heading, const std::string& path) {
    if (!notice_) notice_ = std::make_unique<NoticeWindow>();
    const auto fits = [this](std::string_view text) { return notice_->fits(q(std::string(text))); };
    notice_->showNotice(q(fitPath(heading, path, fits)));
    // Slow work follows at once: the notice must be on the screen before it.
    notice_->repaint();
}

void QtBusyPointer::hideNotice() {
    if (notice_) notice_->hide();
}

void QtBusyPointer::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QtPlatform::QtPlatform(const std::string& programDir)
    : serial(deviceCalls,
             [this](int port) {
                 if (!settings) return std::string();
                 return port == 1 ? settings->Com1Device : settings->Com2Device;
             }),
      ports(deviceCalls,
            [this](int port) {
                if (!settings) return std::string();
                return port == 1 ? settings->LPT1Device : settings->LPT2Device;
            }),
      scheduler([] { QApplication::processEvents(); }),
      pcSpeakerTone(deviceCalls, pcSpeakerCandidates),
      help(programDir + "help") {}

Platform QtPlatform::services() {
    return {messageBox, fileDialog, timers, events, keys,    serial, ports,     wavePlayer,
            clock,      help,       beep,   busy,   network, udp,    processes, streams};
}

}  // namespace keslog
