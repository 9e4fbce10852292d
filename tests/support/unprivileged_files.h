// Makes permission checks bind in tests that run as the superuser: while an object of this class
// lives, the calling thread opens and creates files as an ordinary user (the file-system user
// id only, so everything else stays privileged).
#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

#include <string>

class TUnprivilegedFiles {
  public:
    static constexpr uid_t kNobody = 65534;

    TUnprivilegedFiles() : m_switched(::geteuid() == 0) {
        if (m_switched) ::setfsuid(kNobody);
    }
    ~TUnprivilegedFiles() {
        if (m_switched) ::setfsuid(0);
    }
    // Hands a file or directory to that user when the tests run as the superuser.
    static void GiveAway(const std::string& path) {
        if (::geteuid() == 0) [[maybe_unused]]
            int ignored = ::chown(path.c_str(), kNobody, kNobody);
    }

    TUnprivilegedFiles(const TUnprivilegedFiles&) = delete;
    TUnprivilegedFiles& operator=(const TUnprivilegedFiles&) = delete;

  private:
    bool m_switched;
};
