#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "Cli.h"

int main(int argc, char** argv) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string programDir = ec ? std::string(".") : exe.parent_path().string();
    return keslog::cli::runCli({argv + 1, argv + argc}, programDir, std::cout, std::cerr);
}
