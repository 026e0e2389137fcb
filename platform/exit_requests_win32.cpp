#include <windows.h>

#include <atomic>

#include "platform/exit_requests.h"

namespace {

void (*restore_mode)() = nullptr;
std::atomic<int> pending{0};
std::atomic<bool> taken{false};

// Runs on a thread of its own. Ctrl+C and Ctrl+Break are left to the clock's thread, which puts
// the mode back and ends the process as after ESC, so that the display settings never change
// on this thread while that one draws (Ctrl+C was lost now and then under Wine when they did).
// Should the clock not take the request within two seconds (the program waiting for a line,
// say), this thread ends the process itself, as the default handler would. After the close
// button Windows ends it as soon as this returns.
BOOL WINAPI on_console_event(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            pending = static_cast<int>(STATUS_CONTROL_C_EXIT);
            for (int k = 0; k < 40 && !taken; ++k) Sleep(50);
            if (taken) Sleep(INFINITE);  // until the clock's thread ends the process
            if (restore_mode != nullptr) restore_mode();
            ExitProcess(STATUS_CONTROL_C_EXIT);
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            if (restore_mode != nullptr) restore_mode();
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void watch_exit_requests(void (*restore)()) {
    restore_mode = restore;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

int pending_exit_request() {
    const int request = pending;
    if (request != 0) taken = true;
    return request;
}

void end_as_requested(int request) {
    ExitProcess(static_cast<UINT>(request));
}
