// Whole-file writes: the target replaced or made whole, its mode and owner
// kept, and nothing left beside it after a failure, a file-size limit or a
// kill.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <stddef.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/core/FileWrite.h"

using namespace cvcalc;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::string MessageOf(const std::string& path, const std::string& bytes) {
    try {
        WriteFileReplacing(path, bytes);
    } catch (const EFileWrite& e) {
        return e.Message();
    }
    return "(no error)";
}

// The message of a save that failed for `reason`.
std::string CannotSave(const std::string& path, std::string_view reason) {
    std::string message = "'";
    message += path;
    message += "' を保存できません: ";
    message += reason;
    return message;
}

// Runs `child` in a child process and returns its wait status; the child's
// return value is its exit code.
template <class Child>
int StatusOfChild(Child&& child) {
    const pid_t pid = fork();
    if (pid == 0) _exit(child());
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    return status;
}

// Puts the calling process under a seccomp filter that answers the given
// system calls with `action`; every other call is allowed.
bool Filter(std::initializer_list<long> calls, std::uint32_t action) {
    std::vector<sock_filter> program = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const long call : calls) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, action));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

class FileWrite : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::filesystem::temp_directory_path() / ("cvcalc-write-" + std::to_string(getpid()) + "-" + info->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) names.insert(entry.path().filename());
        return names;
    }

    std::filesystem::path folder_;
};

TEST_F(FileWrite, WritesAndReplacesLeavingOnlyTheTarget) {
    const std::string path = PathOf("chart.csv");
    WriteFileReplacing(path, "first");
    EXPECT_EQ(Contents(path), "first");
    WriteFileReplacing(path, "second, longer");
    EXPECT_EQ(Contents(path), "second, longer");
    WriteFileReplacing(path, "");
    EXPECT_EQ(Contents(path), "");
    EXPECT_EQ(Names(), std::set<std::string>{"chart.csv"});
    const std::string missing = PathOf("nowhere/chart.csv");
    EXPECT_EQ(MessageOf(missing, "x"), CannotSave(missing, "No such file or directory"));
    EXPECT_EQ(MessageOf(folder_.string(), "x"), CannotSave(folder_.string(), "Is a directory"));
    EXPECT_EQ(Names(), std::set<std::string>{"chart.csv"});
}

// Saving over a 0600 file left it 0644: the bits came from the umask.
TEST_F(FileWrite, SavingOverAFileKeepsItsModeOwnerAndGroup) {
    const std::string path = PathOf("report.html");
    for (const mode_t mode : {0600, 0640, 0444, 0755, 0000}) {
        SCOPED_TRACE(mode);
        std::ofstream(path) << "old";
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        WriteFileReplacing(path, "new");
        EXPECT_EQ(ModeOf(path), mode);
        EXPECT_EQ(Contents(path), "new");
    }
    // Set-ID bits are not carried over to new contents.
    ASSERT_EQ(chmod(path.c_str(), 06750), 0);
    WriteFileReplacing(path, "newer");
    EXPECT_EQ(ModeOf(path), 0750u);
    if (geteuid() == 0) {  // only root may give a file away
        ASSERT_EQ(chown(path.c_str(), 4321, 4322), 0);
        WriteFileReplacing(path, "newest");
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4322u);
    }
    EXPECT_EQ(Names(), std::set<std::string>{"report.html"});
}

TEST_F(FileWrite, ANewFileTakesTheUmask) {
    for (const auto& [mask, mode] : {std::pair<mode_t, mode_t>{022, 0644}, {027, 0640}, {077, 0600}, {0, 0666}}) {
        SCOPED_TRACE(mask);
        const std::string path = PathOf("new-" + std::to_string(mask));
        const mode_t before = umask(mask);
        WriteFileReplacing(path, "x");
        umask(before);
        EXPECT_EQ(ModeOf(path), mode);
    }
}

// Names of 249 to 255 bytes could not be saved: the temporary name was the
// target's name with a suffix, past the name limit.
TEST_F(FileWrite, NamesUpToTheLimitAreSaved) {
    for (const std::size_t length : {249u, 254u, 255u}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(length - 4, 'n') + ".csv";
        const std::string path = PathOf(name);
        WriteFileReplacing(path, "new");
        WriteFileReplacing(path, "replaced");
        EXPECT_EQ(Contents(path), "replaced");
        EXPECT_EQ(Names(), std::set<std::string>{name});
        std::filesystem::remove(path);
    }
    const std::string tooLong = PathOf(std::string(252, 'n') + ".csv");
    EXPECT_EQ(MessageOf(tooLong, "x"), CannotSave(tooLong, "File name too long"));
    EXPECT_TRUE(Names().empty());
}

// A file-size limit (ulimit -f) ended the program with SIGXFSZ; the save
// must fail like a full disk, and the signal must not arrive later.
TEST_F(FileWrite, FileSizeLimitEndsInTheErrorNotInSIGXFSZ) {
    const std::string path = PathOf("big.csv");
    std::ofstream(path) << "old";
    const int status = StatusOfChild([&] {
        const rlimit limit{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        if (MessageOf(path, std::string(65536, 'x')) != CannotSave(path, "File too large")) return 11;
        sigset_t set;
        if (pthread_sigmask(SIG_BLOCK, nullptr, &set) != 0 || sigismember(&set, SIGXFSZ)) return 12;
        if (sigpending(&set) != 0 || sigismember(&set, SIGXFSZ)) return 13;
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Names(), std::set<std::string>{"big.csv"});
}

// A save killed while it wrote left a temporary file of up to 23 MB beside
// the target.  The child here is killed when it has written every byte and
// asks for them to reach the disk, the moment with the most to leave.
TEST_F(FileWrite, AKilledSaveLeavesNoTemporaryFile) {
    const int probe = open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) GTEST_SKIP() << "no anonymous files in " << folder_ << "; a killed save leaves its temporary file";
    close(probe);
    const std::string path = PathOf("figure.svg");
    std::ofstream(path) << "old";
    const int status = StatusOfChild([&] {
        if (!Filter({SYS_fsync, SYS_fdatasync}, SECCOMP_RET_KILL_PROCESS)) return 10;
        WriteFileReplacing(path, std::string(1 << 20, 'x'));
        WriteFileReplacing(PathOf("new.svg"), std::string(1 << 20, 'x'));
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit code " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGSYS);
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(Names(), std::set<std::string>{"figure.svg"});
}

// Where the file system has no anonymous files, a named temporary file
// does their work and is gone afterwards.
TEST_F(FileWrite, WithoutAnonymousFilesANamedTemporaryServes) {
    const std::string path = PathOf("data.csv");
    std::ofstream(path) << "old";
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    const int status = StatusOfChild([&] {
        // Only the anonymous open fails: openat with O_TMPFILE among its flags.
        constexpr std::uint32_t TmpFileBit = O_TMPFILE & ~O_DIRECTORY;
        std::vector<sock_filter> program = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
            BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, TmpFileBit, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) != 0)
            return 10;
        if (open(folder_.c_str(), O_TMPFILE | O_WRONLY, 0600) >= 0 || errno != EOPNOTSUPP) return 11;
        WriteFileReplacing(path, "replaced");
        WriteFileReplacing(PathOf("new.csv"), "new");
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Contents(path), "replaced");
    EXPECT_EQ(ModeOf(path), 0600u);
    EXPECT_EQ(Contents(PathOf("new.csv")), "new");
    EXPECT_EQ(Names(), (std::set<std::string>{"data.csv", "new.csv"}));
}

}  // namespace
