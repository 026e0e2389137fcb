// The window: its title, which names the view, and its size when it is an ordinary window.
#pragma once

#include <string>

#include "app/desktop_session.h"

// "3D TV", with the view after a dash when it is not side by side: "3D TV — anaglyph".
std::string window_title(StereoView view);

// Puts the current view into the window's title.
void show_view_in_title();

// An ordinary window (--window) was resized: the picture follows its new size (pixels).
void on_reshape(int width, int height);
