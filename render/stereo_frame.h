// One stereo frame: the scene twice side by side, left eye in the left half.
#pragma once

// Camera x of each eye (scene units): 0.0375 in single precision, widened.
double eye_x(int eye_index);

void on_display();
