#include "render/readout.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/frame_state.h"
#include "render/overlay_panel.h"
#include "render/readout_text.h"
#include "render/stroke_font.h"

namespace {

// All the text in one draw call: the software renderer's time goes per call and per state
// change, which a character at a time would multiply by some five hundred.
void draw_text(const ReadoutLayout& l, const std::vector<std::string>& lines) {
    static std::vector<float> vertices;  // keeps its capacity; rewritten every time
    vertices.clear();
    for (size_t k = 0; k < lines.size(); ++k) {
        append_text_strokes(mono_stroke_glyphs(), lines[k], l.text_x,
                            l.first_baseline_y - double(k) * l.line_height, l.glyph_scale_x,
                            l.glyph_scale_y, vertices);
    }
    glColor3f(0.95f, 0.95f, 0.9f);
    draw_line_segments(vertices, static_cast<GLfloat>(l.stroke_width));
}

// The readout as painted last: its lines, for pictures of this size and squeeze. Even in one
// draw call the text's some eight thousand strokes would cost the software renderer a few
// milliseconds a picture; the panel's texture, a fraction of one.
struct ReadoutPanel {
    OverlayPanel image;
    std::vector<std::string> lines;
    int32_t picture_width = 0, picture_height = 0;
    double squeeze = 0.0;
};
ReadoutPanel panel;

struct Painting {
    const ReadoutLayout* layout;
    const std::vector<std::string>* lines;
    int32_t x, y;  // the painted panel's corner in the picture
};

void paint_readout(const void* context) {
    const Painting& p = *static_cast<const Painting*>(context);
    glTranslatef(-float(p.x), -float(p.y), 0.0f);  // the layout is in the picture's pixels
    draw_text(*p.layout, *p.lines);
}

PanelRect shown_rect() {
    const OverlayPanel& i = panel.image;
    return {double(i.x), double(i.y), double(i.width), double(i.height)};
}

}  // namespace

PanelRect prepare_readout(const EyePass& pass, StereoView view) {
    std::string status = clock_running(g_animation.pause_counter) ? "" : "paused";
    if (!g_activity.empty()) status += (status.empty() ? "" : ", ") + g_activity;
    const std::vector<std::string> lines = readout_lines(g_label, g_scenario, g_solution, status);
    // Side by side the text is squeezed to half width: the television stretches it back.
    const double squeeze = view == StereoView::sbs ? 0.5 : 1.0;
    if (panel.image.texture != 0 && lines == panel.lines && pass.width == panel.picture_width &&
        pass.height == panel.picture_height && squeeze == panel.squeeze) {
        return shown_rect();
    }
    const ReadoutLayout shown = readout_layout(pass.width, pass.height, squeeze, lines);
    const ReadoutLayout painted = readout_layout(pass.width, pass.height, 1.0, lines);
    panel.lines = lines;
    panel.picture_width = pass.width;
    panel.picture_height = pass.height;
    panel.squeeze = squeeze;
    const int32_t painted_width = whole_pixels(painted.panel_width);
    const int32_t width = squeeze == 1.0 ? painted_width : (painted_width + 1) / 2;
    const int32_t height = whole_pixels(shown.panel_height);
    const auto y = static_cast<int32_t>(std::lround(shown.panel_y));
    const Painting painting{&painted, &lines, static_cast<int32_t>(std::lround(painted.panel_x)),
                            y};
    const float background[3] = {0.05f, 0.05f, 0.08f};
    paint_overlay_panel(
        panel.image, static_cast<int32_t>(std::lround(shown.panel_x + shown.panel_width)) - width,
        y, painted_width, width, height, background, paint_readout, &painting);
    return shown_rect();
}

void draw_readout(const EyePass& pass) {
    draw_overlay_panel(panel.image, pass, 0.8f);  // the scene shows faintly through
}
