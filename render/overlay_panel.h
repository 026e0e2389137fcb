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

#include "render/panel_font.h"
#include "scene/eye_passes.h"
#include "scene/frame_description.h"

struct OverlayPanel {
    GLuint texture = 0;
    PanelPlace place{};  // where it lies in the picture, the last painted
};

// Paints a panel of place's painted_width x height pixels into the lower left corner of the
// back buffer (which the frame then clears): its background, then whatever paint draws in an
// orthographic projection of those pixels, lighting, depth test and blending off. Keeps it,
// halved to shown_width when that is less, for place in the picture.
void paint_overlay_panel(OverlayPanel& panel, const PanelPlace& place, Rgb background,
                         void (*paint)(const void* context), const void* context);

// Lays the panel over the picture of pass; alpha below 1 lets the scene show through.
void draw_overlay_panel(const OverlayPanel& panel, const EyePass& pass, float alpha);

// Draws an image into the panel being painted, pixel for pixel, in one call.
void draw_image(const PlotImage& image);

// Sets text (its baseline from x, y pixels of the panel being painted, capitals capital_px high,
// characters pitch_px apart) in ink: rasterised into an image of its own box, blended in
// in one call, so that only the text's pixels are touched.
void draw_text(PanelFont& font, const std::string& text, double x, double y, double capital_px,
               double pitch_px, Rgb ink);
