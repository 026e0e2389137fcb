// The guardian is a child process that holds one end of a socket pair. The program holds the
// other end, which the kernel closes however the program ends: the guardian reads one byte,
// "done", if the program put the mode back itself, and end of file otherwise.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <initializer_list>

#include "platform/mode_guardian.h"

namespace {

int program_end = -1;  // in the program: its end of the socket pair

// The guardian reads nothing, writes nothing and takes no signal from the terminal: the
// program handles Ctrl+C and a closed terminal, and ends the guardian by ending.
[[noreturn]] void guard(int guardian_end, void (*restore)()) {
    setsid();
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(null, fd);
        if (null > STDERR_FILENO) close(null);
    }
    for (int signal_number : {SIGINT, SIGHUP, SIGQUIT, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE}) {
        std::signal(signal_number, SIG_IGN);
    }
    char done = 0;
    ssize_t got = 0;
    do {
        got = read(guardian_end, &done, 1);
    } while (got < 0 && errno == EINTR);
    if (got == 0) restore();
    _exit(0);  // none of the program's exit handlers: they belong to the program
}

}  // namespace

void start_mode_guardian(void (*restore)()) {
    if (program_end >= 0) return;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        guard(ends[1], restore);
    }
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        return;
    }
    program_end = ends[0];
}

void dismiss_mode_guardian() {
    if (program_end < 0) return;
    const char done = 'd';
    // Without SIGPIPE: a guardian that is already gone is no reason to end the program.
    (void)send(program_end, &done, 1, MSG_NOSIGNAL);
    close(program_end);
    program_end = -1;
}
