// Whole-file writes through a temporary file and a rename.
#include "platform/core/FileWrite.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

constexpr int CannotSaveMessage = 65220;

// The reason in the C locale's words, whatever the user's locale.
std::string Reason(int error) {
    locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string text = c != nullptr ? strerror_l(error, c) : std::to_string(error);
    if (c != nullptr) freelocale(c);
    return text;
}

[[noreturn]] void Fail(const std::string& path, int error) {
    throw EFileWrite(LoadMessageFormatted(CannotSaveMessage, {path, Reason(error)}));
}

// Removes the temporary file unless the write reached its end.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!kept_) unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    std::string& Path() { return path_; }
    int& Descriptor() { return fd_; }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

}  // namespace

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') Fail(path, EISDIR);
    std::string pattern = path + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) Fail(path, errno);
    TemporaryFile temporary(pattern);
    temporary.Descriptor() = fd;
    // mkstemp makes the file private; a saved result is an ordinary file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        written += std::size_t(n);
    }
    if (fsync(fd) != 0 && errno != EINVAL) Fail(path, errno);
    const int closed = close(fd);
    temporary.Descriptor() = -1;
    if (closed != 0) Fail(path, errno);
    if (rename(pattern.c_str(), path.c_str()) != 0) Fail(path, errno);
    temporary.Keep();
}

}  // namespace cvcalc
