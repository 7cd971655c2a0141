#pragma once

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/FileDialog.h"
#include "platform/Lines.h"
#include "platform/MessageBox.h"
#include "platform/Network.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "platform/WavePlayer.h"

namespace keslog {

// Every platform operation the logic uses, handed to the behaviour classes
// in one piece. The application fills it with the real services, tests with
// fakes.
struct Platform {
    IMessageBox& messageBox;
    IFileDialog& fileDialog;
    ITimerFactory& timers;
    IEventPump& events;
    IKeyState& keys;
    ISerialLines& serial;
    IPortIo& ports;
    IWavePlayer& wavePlayer;
    IClock& clock;
    IHelpViewer& help;
    IBeep& beep;
    IBusyPointer& busy;
    ITcpConnector& network;
    IUdpSender& udp;
    IProcessLauncher& processes;
    ITcpStreamConnector& streams;  // the cluster's connection, on its own thread
};

}  // namespace keslog
