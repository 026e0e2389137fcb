// Keyboard commands through the toolkit: the key table (core/commands.h) and what its keys ask
// of the desktop shell (quit, pictures, the saved lesson, the window's title); the arrow keys
// pan the view, Page Down and Page Up step through the lesson.
#pragma once

#include "core/commands.h"
#include "core/examples.h"

void on_keyboard(unsigned char key, int x, int y);
void on_special_key(int key, int x, int y);
