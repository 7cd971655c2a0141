#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "forms/EntryTransmit.h"
#include "forms/LogForm.h"
#include "platform/Timer.h"
#include "platform/linux/PortDevices.h"
#include "transmit/Audio.h"
#include "transmit/CWKeyer.h"
#include "transmit/EditMac.h"
#include "transmit/KeyboardCW.h"
#include "transmit/Radios.h"
#include "transmit/Repetition.h"
#include "transmit/ViewMac.h"

class QAction;
class QFrame;
class QKeyEvent;
class QMouseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace keslog {

class AboutDialog;
class AudioWindow;
class BandMapWindow;
class ClusterConsoleWindow;
class CallDataLoader;
class CACTYWindow;
class EditMacDialog;
class PartialWindow;
class LatchedKeyState;
class NoticeWindow;
class QSOStatsWindow;
class ViewMacWindow;
class ViewMultWindow;
class ViewlogWindow;

// LogForm on the screen: draws LogFormView and forwards events.
class LogFormWindow : public QMainWindow,
                      public ILogFormHost,
                      public ICWKeyerHost,
                      public IRadioDisplay,
                      public IRepeatDisplay,
                      public IMessagesHost {
  public:
    LogFormWindow(MainMod& state, Platform& platform, ILogFiles& logFiles);
    ~LogFormWindow() override;

    LogForm& form() { return *form_; }
    // The CW keyer behind the speed controls and keyboard CW; `keys` holds
    // the window's input back while a message is keyed.
    void attachKeyer(CWKeyer& keyer, LatchedKeyState& keys);
    // The radio keys F9 (transmit on the other radio) and F10 (log on the
    // other radio), and the repetition's LabelSendingMsg.
    void attachRadios(RadioSwitch& radios, MessageRepeater& repeater);
    // The sending side of the entry keys; keyboard CW opens in this window.
    void attachTransmit(EntryTransmit& transmit);
    // The voice keyer behind View, DVK.
    void attachVoice(Audio& audio) { audio_ = &audio; }
    // A welcome screen already shown before this window was built, so that
    // the building went on behind it; start-up waits for it to close.
    void attachWelcome(AboutDialog& welcome) { welcome_ = &welcome; }
    // The background reads of the check-partial database and the call
    // history, started whenever their settings or the contest change.
    void attachCallData(CallDataLoader& loader) { callData_ = &loader; }
    // Draws the current view state.
    void render();
    // Draws the window after a File command; the keyer's timing is made
    // ready for a log just opened (the first CW log calibrates it).
    void renderAfterFileCommand();
    // Puts the window where the settings say it was left.
    void restorePlace(const Settings& settings);

    // ILogFormHost
    void showWelcome(const std::function<void()>& whileShown) override;
    void showAbout() override;
    void setViewWindowVisible(ViewWindow window, bool visible) override;
    void refreshStatistics() override;
    void showChCoForm(ChCoForm& dialog) override;
    void showBandMode(BandMode& dialog) override;
    void showPostContest(PostContestForm& dialog) override;
    void showSetup(Setup& dialog) override;
    void storeWindowCoordinates(Settings& settings) override;
    void showPartial() override;
    bool editQso(int n) override;

    // ICWKeyerHost
    std::string callBoxText() const override;
    std::string exchangeBoxText() const override;
    bool callBoxActive() const override;
    void showTxRadio(int radio) override;
    void showSpeed(int wpm) override;
    void sendingChanged(bool sending) override;
    void showCalibrationNotice(bool shown) override;
    void showKeyerStatus(const std::string& text) override;

    // IRadioDisplay (showTxRadio above serves both)
    void showLogRadio(int radio) override;

    // IRepeatDisplay
    void showRepeat(const RepeatView& view) override;

    // IMessagesHost
    void messagesChanged() override;
    void editMessage(int slot) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void buildMenus();
    void buildEntryArea();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    void renderSpeed();
    void renderKeyboardCW();
    void openKeyboardCW(int box, int caret);
    void closeKeyboardCW();
    void renderEntry();
    bool entryKey(int box, const QKeyEvent& key);
    void onCaretMoved(int box);
    void entryCommand(void (EntryLine::*command)());
    void onEditCW();
    void showEditMac(int focusSlot, bool modal);
    void renderRepeat();
    void renderViewMac();
    void showViewMac(bool visible);
    void showAudio(bool visible);
    void buildViewWindows(Platform& platform);
    void buildClusterMenu();
    void renderCluster();
    void onSendSpot();
    QWidget* viewWindow(ViewWindow window) const;

    MainMod& state_;
    Platform& platform_;
    std::unique_ptr<LogForm> form_;
    CWKeyer* keyer_ = nullptr;
    LatchedKeyState* keys_ = nullptr;
    std::unique_ptr<KeyboardCW> keyboardCW_;
    RadioSwitch* radios_ = nullptr;
    MessageRepeater* repeater_ = nullptr;
    ViewMac viewMac_;
    ViewMacWindow* viewMacWindow_ = nullptr;
    Audio* audio_ = nullptr;
    AudioWindow* audioWindow_ = nullptr;
    std::unique_ptr<EditMac> editMac_;
    QPointer<EditMacDialog> editMacDialog_;
    std::unique_ptr<ITimer> timer1_;
    NoticeWindow* bkgdForm_ = nullptr;
    QSOStatsWindow* qsoStats_ = nullptr;
    ViewMultWindow* viewMult_ = nullptr;
    CACTYWindow* cacty_ = nullptr;
    ViewlogWindow* viewlog_ = nullptr;
    bool exitConfirmed_ = false;
    AboutDialog* welcome_ = nullptr;

    QMenu* mnuEdit_ = nullptr;
    QMenu* mnuView_ = nullptr;
    QAction* mnuFileSave_ = nullptr;
    QAction* mnuFileBackup_ = nullptr;
    QAction* mnuFileSetup_ = nullptr;
    LinuxPortDevices portDevices_;  // offered by File, Preferences
    QAction* separator1a_ = nullptr;
    QAction* separator1d_ = nullptr;
    std::array<QAction*, 4> mnuFileArray_{};
    std::array<QAction*, kViewWindowCount> viewItems_{};

    QWidget* entryArea_ = nullptr;
    std::array<QLineEdit*, 2> inData_{};
    QLabel* callsignLabel_ = nullptr;
    QLabel* numberLabel_ = nullptr;
    QLabel* qsoNrLabel_ = nullptr;
    QLabel* scoreLabel_ = nullptr;
    QLabel* multsLabel_ = nullptr;
    QLabel* needPfxLabel_ = nullptr;
    QLabel* lblWpxCountry_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLabel* speedDisplayLabel_ = nullptr;
    QScrollBar* speedScroll_ = nullptr;
    QLabel* activeRadioLabel_ = nullptr;
    QLabel* activeLogLabel_ = nullptr;
    QLabel* fileIdLabel_ = nullptr;
    QLabel* keyboardCWLabel_ = nullptr;
    QLineEdit* keyboardCWText_ = nullptr;
    QFrame* line1_ = nullptr;
    QLabel* timeGmtLabel_ = nullptr;
    QLabel* timeLocalLabel_ = nullptr;
    std::array<QLabel*, 2> rigLabels_{};
    QLabel* broadcastLabel_ = nullptr;
    QLabel* keyerLabel_ = nullptr;
    QLabel* labelSendingMsg_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    std::array<QLabel*, kBandCount> prevQso_{};
    QLabel* callMatchLabel1_ = nullptr;
    QLabel* callMatchLabel2_ = nullptr;
    QLabel* oldCallMatchLabel_ = nullptr;
    QLabel* lastQsoLabel_ = nullptr;
    PartialWindow* partialWindow_ = nullptr;
    CallDataLoader* callData_ = nullptr;
    bool rendering_ = false;  // box signals caused by drawing are not edits
    QWidget* bottomRow_ = nullptr;
    QLabel* noLogHint_ = nullptr;
    QLabel* clusterLabel_ = nullptr;
    QAction* mnuClusterConnect_ = nullptr;
    QAction* mnuClusterDisconnect_ = nullptr;
    std::array<BandMapWindow*, 2> bandMaps_{};
    ClusterConsoleWindow* console_ = nullptr;
};

}  // namespace keslog
