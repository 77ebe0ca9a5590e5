#include "program/dwelling/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ampleton {

namespace {

// A descriptor that is closed, and the half-written file removed, unless committed.
class PendingFile {
public:
    explicit PendingFile(std::string name) : name_(std::move(name)) {}
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(name_.c_str());
    }
    bool create() {
        fd_ = ::mkstemp(name_.data());
        return fd_ >= 0;
    }
    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void commit() { committed_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool committed_ = false;
};

std::error_code lastError() {
    return {errno, std::generic_category()};
}

} // namespace

std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    PendingFile temp(path.string() + ".XXXXXX");
    if (!temp.create())
        return lastError();

    // The new file keeps the permissions of the one it replaces, else the usual ones.
    struct stat existing {};
    mode_t mode;
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            return std::make_error_code(std::errc::is_a_directory);
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(temp.fd(), mode) != 0)
        return lastError();

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(temp.fd(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        written += std::size_t(n);
    }
    if (::fsync(temp.fd()) != 0 || !temp.close())
        return lastError();
    if (::rename(temp.name().c_str(), path.c_str()) != 0)
        return lastError();
    temp.commit();
    return {};
}

} // namespace ampleton
