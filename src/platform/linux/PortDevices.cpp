#include "platform/linux/PortDevices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <span>
#include <string_view>

namespace keslog {

namespace {

constexpr std::array<std::string_view, 3> kSerialStems{"ttyS", "ttyUSB", "ttyACM"};
constexpr std::array<std::string_view, 1> kParallelStems{"parport"};

// A stem followed by a number and nothing else: "ttyS0", not "ttySAC".
bool isNumbered(std::string_view name, std::span<const std::string_view> stems) {
    return std::any_of(stems.begin(), stems.end(), [name](std::string_view stem) {
        if (name.size() <= stem.size() || name.substr(0, stem.size()) != stem) return false;
        const std::string_view number = name.substr(stem.size());
        return std::all_of(number.begin(), number.end(),
                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    });
}

std::vector<std::string> devicesOf(const std::string& folder,
                                   std::span<const std::string_view> stems) {
    std::vector<std::string> names;
    std::error_code ec;
    // A folder that cannot be read offers nothing; the operator can still
    // type a path.
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isNumbered(name, stems)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), deviceNameBefore);
    std::vector<std::string> paths;
    paths.reserve(names.size());
    const std::string prefix = folder.ends_with('/') ? folder : folder + "/";
    for (const std::string& name : names) paths.push_back(prefix + name);
    return paths;
}

std::pair<std::string_view, std::size_t> stemAndNumber(std::string_view name) {
    std::size_t cut = name.size();
    while (cut > 0 && std::isdigit(static_cast<unsigned char>(name[cut - 1]))) --cut;
    const std::string_view digits = name.substr(cut);
    std::size_t number = 0;
    for (char c : digits.substr(0, 9)) number = number * 10 + static_cast<std::size_t>(c - '0');
    return {name.substr(0, cut), number};
}

}  // namespace

bool deviceNameBefore(const std::string& a, const std::string& b) {
    return stemAndNumber(a) < stemAndNumber(b);
}

std::vector<std::string> LinuxPortDevices::serialDevices() const {
    return devicesOf(folder_, kSerialStems);
}

std::vector<std::string> LinuxPortDevices::parallelDevices() const {
    return devicesOf(folder_, kParallelStems);
}

}  // namespace keslog
