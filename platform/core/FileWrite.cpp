// Whole-file writes: the bytes go to an anonymous file in the target's
// folder, which is linked into place once it is complete, or to a named
// temporary file where the file system has no anonymous ones.
#include "platform/core/FileWrite.h"

#include <fcntl.h>
#include <locale.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

constexpr int CannotSaveMessage = 65220;
// A temporary name is this and six letters or digits: short and of one
// length, so that it keeps within the name limit (NAME_MAX) whatever the
// target's name.
constexpr std::string_view TemporaryPrefix = ".cvcalc-";
constexpr int TemporaryNameTries = 100;

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

// The target's folder as a prefix for a name in it: empty for the current
// folder, else up to and with its last slash.
std::string FolderPrefix(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A fresh temporary name in the folder.  The name needs no secrecy: it is
// only ever created with O_EXCL or linkat, which neither follow nor replace
// what is there, so a name taken meanwhile is just tried again.
std::string TemporaryName(const std::string& folderPrefix) {
    static std::uint64_t count = 0;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t bits = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                         (static_cast<std::uint64_t>(getpid()) << 12) ^ (++count * 0x9E3779B97F4A7C15);
    // splitmix64's finalizer spreads every input bit over the result.
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EB;
    bits ^= bits >> 31;
    constexpr std::string_view Characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = folderPrefix + std::string(TemporaryPrefix);
    for (int i = 0; i < 6; ++i) {
        name += Characters[bits % Characters.size()];
        bits /= Characters.size();
    }
    return name;
}

// Holds SIGXFSZ back from this thread while it writes.  Past a file-size
// limit (ulimit -f) the signal would end the program; held back, the write
// fails with EFBIG instead and is reported as a full disk is.  The signal
// the write raised is taken before the mask is restored, so it is never
// delivered late.  Other threads and the signal's disposition are left
// alone.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        sigset_t before;
        pthread_sigmask(SIG_BLOCK, &signal_, &before);
        held_ = sigismember(&before, SIGXFSZ) == 0;
    }
    ~FileSizeSignalHeld() {
        if (!held_) return;  // the caller holds it back and will see it
        sigset_t pending;
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1) {
            const timespec now{};
            sigtimedwait(&signal_, nullptr, &now);
        }
        pthread_sigmask(SIG_UNBLOCK, &signal_, nullptr);
    }
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
    sigset_t signal_{};
    bool held_ = false;
};

// The file being written until it takes the target's place.  An anonymous
// one (O_TMPFILE) has no name until it is complete, so a write cut short,
// even by a kill, leaves nothing; a named one is removed on failure.
class TemporaryFile {
public:
    TemporaryFile(const std::string& target, mode_t mode) : target_(target), folderPrefix_(FolderPrefix(target)) {
        // Linking an anonymous file by name needs /proc.
        if (access("/proc/self/fd", X_OK) == 0) {
            const std::string folder = folderPrefix_.empty() ? "." : folderPrefix_;
            fd_ = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            if (fd_ >= 0) return;
            // The file system or the kernel has no anonymous files.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != ENOENT) Fail(target_, errno);
        }
        for (int tries = 1;; ++tries) {
            std::string name = TemporaryName(folderPrefix_);
            fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
            if (fd_ >= 0) {
                name_ = std::move(name);
                return;
            }
            if (errno != EEXIST || tries == TemporaryNameTries) Fail(target_, errno);
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) close(fd_);
        if (!name_.empty()) unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return fd_; }

    // Puts the complete file in the target's place: an anonymous file is
    // linked straight to the target when there is none, else to a fresh
    // name that is then renamed over the target.
    void Install() {
        if (name_.empty() && LinkTo(target_) == 0) {
            const int closed = close(fd_);
            fd_ = -1;
            if (closed != 0) {
                const int error = errno;
                unlink(target_.c_str());
                Fail(target_, error);
            }
            return;
        }
        if (name_.empty() && errno != EEXIST) Fail(target_, errno);
        for (int tries = 1; name_.empty(); ++tries) {
            std::string name = TemporaryName(folderPrefix_);
            if (LinkTo(name) == 0) {
                name_ = std::move(name);
            } else if (errno != EEXIST || tries == TemporaryNameTries) {
                Fail(target_, errno);
            }
        }
        const int closed = close(fd_);
        fd_ = -1;
        if (closed != 0) Fail(target_, errno);
        if (rename(name_.c_str(), target_.c_str()) != 0) Fail(target_, errno);
        name_.clear();
    }

private:
    // Gives the anonymous file the name `name`; fails with EEXIST where the
    // name is taken.
    int LinkTo(const std::string& name) const {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    }

    const std::string& target_;
    std::string folderPrefix_;
    std::string name_;  // the named file's name, empty while it has none
    int fd_ = -1;
};

// A replaced file keeps its permission bits and, where we may give them
// (as root, or a group we belong to), its owner and group; neither failing
// to give them is an error.  Set-ID bits are not carried over to contents
// someone else wrote.
void KeepOwnerAndMode(int fd, const struct stat& old, const std::string& path) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither is ours to give, so the file stays ours.
    }
    if (fchmod(fd, old.st_mode & 0777) != 0) Fail(path, errno);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    const FileSizeSignalHeld held;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path, errno);
        }
        written += std::size_t(n);
    }
}

}  // namespace

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') Fail(path, EISDIR);
    struct stat old {};
    const bool replacing = stat(path.c_str(), &old) == 0;
    // A new file gets 0666 less the umask, which the kernel applies on
    // creation; a replacement starts private and takes the old file's bits
    // before a byte is written.
    TemporaryFile temporary(path, replacing ? S_IRUSR | S_IWUSR : 0666);
    if (replacing) KeepOwnerAndMode(temporary.Descriptor(), old, path);
    WriteAll(temporary.Descriptor(), bytes, path);
    if (fsync(temporary.Descriptor()) != 0 && errno != EINVAL) Fail(path, errno);
    temporary.Install();
}

}  // namespace cvcalc
