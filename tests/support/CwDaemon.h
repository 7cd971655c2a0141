#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/FakePlatform.h"

namespace keslog::test {

// cwdaemon keying nothing on a free loopback port; its debug output, one
// line per request and key edge, goes to a file (-f writes it at once).
class CwDaemon {
  public:
    CwDaemon()
        : port(freeLoopbackPort(LoopbackSocket::Udp)),
          log(::testing::TempDir() + "cwdaemon-" + std::to_string(port) + ".log") {
        std::remove(log.c_str());
        pid_ = ::fork();
        if (pid_ == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            const std::string p = std::to_string(port);
            ::execlp("cwdaemon", "cwdaemon", "-n", "-d", "null", "-x", "n", "-y", "i", "-p",
                     p.c_str(), "-f", log.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 60 && output().find("Null\": success") == std::string::npos; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                failure = "cwdaemon (Debian package cwdaemon) is not installed or ended at once";
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (output().find("Null\": success") == std::string::npos)
            failure = "cwdaemon did not start its sound system within 3 s";
    }
    ~CwDaemon() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    std::string output() const {
        std::ifstream in(log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    int port;
    std::string log;
    std::string failure;

  private:
    pid_t pid_ = -1;
};

}  // namespace keslog::test
