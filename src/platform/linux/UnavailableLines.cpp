#include "platform/linux/UnavailableLines.h"

#include <string>

namespace keslog {

namespace {
Status serialUnavailable(int port) {
    return Status::error("Serial port Com" + std::to_string(port) +
                             " cannot be used: serial keying lines are not available in this "
                             "version.",
                         "Port Error");
}
Status portUnavailable() {
    return Status::error("Parallel-port and speaker lines are not available in this version.",
                         "Port Error");
}
}  // namespace

Status UnavailableSerialLines::open(int port) {
    return serialUnavailable(port);
}
Status UnavailableSerialLines::setDtr(int port, bool) {
    return serialUnavailable(port);
}

Result<std::uint8_t> UnavailablePortIo::readByte(std::uint16_t) {
    return portUnavailable();
}
Status UnavailablePortIo::writeByte(std::uint16_t, std::uint8_t) {
    return portUnavailable();
}

}  // namespace keslog
