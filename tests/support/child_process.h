// Running a test's body in a forked child: as an ordinary user when the tests run as the
// superuser (so permission checks bind as they do for users), or inside a private mount of a
// small tmpfs (a full disk without filling the real one). The child reports through its exit
// status: 0 passed, 1 failed (gtest's messages are printed by the child), kChildSkipped when the
// system does not allow the set-up.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

inline constexpr int kChildSkipped = 77;
inline constexpr uid_t kNobodyId = 65534;

// Runs body in a forked child and returns its exit status (128 + the signal when one ended it).
// body returns kChildSkipped to say the test cannot run here; otherwise the child passes when no
// gtest assertion failed in it.
inline int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        int code = body();
        if (code == 0 && ::testing::Test::HasFailure()) code = 1;
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Checks a child's status in the parent: a failure fails the test, a skip skips it.
#define EXPECT_CHILD_PASSED(status)                                                      \
    do {                                                                                 \
        const int childStatus = (status);                                                \
        if (childStatus == kChildSkipped) GTEST_SKIP() << "not possible on this system"; \
        EXPECT_EQ(childStatus, 0) << "the child's messages are above";                   \
    } while (0)

// In a child: from the superuser to nobody (group and user); an ordinary user stays who it is.
inline bool BecomeOrdinaryUser() {
    if (::geteuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobodyId) == 0 && ::setuid(kNobodyId) == 0;
}

namespace child_process_detail {
inline bool WriteTo(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool done = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return done;
}
}  // namespace child_process_detail

// In a child: enters a user and mount namespace of its own (the user keeps its files as the
// namespace's root) and mounts a tmpfs of sizeKiB on the existing directory dir, visible to
// nobody else. False when the system allows no such namespace.
inline bool MountPrivateTmpfs(const std::string& dir, int sizeKiB) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    using child_process_detail::WriteTo;
    WriteTo("/proc/self/setgroups", "deny");
    if (!WriteTo("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n") ||
        !WriteTo("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n"))
        return false;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    const std::string options = "size=" + std::to_string(sizeKiB) + "k,mode=0755";
    return ::mount("quillon-test", dir.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) ==
           0;
}

// In a child: gives up every capability, so file permissions bind even for the namespace's root.
inline bool DropCapabilities() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    return ::syscall(SYS_capset, &header, data) == 0;
}
