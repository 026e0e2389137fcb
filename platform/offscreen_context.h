// An OpenGL context on a window that is never shown, for pictures drawn off the screen
// (--snapshot, --record): no window appears and the display mode is never touched.
#pragma once

#include <string>

// Makes such a context current; false with one line in error when there is no display to open
// (display_name, or the environment's when null) or no OpenGL on it.
bool open_offscreen_context(const char* display_name, std::string& error);
