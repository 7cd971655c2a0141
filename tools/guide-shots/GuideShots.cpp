// keslog-guide-shots OUTDIR: the operator's guide's pictures, taken from
// the program's own windows on a short CQWW session typed by keslog-cli.
// Run offscreen: QT_QPA_PLATFORM=offscreen build/bin/keslog-guide-shots docs/images

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
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
#include "storage/RuleFiles.h"

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
    for (const char* name : {"KESLOG90.INI", "KESLOG90.DAT", kSsSectionsFileName, kNaMultsFileName,
                             "arrl.cty", "help"}) {
        if (ec) break;
        fs::copy(fs::path(from) / name, folder / name, fs::copy_options::recursive, ec);
    }
    if (ec) {
        std::cerr << "keslog-guide-shots: " << folder.string() << ": " << ec.message() << "\n";
        return "";
    }
    return withTrailingSlash(folder.string());
}

// A loopback port nobody uses; with `keep` the socket stays listening, so
// that a connection to it completes in the kernel.
int loopbackPort(bool keep) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 2) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    if (!keep) ::close(fd);
    return ntohs(address.sin_port);
}

// Polls until `done` or two seconds have gone.
bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        QApplication::processEvents();
        ::usleep(10000);
    }
    return done();
}

// The band map and the console: radio 1 on a dummy rigctld, a cluster on
// loopback that accepts and stays silent, its lines handed in as the
// client's thread hands them, over twenty minutes of a clock of our own.
void clusterShots(LogFormWindow& window, MainMod& state, const QString& out) {
    QProcess rig;
    const int rigPort = loopbackPort(false);
    rig.start("rigctld", {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(rigPort)});
    if (rig.waitForStarted(2000)) {
        ::usleep(300000);
        state.settings.Rig1Control = kRigControlRigctld;
        state.settings.Rig1Address = "127.0.0.1:" + std::to_string(rigPort);
        window.form().rig().configure();
        window.form().rig().tune(1, 7'010'300, state.CurrentBandMode);
        if (!waitFor([&] { return window.form().rig().frequency(1) == 7'010'300; }))
            std::cerr << "keslog-guide-shots: the dummy rig did not answer\n";
    } else {
        std::cerr << "keslog-guide-shots: no rigctld: the band map shows no radio\n";
    }

    ClusterLink& cluster = window.form().cluster();
    std::int64_t clockMs = 0;
    cluster.setClock([&clockMs] { return clockMs; });
    state.settings.ClusterHost = "127.0.0.1";
    state.settings.ClusterPort = std::to_string(loopbackPort(true));
    cluster.connect();
    waitFor([&] { return cluster.view().status.starts_with("Cluster: connected"); });
    const ClusterEvents events = cluster.events();
    const std::pair<int, const char*> heard[] = {
        {0, "login: W6XX"},
        {0, "Hello W6XX, this is DXC-1 in Example Town"},
        {0, "Cluster: 212 nodes, 1843 local / 9112 total users"},
        {0, "W6XX de DXC-1  0304Z dxspider >"},
        {0, "DX de K1TTT:      7003.5  W1AW         599                            0304Z FN32"},
        {2, "DX de VE7CC-#:    7005.2  9A1A         CW 24 dB 28 WPM CQ             0306Z"},
        {4, "DX de W3LPL-#:    7008.0  DL2XYZ       CW 12 dB 26 WPM CQ             0308Z"},
        {5, "To ALL de N6TV: anyone copy 9A1A on 40?"},
        {7, "DX de N6TV:       7012.0  F5ABC        cq test                        0311Z"},
        {12, "DX de K3LR-#:     7015.5  ZL2AB        CW 8 dB 24 WPM CQ              0316Z"},
        {14, "DX de W3LPL-#:    7021.0  EA8BB        CW 30 dB 30 WPM CQ             0318Z"},
        {17, "DX de VE7CC-#:    7024.3  SM6XYZ       CW 17 dB 27 WPM CQ             0321Z"},
        {19, "DX de K1TTT:      7030.0  OK1ABC       599 loud                       0323Z"},
        {20, "DX de N6TV:      14025.0  JA1ABC       up 1                           0324Z"},
    };
    for (const auto& [minute, line] : heard) {
        clockMs = minute * 60'000;
        events.line(line);
        cluster.poll();
    }
    clockMs = 24 * 60'000;
    cluster.onSpotChosen(1, "ZL2AB");
    waitFor([&] { return window.form().rig().frequency(1) == 7'015'500; });
    window.render();
    trigger(window, "mnuClusterBandMap1");
    if (auto* map = window.findChild<QWidget*>("BandMap1")) {
        map->resize(420, 300);
        save(*map, out, "band-map.png");
    }
    trigger(window, "mnuClusterConsole");
    if (auto* console = window.findChild<QWidget*>("ClusterConsole"))
        save(*console, out, "cluster-console.png");
    save(window, out, "main-cluster.png");
    cluster.disconnect();
    rig.kill();
    rig.waitForFinished(2000);
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
    clusterShots(window, state, out);
    trigger(window, "mnuViewCW");
    if (auto* mac = window.findChild<QWidget*>("ViewMac")) save(*mac, out, "cw-messages.png");
    {
        LinuxPortDevices devices;
        state.settings.ClusterHost = "dxc.example.net";
        state.settings.ClusterPort = "7300";
        state.settings.ClusterCommands = "set/skimmer;set/dx/filter not by_zone 3,4,5";
        state.settings.ClusterConnectAtStart = true;
        Setup form(state, platform, devices);
        form.load();
        SetupDialog dialog(form);
        dialog.show();
        save(dialog, out, "preferences.png");
        form.onTab(SetupTab::Devices);
        form.onRigControl(1, true);
        form.onRigStart(1, true);
        form.onRigModel(1, "3073");
        form.onRigDevice(1, "/dev/ttyUSB0");
        form.onBroadcast(true);
        dialog.render();
        save(dialog, out, "preferences-devices.png");
        form.onTab(SetupTab::Network);
        dialog.render();
        save(dialog, out, "preferences-network.png");
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
