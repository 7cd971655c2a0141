#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
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

// Writes everything, at the file position or, with an offset, from there on.
Status writeAll(int fd, std::string_view contents, const std::string& path, off_t offset = -1) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const char* from = contents.data() + done;
        const std::size_t left = contents.size() - done;
        const ssize_t n = offset < 0 ? ::write(fd, from, left)
                                     : ::pwrite(fd, from, left, offset + static_cast<off_t>(done));
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

namespace {

// A new file beside the target, created with the mode the umask allows
// (mkstemp would make every log private).
int createTemp(const std::string& folder, std::string& temp) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder + "/.keslog-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

Status writeFileAtomically(const std::string& path, std::string_view contents) {
    const std::string folder = folderOf(path);
    std::string temp;
    const int fd = createTemp(folder, temp);
    if (fd < 0) return failure("Could not create a file in " + folder);
    // A file that is replaced keeps its mode.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
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

namespace {

// Opens with the given flags, writes, syncs the file and, when it was
// created, its folder entry.
Status writeSynced(const std::string& path, int flags, std::string_view contents, off_t offset) {
    const bool existed = fileExists(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0644);
    if (fd < 0) return failure("Could not open " + path);
    Status status = writeAll(fd, contents, path, offset);
    if (status && ::fsync(fd) != 0) status = failure("Could not write " + path);
    if (::close(fd) != 0 && status) status = failure("Could not write " + path);
    if (status && !existed) syncFolder(folderOf(path));
    return status;
}

}  // namespace

Status appendDurably(const std::string& path, std::string_view contents) {
    return writeSynced(path, O_APPEND, contents, -1);
}

Status writeDurablyAt(const std::string& path, std::uint64_t offset, std::string_view contents) {
    return writeSynced(path, 0, contents, static_cast<off_t>(offset));
}

Status shortenDurably(const std::string& path, std::uint64_t length) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return failure("Could not open " + path);
    Status status;
    struct stat info {};
    if (::fstat(fd, &info) != 0) status = failure("Could not read " + path);
    if (status && static_cast<std::uint64_t>(info.st_size) > length &&
        ::ftruncate(fd, static_cast<off_t>(length)) != 0)
        status = failure("Could not shorten " + path);
    if (status && ::fsync(fd) != 0) status = failure("Could not write " + path);
    if (::close(fd) != 0 && status) status = failure("Could not write " + path);
    return status;
}

Result<std::uint64_t> fileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return std::uint64_t{0};
        return failure("Could not read " + path);
    }
    return static_cast<std::uint64_t>(info.st_size);
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
