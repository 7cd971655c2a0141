#include "storage/LogRecord.h"

#include <array>
#include <cassert>

namespace keslog {

namespace {

constexpr std::size_t kNameRecordSize = 36;
constexpr const char* kOpenErrorTitle = "File Opening Error";

// Identifiers by ContestNr - 1; a reader recognises the first two characters.
constexpr std::array<std::string_view, 9> kIdentifiers{"ARL", "CQP", "WW ", "SP ", "SS9",
                                                       "WPX", "AA ", "PAQ", "NA "};
// WPX location digits "4".."9" for the continents in this order.
constexpr std::array<std::string_view, 6> kContinents{"AF", "AS", "EU", "NA", "OC", "SA"};

void putInt(std::string& out, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

std::int16_t getInt(std::string_view bytes, std::size_t at) {
    const auto lo = static_cast<unsigned char>(bytes[at]);
    const auto hi = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

// The 26 bytes every record (and the header) starts with.
std::string encodeBase(const QSORec& r) {
    std::string out;
    out.reserve(kNameRecordSize);
    putInt(out, r.QDate);
    putInt(out, r.QTime);
    putInt(out, r.QBandMode);
    out += r.QCall.raw();
    putInt(out, r.QNr);
    putInt(out, r.QRcvd);
    out += r.QMult.raw();
    out += r.QPoints.raw();
    return out;
}

QSORec decodeBase(std::string_view b) {
    QSORec r;
    r.QDate = getInt(b, 0);
    r.QTime = getInt(b, 2);
    r.QBandMode = getInt(b, 4);
    r.QCall = b.substr(6, 10);
    r.QNr = getInt(b, 16);
    r.QRcvd = getInt(b, 18);
    r.QMult = b.substr(20, 5);
    r.QPoints = b.substr(25, 1);
    return r;
}

char locationDigit(const MainMod& s) {
    if (s.contestNr != contest::Cqww && s.contestNr != contest::Wpx) return ' ';
    if (s.QTHUSAFlag) return '2';
    if (s.QTHCanadaFlag) return '3';
    if (s.contestNr == contest::Cqww) return ' ';
    for (std::size_t i = 0; i < kContinents.size(); ++i)
        if (kContinents[i] == s.MyContinent) return static_cast<char>('4' + i);
    return '7';  // a continent the choice does not offer: North America, as the default
}

std::string notALog(const std::string& path, const std::string& why) {
    return "The file " + path + " is not a KESLOG log: " + why + "  Nothing was opened.";
}

const std::string kIncompatibleFormat =
    std::string("The log selected was written with an earlier version of this program or ") +
    "with version 3.5 or earlier of KSL for DOS.  This program and " +
    "versions 4.1 and later of KSL for DOS use a slightly different file " +
    "format that is incompatible with earlier versions.  If you wish to convert " +
    "the log file to this new format, load the file into KSL for DOS, version 4.5 " +
    "or later and follow instructions.";

}  // namespace

std::string_view continentOfLocation(char digit) {
    if (digit < '4' || digit > '9') return {};
    return kContinents[static_cast<std::size_t>(digit - '4')];
}

std::size_t recordSize(RecordVariant variant) {
    return variant == RecordVariant::QSORecName ? kNameRecordSize : kHeaderSize;
}

std::string encodeQso(const QSORecName& qso, RecordVariant variant) {
    std::string out = encodeBase(qso);
    if (variant == RecordVariant::QSORecName) out += qso.QName.raw();
    return out;
}

QSORecName decodeQso(std::string_view bytes, RecordVariant variant) {
    assert(bytes.size() >= recordSize(variant));
    QSORecName r;
    static_cast<QSORec&>(r) = decodeBase(bytes);
    if (variant == RecordVariant::QSORecName) r.QName = bytes.substr(26, 10);
    return r;
}

std::string encodeHeader(const QSORec& header) {
    return encodeBase(header);
}

QSORec decodeHeader(std::string_view bytes) {
    assert(bytes.size() >= kHeaderSize);
    return decodeBase(bytes);
}

QSORec buildHeader(const MainMod& s) {
    QSORec h;
    const auto index = static_cast<std::size_t>(s.contestNr - 1);
    assert(isValidContest(s.contestNr));
    const bool located = s.contestNr == contest::Cqp || s.contestNr == contest::Paqp;
    const std::string qualifier =
        located ? (s.InStateFlag ? "IN" : "OS") : (s.ModeFlag[1] ? "CW" : "SB");
    h.QMult = std::string(kIdentifiers[index]) + qualifier;
    h.QPoints = std::string(1, locationDigit(s));
    // Older copies of the program never read the call field of a header.
    h.QCall = s.rules.edition;
    return h;
}

Result<HeaderFields> checkHeader(std::string_view fileBytes, const std::string& path) {
    if (fileBytes.size() < kHeaderSize)
        return Status::error(notALog(path, "it is too short to hold a log header."),
                             kOpenErrorTitle);
    const QSORec h = decodeHeader(fileBytes);
    if (h.QNr > 0) return Status::error(kIncompatibleFormat, "Incompatible file format error");
    if (h.QNr < 0)
        return Status::error(
            notALog(path, "its header is damaged (format marker " + std::to_string(h.QNr) + ")."),
            kOpenErrorTitle);
    HeaderFields f;
    f.identifier = std::string(h.QMult.raw().substr(0, 3));
    f.qualifier = std::string(h.QMult.raw().substr(3, 2));
    f.location = h.QPoints.raw()[0];
    f.edition = h.QCall.trimmed();
    for (std::size_t i = 0; i < kIdentifiers.size(); ++i)
        if (kIdentifiers[i].substr(0, 2) == std::string_view(f.identifier).substr(0, 2))
            f.contest = static_cast<ContestNr>(i + 1);
    if (f.contest == contest::None)
        return Status::error(notALog(path, "its header names no contest this program knows."),
                             kOpenErrorTitle);
    return f;
}

std::size_t wholeRecordCount(std::uint64_t length, RecordVariant variant) {
    if (length < kHeaderSize) return 0;
    const std::uint64_t size = recordSize(variant);
    return length < size ? 1 : static_cast<std::size_t>(length / size);
}

std::size_t partialRecordBytes(std::uint64_t length, RecordVariant variant) {
    const std::uint64_t size = recordSize(variant);
    return length < size ? 0 : static_cast<std::size_t>(length % size);
}

}  // namespace keslog
