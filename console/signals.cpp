#include "console/signals.h"

#include <atomic>
#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace console {

namespace {

std::atomic<const char*> doomed_file{nullptr};
std::atomic<const termios*> terminal_mode{nullptr};
std::atomic<int> terminal{-1};
const int stop_signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void on_stop(int signal)
{
    if (const char* path = doomed_file.load())
        ::unlink(path);
    if (const termios* mode = terminal_mode.load())
        ::tcsetattr(terminal.load(), TCSANOW, mode);
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
}

}  // namespace

void catch_stop_signals()
{
    struct sigaction action {};
    action.sa_handler = on_stop;
    sigfillset(&action.sa_mask);
    for (const int signal : stop_signals)
        ::sigaction(signal, &action, nullptr);
}

void remove_on_stop(const char* path) { doomed_file = path; }

void restore_on_stop(int fd, const termios* mode)
{
    terminal_mode = nullptr;
    terminal = fd;
    terminal_mode = mode;
}

}  // namespace console
