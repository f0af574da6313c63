#pragma once

#include <csignal>
#include <sys/resource.h>

namespace testenv {

// Writes that would make a file larger than `bytes` fail as on a full disk
// (EFBIG) while this object lives; with 0 no file can grow at all, which
// also stands in for a file that cannot be written when the tests run as
// root. Only the soft limit is lowered, so it can be raised again.
class DiskNearlyFull {
public:
    explicit DiskNearlyFull(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~DiskNearlyFull() { setrlimit(RLIMIT_FSIZE, &m_saved); }
    DiskNearlyFull(const DiskNearlyFull&) = delete;
    DiskNearlyFull& operator=(const DiskNearlyFull&) = delete;

private:
    rlimit m_saved{};
};

}  // namespace testenv
