#include <algorithm>
#include <filesystem>
#include <iostream>

#include "Cli.h"
#include "platform/linux/ProgramFolder.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string exeDir = ec ? std::string(".") : exe.parent_path().string();
    // Installed, the commands work in the same per-user folder as keslog;
    // with --program-dir that folder is neither needed nor made.
    std::string programDir = exeDir;
    if (std::find(args.begin(), args.end(), "--program-dir") == args.end()) {
        const keslog::Result<std::string> folder = keslog::defaultProgramFolder(exeDir);
        if (folder)
            programDir = *folder;
        else
            std::cerr << "keslog-cli: " << folder.status().message() << "\n";
    }
    return keslog::cli::runCli(args, programDir, std::cout, std::cerr);
}
