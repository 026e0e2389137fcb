// The OpenGL backend: draws a frame description (scene/frame_description.h) with the
// fixed-function pipeline, GLU and the toolkit. It keeps only what OpenGL needs kept (the one
// quadric, the panels' textures and font, the off-screen target) in a record the shell
// owns, and sets every piece of state it relies on at the start of each frame.
#pragma once

#include <GL/glu.h>

#include <memory>
#include <optional>

#include "render/overlay_panel.h"
#include "render/panel_font.h"
#include "scene/frame_description.h"

// An off-screen framebuffer and its colour and depth buffers, kept while the size stays.
struct OffscreenTarget {
    GLuint framebuffer = 0, buffers[2] = {0, 0};  // colour, depth
    int32_t width = 0, height = 0;
};

struct GlBackend {
    GLUquadric* quadric = nullptr;    // every cylinder's, in its default state; made once
    std::shared_ptr<PanelFont> font;  // the panels' text, opened at the first panel
    OverlayPanel readout, curves, caption, legend;
    LayeredPanel field_map;  // the map under the rest of its panel
    // What the panels' textures hold: painted again only when it changes.
    std::optional<ReadoutOverlay> readout_painted, caption_painted;
    std::optional<CurvesOverlay> curves_painted, legend_painted, field_map_painted;
    OffscreenTarget target;
};

// The state every frame starts from, in start-up's order: the clear colour, smooth shading,
// colour material, the directional light from (1, 1, 1) under the current modelview, depth
// test and alpha blending.
void set_fixed_gl_state(Rgb background);

// Draws the wave fields of a picture, in the scene frame: draw_fields below, or a reference
// drawing of the same fields (the checks and benchmarks of leaving out what cannot show).
using FieldsDrawing = void (*)(GlBackend& gl, const EyePicture& eye);

// Draws the frame into the current framebuffer; shows it when swap.
void draw_frame(GlBackend& gl, const FrameDescription& frame, bool swap = true,
                FieldsDrawing fields = nullptr);

// The panels over the pictures (the readout, the curves): painted again before the frame's
// clear only when what they show has changed (the field map's rest only when more than the map
// has), then laid in the column of eye's picture.
void prepare_panels(GlBackend& gl, const FrameDescription& frame);
void draw_panels(GlBackend& gl, const FrameDescription& frame, const EyePicture& eye);

// The wave fields of one picture, in the current modelview (the scene frame).
void draw_fields(GlBackend& gl, const EyePicture& eye);

// The arrow glyph in the current colour; leaves face culling off, as the scene keeps it.
void draw_arrow(GlBackend& gl, const Arrow& arrow);

// The fixed scene's pieces, in the scene frame.
void draw_axes(GlBackend& gl, const FixedScene& fixed);
void draw_axis_labels(const FixedScene& fixed);
void draw_interface_planes(const FixedScene& fixed);
