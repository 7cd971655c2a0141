#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <iostream>
#include <memory>

#include "app/AboutDialog.h"
#include "app/CallDataLoader.h"
#include "app/LogFormWindow.h"
#include "app/QtPlatform.h"
#include "app/QtText.h"
#include "forms/CommandLine.h"
#include "forms/StoredLogFiles.h"
#include "model/Version.h"
#include "platform/linux/ByteLinks.h"
#include "platform/linux/ProgramFolder.h"

namespace {

// The folder given with --program-dir, else the one beside the executable
// or, installed, the user's own.
keslog::Result<std::string> programFolder(const keslog::CommandLine& line) {
    if (!line.programDir.empty()) return line.programDir;
    return keslog::defaultProgramFolder(QCoreApplication::applicationDirPath().toStdString());
}

// --print-score-and-quit: a start is measured to the first paint of an
// open log's score (the label is hidden while no log is open).
class ScorePaintProbe : public QObject {
  public:
    explicit ScorePaintProbe(QLabel& label) : label_(label) { label.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Once this paint is done.
            QTimer::singleShot(0, this, [this] {
                std::cout << label_.text().toStdString() << std::endl;
                // Not quit(): that would close the window, which asks first.
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QLabel& label_;
    bool seen_ = false;
};

std::vector<std::string> argumentsOf(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version need no display.
    const keslog::CommandLine asked = keslog::parseCommandLine(argumentsOf(argc, argv));
    if (asked.action == keslog::CommandLine::Action::Help) {
        std::cout << keslog::commandLineHelp();
        return 0;
    }
    if (asked.action == keslog::CommandLine::Action::Version) {
        std::cout << keslog::kProgramName << " " << keslog::kProgramVersion << "\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("KESLOG");
    // Qt has taken its own options (-platform, -style, ...) out of argv.
    const keslog::CommandLine line = keslog::parseCommandLine(argumentsOf(argc, argv));
    if (line.action != keslog::CommandLine::Action::Run) {
        std::cerr << "keslog: " << line.error << "\n";
        return 2;
    }

    const keslog::Result<std::string> folder = programFolder(line);
    if (!folder) {
        QMessageBox::critical(nullptr, "KESLOG", keslog::q(folder.status().message()));
        return 1;
    }
    const std::string programDir = keslog::withTrailingSlash(*folder);
    // Up before the windows are built: building them goes on behind it.
    keslog::AboutDialog welcome(keslog::AboutDialog::Mode::Welcome);
    welcome.showWithoutWaiting();
    keslog::QtPlatform qtPlatform(programDir);
    keslog::Platform platform = qtPlatform.services();
    app.installEventFilter(&qtPlatform.keys);

    keslog::MainMod state;
    qtPlatform.settings = &state.settings;
    keslog::PortLines lines(qtPlatform.serial, qtPlatform.ports);
    keslog::CWKeyer keyer(state, platform, lines, qtPlatform.keyerDevices());
    keslog::PosixByteLinks byteLinks;
    keslog::KeyingDevices keyingDevices(byteLinks, platform.messageBox);
    keyer.setDevices(keyingDevices);
    keslog::RadioSwitch radios(state, lines, platform.messageBox);
    keslog::MessageRepeater repeater(state, platform, keyer, radios);
    keslog::Audio audio(state, platform, lines, radios, qtPlatform.recorder);
    audio.setRepeater(repeater);
    keslog::StoredLogFiles logFiles(platform);
    keslog::LogFormWindow window(state, platform, logFiles);
    window.attachKeyer(keyer, qtPlatform.keys);
    window.attachRadios(radios, repeater);
    keslog::EntryTransmit transmit(state, keyer, lines, radios, repeater);
    window.attachTransmit(transmit);
    window.attachVoice(audio);
    window.attachWelcome(welcome);
    std::unique_ptr<ScorePaintProbe> probe;
    if (line.printScoreAndQuit)
        probe = std::make_unique<ScorePaintProbe>(*window.findChild<QLabel*>("ScoreLabel"));
    window.form().setKeyer(keyer);
    if (!window.form().startUp(programDir)) return 1;
    keslog::CallDataLoader callData(state, platform.messageBox, nullptr);
    window.attachCallData(callData);

    window.form().load();
    window.render();
    window.restorePlace(state.settings);
    window.show();
    window.form().openAtStart(line.logPath);
    window.renderAfterFileCommand();
    return app.exec();
}
