// keslog-guide-shots OUTDIR: the operator's guide's pictures, taken from
// the program's own windows on a short CQWW session typed by keslog-cli.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bin/keslog-guide-shots docs/images

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "Cli.h"
#include "app/BandModeDialog.h"
#include "app/ChCoFormDialog.h"
#include "app/EditLogDialog.h"
#include "app/LogFormWindow.h"
#include "app/PostContestDialog.h"
#include "app/QtPlatform.h"
#include "app/SetupDialog.h"
#include "callsign/CallDataFiles.h"
#include "forms/Setup.h"
#include "forms/StoredLogFiles.h"
#include "platform/Files.h"
#include "platform/linux/PortDevices.h"

namespace fs = std::filesystem;
using namespace keslog;

namespace {

// Two hours of a CQWW weekend from the USA, on 20 and 40 m.
constexpr const char* kSession =
    "DL1ABC{Tab}14{Enter}{Clock +40s}JA1XYZ{Enter}{Clock +50s}G4ABC{Enter}{Clock +1m}"
    "VE3XX{Enter}{Clock +45s}PY2AA{Tab}11{Enter}{Clock +2m}ZS6ZZ{Enter}{Clock +30s}"
    "OH2BH{Enter}{Clock +3m}UA9ABC{Tab}17{Enter}{Clock +1m}I2XYZ{Enter}{Clock +40s}"
    "VK2AB{Enter}{Clock +5m}{Ctrl+Down}DL1ABC{Enter}{Clock +1m}F5ABC{Enter}{Clock +2m}"
    "EA8AA{Enter}{Clock +1m}W1AW{Enter}{Clock +2m}SM5AAA{Enter}{Clock +1m}LU1AA{Enter}"
    "{Clock +20m}HA5XX{Enter}{Clock +1m}JA3AAA{Enter}{Clock +2m}K1AR{Enter}";

// Holds database calls and is one character from others.
constexpr const char* kBustedCall = "K1AU";

void save(QWidget& window, const QString& dir, const char* name) {
    QApplication::processEvents();
    const QString path = dir + "/" + name;
    if (!window.grab().save(path)) std::cerr << "keslog-guide-shots: cannot write " << name << "\n";
}

void typeInto(QWidget* box, const std::string& text) {
    for (const char c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box, &press);
    }
}

void trigger(QWidget& window, const char* action) {
    if (auto* a = window.findChild<QAction*>(action)) a->trigger();
}

