// One stereo frame: the scene twice side by side, left eye in the left half.
#pragma once

#include <optional>

#include "app/shared_state.h"
#include "render/field_geometry.h"

// Camera x of each eye (scene units): 0.0375 in single precision, widened.
double eye_x(int eye_index);

// Where an eye's camera stands in the scene frame (the model transform of the view undone), and
// how far the near clipping plane reaches there. None when the view cannot be undone (zoom 0
// or not finite).
std::optional<SceneCamera> camera_in_scene(const ViewState& view, int eye_index);

// One stereo frame with the given drawing of the wave fields in each eye; on_display draws it
// with draw_field_scene (the benchmarks with other drawings of the same fields).
void draw_stereo_frame(void (*draw_fields)());

void on_display();
