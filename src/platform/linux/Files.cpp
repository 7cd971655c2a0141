#include "platform/Files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace keslog {

namespace {

// The failure of the last system call: its errno and its text.
Status failure(const std::string& what) {
    const int err = errno;
    return Status::systemError(err, what + ": " + std::strerror(err));
}

Status writeAll(int fd, std::string_view contents, const std::string& path) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failure("Could not write " + path);
        }
        done += static_cast<std::size_t>(n);
    }
    return Status::ok();
}

std::string folderOf(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A new or renamed file is durable only once its folder entry is.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view contents) {
    const std::string folder = folderOf(path);
    std::string temp = folder + "/.keslog-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return failure("Could not create a file in " + folder);
    Status status = writeAll(fd, contents, path);
    if (status && ::fsync(fd) != 0) status = failure("Could not write " + path);
    if (::close(fd) != 0 && status) status = failure("Could not write " + path);
    if (status && ::rename(temp.c_str(), path.c_str()) != 0)
        status = failure("Could not replace " + path);
    if (!status) {
        ::unlink(temp.c_str());
        return status;
    }
    syncFolder(folder);
    return Status::ok();
}

Status appendDurably(const std::string& path, std::string_view contents) {
    const bool existed = fileExists(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return failure("Could not open " + path);
    Status status = writeAll(fd, contents, path);
    if (status && ::fsync(fd) != 0) status = failure("Could not write " + path);
    if (::close(fd) != 0 && status) status = failure("Could not write " + path);
    if (status && !existed) syncFolder(folderOf(path));
    return status;
}

Result<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return failure("Could not open " + path);
    std::ostringstream out;
    out << in.rdbuf();
    if (in.bad()) return Status::error("Could not read " + path);
    return out.str();
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool isReadableFile(const std::string& path) {
    return fileExists(path) && ::access(path.c_str(), R_OK) == 0;
}

Status removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return failure("Could not delete " + path);
    return Status::ok();
}

}  // namespace keslog