// A program folder of its own, so the build's settings stay as they are;
// its short fixed name is what the pictures show as the log's folder.
std::string copyProgramFolder(const std::string& from) {
    const fs::path folder = fs::temp_directory_path() / "keslog-guide";
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    for (const char* name : {"KESLOG90.INI", "KESLOG90.DAT", "arrl.cty", "help"}) {
        if (ec) break;
        fs::copy(fs::path(from) / name, folder / name, fs::copy_options::recursive, ec);
    }
    if (ec) {
        std::cerr << "keslog-guide-shots: " << folder.string() << ": " << ec.message() << "\n";
        return "";
    }
    return withTrailingSlash(folder.string());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: keslog-guide-shots OUTDIR\n";
        return 2;
    }
    const QString out = QDir(argv[1]).absolutePath();
    QDir().mkpath(out);
    const std::string programDir =
        copyProgramFolder(QCoreApplication::applicationDirPath().toStdString());
    if (programDir.empty()) return 1;
    const std::string log = programDir + "W6XX.KSL";
    std::ostringstream typed, failed;
    if (!writeFileAtomically(programDir + "session.txt", kSession) ||
        cli::runCli({"--program-dir", programDir, "type", "--log", log, "--new", "CQWW", "--mode",
                     "CW", "--location", "USA", "--clock", "2024-11-30 00:02:00", "--keys",
                     programDir + "session.txt"},
                    programDir, typed, failed) != 0) {
        std::cerr << failed.str();
        return 1;
    }

    QtPlatform qtPlatform(programDir);
    Platform platform = qtPlatform.services();
    MainMod state;
    qtPlatform.settings = &state.settings;
    PortLines lines(qtPlatform.serial, qtPlatform.ports);
    CWKeyer keyer(state, platform, lines, qtPlatform.keyerDevices());
    RadioSwitch radios(state, lines, platform.messageBox);
    MessageRepeater repeater(state, platform, keyer, radios);
    StoredLogFiles logFiles(platform);
    LogFormWindow window(state, platform, logFiles);
    window.attachKeyer(keyer, qtPlatform.keys);
    window.attachRadios(radios, repeater);
    EntryTransmit transmit(state, keyer, lines, radios, repeater);
    window.attachTransmit(transmit);
    if (!window.form().startUp(programDir)) return 1;
    state.settings.RecentFile1 = log;
    window.form().load();
    window.render();
    window.show();
    save(window, out, "main-nolog.png");

    // The contest choice and the active bands, as File, New shows them.
    {
        ChCoForm form(state);
        form.load();
        ChCoFormDialog dialog(form);
        dialog.show();
        dialog.findChild<QListWidget*>("List1")->setCurrentRow(3);  // CQWW
        save(dialog, out, "contest-choice.png");
    }

    window.form().onRecentFile(1);
    window.renderAfterFileCommand();
    if (!state.logOpen || state.log.count() == 0) {
        std::cerr << "keslog-guide-shots: " << log << " did not open\n";
        return 1;
    }
    {
        BandMode form(state, platform.messageBox);
        form.load();
        BandModeDialog dialog(form);
        dialog.show();
        save(dialog, out, "active-bands.png");
    }

    trigger(window, "mnuViewQSOStats");
    trigger(window, "mnuViewMults");
    auto* call = window.findChild<QLineEdit*>("InData0");
    call->setFocus();
    typeInto(call, "DL1A");
    save(window, out, "main-entry.png");
    if (auto* stats = window.findChild<QWidget*>("QSOStats")) save(*stats, out, "qso-stats.png");
    // Check partial over the public database: the calls holding what is
    // typed, and those one character away from a busted call.
    state.scp = loadScpDatabase(kDefaultScpFile).data;
    if (auto* partial = window.findChild<QWidget*>("Partial"); partial && state.scp) {
        window.form().entry().onTextEdited(kCallBox, "");
        window.render();
        typeInto(call, kBustedCall);
        partial->resize(420, 480);
        save(*partial, out, "partial-check.png");
        window.form().entry().onTextEdited(kCallBox, "DL1A");
        window.render();
    }
    if (auto* mults = window.findChild<QWidget*>("ViewMult")) save(*mults, out, "multipliers.png");

    trigger(window, "mnuViewLog");
    if (auto* viewlog = window.findChild<QWidget*>("Viewlog"))
        save(*viewlog, out, "log-viewer.png");
    {
        EntryEditor editor(state, platform);
        editor.load(state.log.count());
        EditLogDialog dialog(editor, nullptr);
        dialog.show();
        save(dialog, out, "entry-editor.png");
    }
    trigger(window, "mnuViewCW");
    if (auto* mac = window.findChild<QWidget*>("ViewMac")) save(*mac, out, "cw-messages.png");
    {
        LinuxPortDevices devices;
        Setup form(state, platform, devices);
        form.load();
        SetupDialog dialog(form);
        dialog.show();
        save(dialog, out, "preferences.png");
    }
    {
        state.settings.CWKeyer1 = "winkeyer:/dev/ttyUSB0";
        state.settings.CWKeyer2 = "cwdaemon:127.0.0.1:6789";
        LinuxPortDevices devices;
        Setup form(state, platform, devices);
        form.load();
        form.onTab(SetupTab::Devices);
        SetupDialog dialog(form);
        dialog.show();
        save(dialog, out, "preferences-devices.png");
    }
    // Last: the post-contest dialog takes the log over.
    {
        PostContestForm form(state, platform);
        if (!form.load(log).isOk()) {
            std::cerr << "keslog-guide-shots: " << log << " cannot be processed\n";
            return 1;
        }
        PostContestDialog dialog(form);
        dialog.show();
        save(dialog, out, "post-contest.png");
        UserInfo info = form.userInfo();
        UserInfoDialog userInfo(info);
        userInfo.show();
        save(userInfo, out, "user-info.png");
    }

    std::error_code ec;
    fs::remove_all(programDir, ec);
    return 0;
}
