#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "Cli.h"
#include "platform/linux/ProgramFolder.h"

int main(int argc, char** argv) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string exeDir = ec ? std::string(".") : exe.parent_path().string();
    // Installed, the commands work in the same per-user folder as keslog.
    const keslog::Result<std::string> folder = keslog::defaultProgramFolder(exeDir);
    if (!folder) std::cerr << "keslog-cli: " << folder.status().message() << "\n";
    return keslog::cli::runCli({argv + 1, argv + argc}, folder ? *folder : exeDir, std::cout,
                               std::cerr);
}
