#pragma once

#include <array>

#include "app/DialogParts.h"
#include "forms/Setup.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

namespace keslog {

// Setup, the Preferences dialog, on the screen: draws SetupView and
// forwards every change.
class SetupDialog : public FormDialog<Setup> {
  public:
    explicit SetupDialog(Setup& form, QWidget* parent = nullptr);
    void render() override;

  private:
    QWidget* generalTab();
    QWidget* lookbackTab();
    QGroupBox* callDataFrame();
    QPushButton* chooseButton(const char* name, QWidget* parent, void (Setup::*choose)());
    QWidget* cwDvkTab();
    QWidget* radioTab();
    QWidget* keyMappingsTab();
    QWidget* enterTab();
    QWidget* twoRadioTab();
    QWidget* devicesTab();
    QWidget* networkTab();
    QWidget* keyersFrame();

    QCheckBox* box(SetupBox which, const char* name, const char* caption, QWidget* parent);
    QComboBox* list(SetupList which, const char* name, QWidget* parent);
    QRadioButton* option(const char* name, const char* caption, QWidget* parent,
                         std::function<void()> onClick);
    // A scroll bar used as a spinner: each move steps the delay once.
    QScrollBar* spinner(int radio, const char* name, QWidget* parent);

    QTabWidget* tabs_;
    std::array<QCheckBox*, kSetupBoxCount> boxes_{};
    std::array<QComboBox*, kSetupListCount> lists_{};
    QLineEdit* callBox_ = nullptr;
    QComboBox* comboBackup_ = nullptr;
    std::array<QRadioButton*, 2> buttonTimeSet_{};
    QScrollBar* timeScroll_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QLabel* lookbackLabel_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QLineEdit* scpFile_ = nullptr;
    QComboBox* historyContest_ = nullptr;
    QLineEdit* historyFile_ = nullptr;
    QLabel* portLabel_ = nullptr;
    std::array<QRadioButton*, 2> optionSpeaker_{};
    QLabel* weightCaption_ = nullptr;
    QLabel* weightLabel_ = nullptr;
    QScrollBar* weightScroll_ = nullptr;
    std::array<QScrollBar*, 2> delayScroll_{};
    std::array<QLabel*, 2> delayLabel_{};
    QLabel* delayCaption_ = nullptr;
    std::array<QRadioButton*, 2> optionLog_{};
    std::array<QComboBox*, 4> devices_{};
    std::array<QCheckBox*, 2> rigControl_{};
    std::array<QLineEdit*, 2> rigAddress_{};
    QSpinBox* rigPoll_ = nullptr;
    std::array<QCheckBox*, 2> rigStart_{};
    std::array<QLineEdit*, 2> rigModel_{};
    std::array<QComboBox*, 2> rigDevice_{};
    std::array<QLabel*, 2> rigDeviceLabel_{};
    QCheckBox* broadcast_ = nullptr;
    QLineEdit* broadcastAddress_ = nullptr;
    QLineEdit* broadcastPort_ = nullptr;
    QLineEdit* clusterHost_ = nullptr;
    QLineEdit* clusterPort_ = nullptr;
    QLineEdit* clusterCall_ = nullptr;
    QLineEdit* clusterPassword_ = nullptr;
    QPlainTextEdit* clusterCommands_ = nullptr;
    QCheckBox* clusterAtStart_ = nullptr;
    QSpinBox* clusterSpotMinutes_ = nullptr;
    std::array<QComboBox*, 2> keyerKind_{};
    std::array<QComboBox*, 2> keyerDevice_{};
    std::array<QLineEdit*, 2> keyerAddress_{};
    QCheckBox* keyerPot_ = nullptr;
};

}  // namespace keslog
