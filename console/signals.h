// What a stop signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT) does before it ends the process.
#ifndef CONSOLE_SIGNALS_H
#define CONSOLE_SIGNALS_H

struct termios;

namespace console {

// From the first call on, SIGINT, SIGTERM, SIGHUP and SIGQUIT run the clean-ups registered
// below (async-signal-safe calls only), then end the process by the same signal (default
// action restored, signal unblocked, raised again), so the shell sees what stopped it.
void catch_stop_signals();
// The file to remove when a stop signal arrives; nullptr for none. The name must stay valid
// until it is replaced (prepare it before; the handler only calls unlink on it).
void remove_on_stop(const char* path);
// The terminal mode to put back on `fd` (tcsetattr, TCSAFLUSH or TCSANOW) when a stop
// signal arrives; nullptr for none. The termios object must stay valid until replaced.
void restore_on_stop(int fd, const struct termios* mode);

}  // namespace console

#endif
