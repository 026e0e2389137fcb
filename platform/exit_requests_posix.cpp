#include <csignal>
#include <cstdlib>
#include <initializer_list>

#include "platform/exit_requests.h"

namespace {

volatile std::sig_atomic_t pending_signal = 0;

extern "C" void remember_signal(int signal_number) {
    pending_signal = signal_number;
}

}  // namespace

void watch_exit_requests(void (*)()) {
    struct sigaction action {};
    action.sa_handler = remember_signal;
    sigemptyset(&action.sa_mask);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored by whoever started us (nohup, a background job) stays ignored.
        struct sigaction previous {};
        sigaction(signal_number, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN) sigaction(signal_number, &action, nullptr);
    }
}

int pending_exit_request() {
    return pending_signal;
}

void end_as_requested(int signal_number) {
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    std::_Exit(128 + signal_number);
}
