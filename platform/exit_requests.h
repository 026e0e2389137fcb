// Requests from outside to end the program while the display mode is switched: on POSIX the
// signals SIGINT, SIGTERM and SIGHUP; on Windows the console's Ctrl+C, Ctrl+Break and close
// button. Each must put the display mode back before the program ends.
#pragma once

// Starts watching. A request is only noted (a signal handler may do little), and the program
// acts on it from its clock. On Windows the console's handler runs on a thread of its own: should
// the clock not act within two seconds, it calls restore there and ends the process.
void watch_exit_requests(void (*restore)());

// The request noted and not yet acted on: a signal number, or 0.
int pending_exit_request();

// Ends the process as the request would have ended it, so that the shell sees it.
[[noreturn]] void end_as_requested(int request);
