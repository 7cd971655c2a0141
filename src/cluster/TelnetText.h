#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace keslog {

// Turns the bytes of a telnet session into text lines: telnet negotiation
// (IAC commands, option requests and subnegotiations) and control
// characters (BEL, CR, ...) are dropped, a tab reads as a blank, and LF ends
// a line, so CR LF and LF alike do. Whatever follows the last line end is
// kept for the next read, even when a read ends inside a telnet command.
class TelnetText {
  public:
    // A line that never ends is cut into pieces of this length, so that a
    // broken peer cannot grow the buffer without bound.
    static constexpr std::size_t kMaxLine = 4096;

    // The lines completed by these bytes, blank lines left out.
    std::vector<std::string> feed(std::string_view bytes);

    // The text after the last line end: a prompt waiting for an answer.
    const std::string& pending() const { return pending_; }

    void clear();

  private:
    enum class Telnet { Text, Command, Option, Subnegotiation, SubnegotiationCommand };

    void takeText(char c, std::vector<std::string>& lines);
    void endLine(std::vector<std::string>& lines);

    Telnet telnet_ = Telnet::Text;
    std::string pending_;
};

}  // namespace keslog
