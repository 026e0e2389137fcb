// The data a frame is made of, with no graphics API and no physics: colours, segments, the
// sphere batches of the traces, and the 2-D overlays' panels, polylines and texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/vec3.h"

struct Rgb {
    float r, g, b;
};
inline bool operator==(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

struct Segment {
    Vec3 from, to;
};

// A rectangle of a picture: pixels from its lower left corner.
struct PanelRect {
    double x, y, width, height;
};
bool overlap(const PanelRect& a, const PanelRect& b);

// Where the readout's text goes in its panel; all in pixels of the picture from its lower left
// corner, glyph scales in pixels per text unit (scene/panel_text.h).
struct ReadoutLayout {
    double panel_x, panel_y, panel_width, panel_height;
    double text_x, first_baseline_y, line_height;
    double glyph_scale_x, glyph_scale_y;
};

// What the Fresnel curves' panel draws, in pixels of the painted panel.
struct PlotLine {
    std::vector<float> xy;  // vertices
    bool strip;             // a polyline, else separate segments
    Rgb colour;
    float width;             // pixels
    unsigned short stipple;  // 0 for solid
};
struct PlotText {
    std::string text;
    double x, y;  // the baseline's start, pixels
};
// An image in the panel: rgb rows bottom up, its lower left corner at (x, y) pixels.
struct PlotImage {
    int32_t x, y, width, height;
    std::vector<unsigned char> rgb;
};
struct CurvesPicture {
    std::vector<PlotLine> lines;
    std::vector<PlotText> texts;
    std::vector<PlotImage> images;  // drawn first
    double glyph_scale;             // pixels per text unit (scene/panel_text.h)
};
bool operator==(const CurvesPicture& a, const CurvesPicture& b);
