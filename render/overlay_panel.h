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

// A panel with an image that changes every frame (the moving field map) under lines and text
// that stay. The rest is painted once and kept with its lines' and text's coverage of the
// image's place; each frame the image is laid under them on the processor and only its place
// of the texture is uploaded, where painting the panel again would cost the software renderer
// some milliseconds. It is laid over the pictures as any panel.
struct LayeredPanel {
    OverlayPanel panel;
    std::vector<unsigned char> rest;  // the painted pixels, RGBA: over the image, ink and cover
    int32_t hole_x = 0, hole_y = 0, hole_width = 0, hole_height = 0;  // the image's place
    std::vector<uint32_t> covered;  // the hole's pixels with ink, row by row, from the bottom
};

// Paints all but the image, as paint_overlay_panel paints a panel; hole is the image's place.
void paint_layered_panel(LayeredPanel& panel, const PanelPlace& place, Rgb background, Rgb ink,
                         const PlotImage& hole, void (*paint)(const void* context),
                         const void* context);

// Lays image (at the place of the hole painted last) under the rest.
void show_layered_image(LayeredPanel& panel, const PlotImage& image);

// Draws an image into the panel being painted, pixel for pixel, in one call.
void draw_image(const PlotImage& image);

// Sets text (its baseline from x, y pixels of the panel being painted, capitals capital_px high,
// characters pitch_px apart) in ink: rasterised into an image of its own box, blended in
// in one call, so that only the text's pixels are touched.
void draw_text(PanelFont& font, const std::string& text, double x, double y, double capital_px,
               double pitch_px, Rgb ink);
