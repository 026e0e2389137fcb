#include <windows.h>

#include "platform/exit_requests.h"

namespace {

void (*restore_mode)() = nullptr;

// Runs on a thread of its own. Ctrl+C and Ctrl+Break end the process as their default handler
// would; after the close button Windows ends it as soon as this returns.
BOOL WINAPI on_console_event(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
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
    return 0;
}

void end_as_requested(int request) {
    ExitProcess(static_cast<UINT>(request));
}
