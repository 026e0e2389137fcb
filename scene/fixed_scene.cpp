// What every picture shows the same: the planes, the axis triad and its letters.
#include "scene/frame_inputs.h"

FixedScene fixed_scene(const RoleColours& c) {
    const AxisPiece shaft{
        false,       false,      {0, 0, 0}, 0, {0, 0, 0}, axis_shaft_radius, axis_shaft_length,
        axis_slices, axis_stacks};
    const AxisPiece tip{true,       false,           {0, 0, 0},       0,
                        {0, 0, 0},  axis_tip_radius, axis_tip_length, axis_slices,
                        axis_stacks};
    // Cylinders and cones are built along local +z: turned onto x and y, the tips moved to the
    // shafts' ends.
    const auto onto = [](AxisPiece p, float degrees, float x, float y, float z) {
        p.turn_deg = degrees;
        p.turn_axis[0] = x;
        p.turn_axis[1] = y;
        p.turn_axis[2] = z;
        return p;
    };
    const auto moved = [](AxisPiece p, float x, float y, float z) {
        p.moved = true;
        p.at[0] = x;
        p.at[1] = y;
        p.at[2] = z;
        return p;
    };
    const float l = float(axis_shaft_length);
    return FixedScene{
        {1.08f, 0.0f, 0.0f},
        {c.fixed.r, c.fixed.g, c.fixed.b},
        0.3f,
        0.3f,
        // Lit like glass facing the light in the start view: their geometric normals would
        // light them to almost exactly the grey of the background there, so that they vanished.
        {0.679f, 0.524f, 0.514f},
        c.letters_lit,
        // Two strips of the plane of incidence (|x| <= 0.68, 0.7 <= |z| <= 3.88), the interface.
        {{{{0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 0.7f}, {0.68f, 0.0f, 0.7f}}},
         {{{0.68f, 0.0f, -3.88f},
           {-0.68f, 0.0f, -3.88f},
           {-0.68f, 0.0f, -0.7f},
           {0.68f, 0.0f, -0.7f}}},
         {{{-3.0f, 3.0f, 0.0f}, {-3.0f, -3.0f, 0.0f}, {3.0f, -3.0f, 0.0f}, {3.0f, 3.0f, 0.0f}}}},
        {onto(shaft, 90, 0, 1, 0), onto(moved(tip, l, 0, 0), 90, 0, 1, 0), shaft,
         moved(tip, 0, 0, l), onto(shaft, -90, 1, 0, 0), onto(moved(tip, 0, l, 0), -90, 1, 0, 0)},
        // Lying in planes parallel to the plane of incidence, upright in the default view; "x"
        // in the proportional font, "y" and "z" in the mono-spaced one.
        {{'x', {0.5f, 0.0f, 0.021f}, 270.0f, 0.001f, StrokeFont::roman},
         {'y', {0.0f, 0.5f, 0.01f}, -90.0f, 0.001f, StrokeFont::mono_roman},
         {'z', {0.0f, 0.0f, 0.5f}, 270.0f, 0.001f, StrokeFont::mono_roman}}};
}
