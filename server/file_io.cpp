#include "server/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Closes a descriptor on every way out of a scope.
class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    ~FdCloser() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    // Closes now, reporting the error that a deferred close would have swallowed.
    int Close() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void WriteAll(int fd, const std::string& content, const std::string& path) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno("write " + path);
        }
        done += static_cast<std::size_t>(n);
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        ThrowErrno("open folder " + folder);
    FdCloser closer(fd);
    if (::fsync(fd) != 0)
        ThrowErrno("sync folder " + folder);
}

} // namespace

std::optional<std::string> ReadFileIfExists(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        ThrowErrno("open " + path);
    }
    FdCloser closer(fd);
    std::string content;
    std::vector<char> chunk(65536);
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno("read " + path);
        }
        if (n == 0)
            return content;
        content.append(chunk.data(), static_cast<std::size_t>(n));
    }
}

void ReplaceFileAtomically(const std::string& path, const std::string& content) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        ThrowErrno("create temporary file beside " + path);
    FdCloser closer(fd);
    try {
        if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0)
            ThrowErrno("chmod " + temp);
        WriteAll(fd, content, temp);
        if (::fsync(fd) != 0)
            ThrowErrno("sync " + temp);
        if (closer.Close() != 0)
            ThrowErrno("close " + temp);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            ThrowErrno("rename " + temp + " to " + path);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(FolderOf(path));
}
