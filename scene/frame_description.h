// One frame as data: for each eye's picture its viewport, colour channels and matrices, and
// every primitive it shows in scene units; the fixed scene; the overlays as texts, polylines
// and panels. Built by build_frame (scene/frame_inputs.h) from the shell's records; drawn by a
// backend, which only turns it into calls of its graphics API. No physics here, so that a
// backend sees nothing of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "scene/drawables.h"
#include "scene/eye_passes.h"
#include "scene/sphere_batch.h"

// --- the wave fields ------------------------------------------------------------------------

// A field arrow: the one glyph of every field vector. A shaft and a cone over the rest of its
// length, in the proportions below; both open GLU cylinders of arrow_slices x arrow_stacks,
// built along the arrow. Faces culled where the eye's camera can
// see none of a piece's inside.
struct Arrow {
    Vec3 start, end;  // scene units
    Rgb colour;
    double length;           // scene units
    Vec3 head_base;          // where the cone starts
    double orientation[16];  // column-major: local x, y, z onto the side, third axis, direction
    bool shaft_culled, head_culled;
};
inline constexpr int arrow_slices = 20, arrow_stacks = 16;
// The arrow's proportions, in units of its length.
inline constexpr double arrow_shaft_radius = 0.035, arrow_shaft_length = 0.7;
inline constexpr double arrow_head_radius = 0.08, arrow_head_length = 0.3;

// A dashed line (every other pixel: stipple factor 1, pattern 0x5555), lit, its ends sent in
// single precision.
struct DashedLine {
    Vec3 from, to;
    Rgb colour;
};
inline constexpr unsigned short dash_pattern = 0x5555;

// A polarisation trace: its spheres as one batch, and the normal a GLU sphere would leave
// current after it, which lights the lines drawn next.
struct SphereTrace {
    SphereBatch batch;
    Rgb colour;
    std::optional<Vec3> normal_after;
};
// Where a picture's trace is drawn: the index of one of its traces, which keep their batches'
// room from frame to frame.
struct TraceRef {
    size_t index;
};

// In drawing order: traces with their guide lines, then the arrows with the tangential
// displays among them.
using FieldItem = std::variant<DashedLine, TraceRef, Arrow>;

// --- the fixed scene -------------------------------------------------------------------------

// A translucent quad of the interface or the plane of incidence.
struct PlaneQuad {
    float v[4][3];  // scene units
};

// A piece of the axis triad, built along its local +z: turned onto its axis (no turn for z)
// and moved to where it starts.
// The axis triad's pieces (scene units): a GLU cylinder for each shaft, a solid cone for each
// tip, of axis_slices x axis_stacks.
inline constexpr double axis_shaft_radius = 0.0175, axis_shaft_length = 0.35;
inline constexpr double axis_tip_radius = 0.04, axis_tip_length = 0.15;
inline constexpr int axis_slices = 20, axis_stacks = 16;

struct AxisPiece {
    bool tip;        // a solid cone, else a GLU cylinder (the shaft)
    bool moved;      // translated first
    float at[3];     // scene units
    float turn_deg;  // 0: not turned
    float turn_axis[3];
    double radius, length;  // scene units
    int slices, stacks;
};

enum class StrokeFont { roman, mono_roman };
struct AxisLabel {
    char letter;
    float at[3];         // scene units, the letter's origin
    float turn_about_z;  // degrees, after standing it up (-90 degrees about x)
    float scale;         // scene units per font unit
    StrokeFont font;
};

struct FixedScene {
    float axes_at[3];               // where the triad stands, scene units
    float grey[3];                  // planes, axes and letters
    float plane_alpha, axes_alpha;  // the letters opaque
    float plane_normal[3];          // lights the planes
    bool labels_lit;                // the letters shaded by the light
    std::vector<PlaneQuad> planes;
    std::vector<AxisPiece> axes;
    std::vector<AxisLabel> labels;
};

// --- the pictures ----------------------------------------------------------------------------

struct EyePicture {
    EyePass pass;           // the scene's part of the picture
    int32_t picture_width;  // pixels, the whole picture: the scene and the column of panels
    ViewState view;         // the model transform's steps, in single precision
    Mat4 projection;        // with the camera in it, so the light stays fixed in the camera's frame
    Mat4 model;             // scene frame to the camera's world
    std::vector<FieldItem> fields;
    std::vector<SphereTrace> traces;  // what the fields' TraceRefs draw
};

// A panel over every picture, on the screen's plane: painted at its true shape and, side by
// side, halved in width for the television to stretch back.
struct PanelPlace {
    int32_t x, y;           // lower left corner in the picture, pixels
    int32_t painted_width;  // pixels, the true shape
    int32_t shown_width;    // pixels, halved side by side
    int32_t height;         // pixels
};
inline bool operator==(const PanelPlace& a, const PanelPlace& b) {
    return a.x == b.x && a.y == b.y && a.painted_width == b.painted_width &&
           a.shown_width == b.shown_width && a.height == b.height;
}

struct ReadoutOverlay {
    std::vector<std::string> lines;
    ReadoutLayout painted;  // the layout at the true shape
    int32_t painted_x;      // where the painted layout's panel starts, pixels
    PanelPlace place;
    Rgb background, ink;
    float alpha;  // the scene shows faintly through
};

struct CurvesOverlay {
    CurvesPicture picture;
    PanelPlace place;
    Rgb background, ink;
};

struct FrameDescription {
    Rgb background;
    float line_width;  // pixels, of every lit line
    std::vector<EyePicture> eyes;
    double squeeze;  // of the panels' width side by side (0.5), else 1
    FixedScene fixed;
    std::optional<CurvesOverlay> curves;
    std::optional<ReadoutOverlay> readout;
    std::optional<ReadoutOverlay> caption;   // what magnifies medium 2, at the column's top
    std::optional<CurvesOverlay> legend;     // the colours in use, above the readout
    std::optional<CurvesOverlay> field_map;  // the total field, left of the column
};
