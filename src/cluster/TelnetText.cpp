#include "cluster/TelnetText.h"

#include "model/Text.h"

namespace keslog {

namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kSubnegotiationEnd = 240;
constexpr unsigned char kSubnegotiation = 250;
constexpr unsigned char kFirstOptionVerb = 251;  // WILL, WONT, DO, DONT

}  // namespace

std::vector<std::string> TelnetText::feed(std::string_view bytes) {
    std::vector<std::string> lines;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (telnet_) {
            case Telnet::Text:
                if (byte == kIac)
                    telnet_ = Telnet::Command;
                else
                    takeText(c, lines);
                break;
            case Telnet::Command:
                // An escaped 255 is no text either: it is dropped with the rest.
                if (byte == kSubnegotiation) {
                    telnet_ = Telnet::Subnegotiation;
                } else {
                    const bool option = byte >= kFirstOptionVerb && byte != kIac;
                    telnet_ = option ? Telnet::Option : Telnet::Text;
                }
                break;
            case Telnet::Option:
                telnet_ = Telnet::Text;
                break;
            case Telnet::Subnegotiation:
                if (byte == kIac) telnet_ = Telnet::SubnegotiationCommand;
                break;
            case Telnet::SubnegotiationCommand:
                telnet_ = byte == kSubnegotiationEnd ? Telnet::Text : Telnet::Subnegotiation;
                break;
        }
    }
    return lines;
}

void TelnetText::takeText(char c, std::vector<std::string>& lines) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
        endLine(lines);
        return;
    }
    if (c == '\t') c = ' ';
    if (byte < 0x20 && c != ' ') return;
    if (byte == 0x7f) return;
    pending_ += c;
    if (pending_.size() >= kMaxLine) endLine(lines);
}

void TelnetText::endLine(std::vector<std::string>& lines) {
    if (!trimmedView(pending_).empty()) lines.push_back(std::move(pending_));
    pending_.clear();
}

void TelnetText::clear() {
    telnet_ = Telnet::Text;
    pending_.clear();
}

}  // namespace keslog
