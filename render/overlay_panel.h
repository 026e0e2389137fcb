// Panels over the scene, on the screen's plane (the readout, the Fresnel curves): each painted
// once into a texture of exactly its size on the screen and laid over every picture of the
// frame as one quad, sampled texel for pixel, so that it is the same in every eye's picture and
// costs one quad a picture. Side by side, a panel is painted at its true shape and halved in
// width (each pixel the mean of two), for the television to stretch back: strokes squeezed
// before rasterising would lose their short horizontal bars.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "scene/eye_passes.h"

struct OverlayPanel {
    GLuint texture = 0;
    int32_t x = 0, y = 0;           // lower left corner in the picture, pixels
    int32_t width = 0, height = 0;  // on the screen, pixels
};

// Paints a panel of painted_width x height pixels into the lower left corner of the back buffer
// (which the frame then clears): its background in (r, g, b), then whatever paint draws in an
// orthographic projection of those pixels, lighting, depth test and blending off. Keeps it,
// halved to shown_width when that is less, at (x, y) of the picture.
void paint_overlay_panel(OverlayPanel& panel, int32_t x, int32_t y, int32_t painted_width,
                         int32_t shown_width, int32_t height, const float background[3],
                         void (*paint)(const void* context), const void* context);

// Lays the panel over the picture of pass; alpha below 1 lets the scene show through.
void draw_overlay_panel(const OverlayPanel& panel, const EyePass& pass, float alpha);

// Draws vertices (x, y per vertex, two per segment) as lines of width pixels in one call.
void draw_line_segments(const std::vector<float>& vertices, float width);
