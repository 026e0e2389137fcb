// The parts of the scene that do not depend on the wave: the translucent interface and
// plane-of-incidence strips, the axis triad and its letters.
#pragma once

void draw_interface_planes();
void draw_axes();
void draw_axis_labels();
