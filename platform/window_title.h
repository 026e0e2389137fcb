// The title of the program's window, in UTF-8 (the toolkit alone would hand it to the window
// system as Latin-1, turning the dash of "3D TV — anaglyph" into three odd characters).
#pragma once

// Sets the title of the toolkit's current window, which must have an OpenGL context current.
void set_window_title(const char* utf8);
