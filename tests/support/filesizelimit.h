#pragma once
// A file-size limit, as a full disk or a quota meets a writer without anything being mounted:
// a write that would carry a regular file past the limit fails ("File too large") instead of
// raising SIGXFSZ. For this process while the object lives, or for a child about to run a program.
// (The tests run as root, for whom neither a read-only folder nor a read-only file stops a write.)
#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_signal(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        Lower(bytes);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // Between fork and exec: the ignored signal and the limit carry over into the program.
    static void InChild(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        Lower(bytes);
    }

private:
    static void Lower(rlim_t bytes)
    {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

    rlimit m_saved{};
    void (*m_signal)(int);
};
