#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include "app/CallDataLoader.h"
#include "app/LogFormWindow.h"
#include "app/QtPlatform.h"
#include "app/QtText.h"
#include "forms/StoredLogFiles.h"
#include "platform/linux/ProgramFolder.h"

namespace {

// The program folder: the folder given with --program-dir, else the one
// beside the executable or, installed, the user's own.
keslog::Result<std::string> programFolder(const QStringList& args) {
    const int at = args.indexOf("--program-dir");
    if (at >= 0 && at + 1 < args.size()) return args[at + 1].toStdString();
    return keslog::defaultProgramFolder(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KESLOG");

    const keslog::Result<std::string> folder = programFolder(app.arguments());
    if (!folder) {
        QMessageBox::critical(nullptr, "KESLOG", keslog::q(folder.status().message()));
        return 1;
    }
    const std::string programDir = keslog::withTrailingSlash(*folder);
    keslog::QtPlatform qtPlatform(programDir);
    keslog::Platform platform = qtPlatform.services();
    app.installEventFilter(&qtPlatform.keys);

    keslog::MainMod state;
    qtPlatform.settings = &state.settings;
    keslog::PortLines lines(qtPlatform.serial, qtPlatform.ports);
    keslog::CWKeyer keyer(state, platform, lines, qtPlatform.keyerDevices());
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
    if (!window.form().startUp(programDir)) return 1;
    keslog::CallDataLoader callData(state, platform.messageBox, nullptr);
    window.attachCallData(callData);

    window.form().load();
    window.render();
    window.restorePlace(state.settings);
    window.show();
    window.form().checkWorkingFile();
    window.renderAfterFileCommand();
    return app.exec();
}
