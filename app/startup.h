// Start-up and end of the program: console text, the 16:9 display mode, the fixed OpenGL
// state, and the one way out that puts the display mode back.
#pragma once

#include <string>

#include "app/console_text.h"
#include "core/scenario_input.h"
#include "platform/display_mode.h"

// The service that prepare_screen and restore_display_mode use.
void set_display_mode_service(const DisplayModeService* service);

// Prints the introduction, switches the display to the 16:9 mode of its width and prints the
// key table: 0. On failure prints the message, waits for a line of input and returns -1.
int prepare_screen();

// For an ordinary window of width x height pixels: prints the introduction and the key table;
// the display mode is neither read nor changed.
void prepare_window(int32_t width, int32_t height);

// The height of the 16:9 mode of a width: the float product truncated (1920 -> 1080).
int32_t height_16_9(int32_t width);

void init_gl_state();

// Puts the mode saved at start back, once; does nothing when the mode was never switched.
void restore_display_mode();

// After a successful switch: every exit restores the display mode from an exit handler, and
// requests to end from outside (signals, the Windows console) restore it too.
void install_exit_guards();

// Acts on a pending request to end (a termination signal): restores the mode and ends as the
// request would have.
void end_program_if_signalled();

// Restores the display mode and ends the process with status.
[[noreturn]] void quit_program(int status);
