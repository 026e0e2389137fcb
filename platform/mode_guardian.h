// The display mode comes back even when the program cannot put it back itself: killed with
// SIGKILL or by the out-of-memory killer, crashed, or cut off from its X server. A guardian
// process, started right after the switch, waits for the program's end and, unless the
// program dismissed it first, puts the saved mode back and ends.
#pragma once

// Starts the guardian; it calls restore (in its own process) if the program ends undismissed.
// Without a way to start one, the program goes on unguarded.
void start_mode_guardian(void (*restore)());

// The program has put the mode back itself: the guardian ends without touching the display.
void dismiss_mode_guardian();
