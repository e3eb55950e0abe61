#include "console/signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace console {

namespace {

const int stop_signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Read by the handler: atomics that need no lock, so a signal never sees half a value.
std::atomic<const char*> file_to_remove{nullptr};
std::atomic<const struct termios*> terminal_mode{nullptr};
std::atomic<int> terminal{-1};
static_assert(std::atomic<const char*>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void on_stop(int signal)
{
    const int saved = errno;
    if (const char* path = file_to_remove.load())
        ::unlink(path);
    if (const struct termios* mode = terminal_mode.load())
        ::tcsetattr(terminal.load(), TCSAFLUSH, mode);
    // The other stop signals are blocked while this runs (sa_mask), so it runs once; the
    // signal itself, once unblocked with its default action, ends the process.
    struct sigaction plain = {};
    plain.sa_handler = SIG_DFL;
    ::sigemptyset(&plain.sa_mask);
    ::sigaction(signal, &plain, nullptr);
    sigset_t this_one;
    ::sigemptyset(&this_one);
    ::sigaddset(&this_one, signal);
    ::raise(signal);
    ::sigprocmask(SIG_UNBLOCK, &this_one, nullptr);
    errno = saved;  // not reached: the signal ends the process once unblocked
}

}  // namespace

void catch_stop_signals()
{
    struct sigaction handler = {};
    handler.sa_handler = on_stop;
    handler.sa_flags = SA_RESTART;
    ::sigemptyset(&handler.sa_mask);
    for (int signal : stop_signals)
        ::sigaddset(&handler.sa_mask, signal);
    for (int signal : stop_signals) {
        struct sigaction before;
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(signal, &handler, nullptr);
    }
}

void remove_on_stop(const char* path) { file_to_remove.store(path); }

void restore_on_stop(int fd, const struct termios* mode)
{
    terminal_mode.store(nullptr);  // never the new descriptor with the old mode
    terminal.store(fd);
    terminal_mode.store(mode);
}

}  // namespace console
