#pragma once

#include <cstdint>
#include <string>

namespace keslog {

// The settings of KESLOG90.INI as the program holds them for the whole run.
// Some flags are kept as the texts "True"/"False" because that is how every
// user of them compares them.
struct Settings {
    // [Preferences]
    std::string DupeBeepFlag = "False";
    std::string YourCall;
    std::string BackUpDrive = "[none]";
    bool CWActivated = false;
    bool CWPTTActivated = false;
    bool SSBPTTActivated = false;
    bool F9Activated = false;
    bool TypingEnabled = false;
    std::string AutoDupeFlag = "False";
    std::string CWComport = "[none]";
    std::string CWPTTComport = "[none]";
    std::string SSBPTTComport = "[none]";
    std::string F9Comport = "[none]";
    bool CWSpeakerEnabled = false;
    bool UsePCSpeaker = false;
    bool UseSoundcardSpeaker = false;
    std::int16_t Radio1Delay = 0;
    std::int16_t Radio2Delay = 0;
    std::int16_t RepeatIntervalCW = 1000;
    std::int16_t RepeatIntervalSSB = 1000;
    std::int16_t DualCQsRepeatInterval = 0;
    std::int16_t DualCQsPlayNumber = 0;
    std::string Weight;
    std::string TimeCorrection = "0";
    std::string IsGMTFlag = "False";
    std::string DVKMessagesEnabled = "False";
    bool SendF1Enabled = false;
    bool LogandSendF5Enabled = false;
    bool LogFirst = false;
    bool Key1IsMapped = false;
    bool Key2IsMapped = false;
    std::string Key1Mapping;
    std::string Key2Mapping;
    // Linux device files behind the port names "Com1", "Com2", "LPT1-..." and
    // "LPT2-...": USB serial adapters are the common case today.
    std::string Com1Device = "/dev/ttyS0";
    std::string Com2Device = "/dev/ttyS1";
    std::string LPT1Device = "/dev/parport0";
    std::string LPT2Device = "/dev/parport1";

    // [File Information]
    std::string OpenFilePath;
    std::string RecentFile1;
    std::string RecentFile2;
    std::string RecentFile3;
    std::string RecentFile4;

    bool isGmt() const { return IsGMTFlag == "True"; }
};

}  // namespace keslog
