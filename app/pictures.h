// Pictures for slides: the key s saves the picture as the window shows it (PNG), the key r
// records one whole wave period (an animated GIF, 100 frames that loop seamlessly at 10 a
// second), and --snapshot / --record make the same without a window on the screen.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "app/desktop_session.h"
#include "core/options.h"
#include "core/recording.h"

// planewave3d-YYYYMMDD-HHMMSS.EXT in the current folder at local time now, with -2, -3, ...
// added when a file of that name exists: a picture never overwrites another.
std::string picture_file_name(const char* extension, std::time_t now);

// Key s: writes the window's picture and prints the file's path (or why it could not).
void save_picture();

// Key r: starts recording from the current frame, or cancels a recording under way.
void toggle_recording();
// A change that the recording cannot follow (the view, the window's size): cancels it.
void cancel_recording(const char* why);
// What the desktop's session shows now (core/recording.h).
ShownState shown_state();
// Cancels a recording under way when what it shows differs from before, saying what changed.
void cancel_recording_if_changed(const ShownState& before);
// From the clock: draws and encodes the recording's next frame; ends it after the last.
void record_next_frame();

// --snapshot, --record: draws the pictures on a context of a window never shown and writes
// them. The exit status: 0 when the file is written, 1 otherwise (a line on standard error).
int make_pictures_off_screen(const Options& options, int& argc, char** argv);
