// Whether the window system can be reached, asked before anything is printed, so that a window
// without a display ends with one line rather than the introduction and the toolkit's message.
#pragma once

#include <string>

// "" when the display (display_name, or the environment's when null) opens; else the line that
// says which one could not be opened.
std::string display_unreachable(const char* display_name);
