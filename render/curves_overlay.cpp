#include "render/curves_overlay.h"

#include <GL/freeglut.h>

#include <cmath>

#include "render/frame_state.h"
#include "render/overlay_panel.h"
#include "render/stroke_font.h"

namespace {

struct CurvesPanel {
    OverlayPanel image;
    bool sampled = false;
    WaveScenario media{};  // the scenario the curves were sampled for
    FresnelCurves curves;
    // What the panel shows now.
    bool shown = false;
    CurvesMode mode = CurvesMode::off;
    double theta_i_deg = -1.0;
    int32_t x = 0, y = 0, painted_width = 0, shown_width = 0, height = 0;
};
CurvesPanel panel;

void paint_picture(const void* context) {
    const CurvesPicture& picture = *static_cast<const CurvesPicture*>(context);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const PlotLine& line : picture.lines) {
        if (line.xy.empty()) continue;
        glColor3f(line.colour.r, line.colour.g, line.colour.b);
        glLineWidth(line.width);
        if (line.stipple != 0) {
            // Dashes that grow with the line's width, so that thick ones stay dashed.
            glLineStipple(static_cast<GLint>(std::lround(line.width / 2)), line.stipple);
            glEnable(GL_LINE_STIPPLE);
        }
        glVertexPointer(2, GL_FLOAT, 0, line.xy.data());
        glDrawArrays(line.strip ? GL_LINE_STRIP : GL_LINES, 0,
                     static_cast<GLsizei>(line.xy.size() / 2));
        if (line.stipple != 0) glDisable(GL_LINE_STIPPLE);
    }
    glPopClientAttrib();
    std::vector<float> text;
    for (const PlotText& t : picture.texts) {
        append_text_strokes(mono_stroke_glyphs(), t.text, t.x, t.y, picture.glyph_scale,
                            picture.glyph_scale, text);
    }
    glColor3f(0.85f, 0.85f, 0.8f);
    draw_line_segments(text, static_cast<float>(picture.stroke_width));
}

}  // namespace

void prepare_curves(const EyePass& pass, StereoView view, CurvesMode mode,
                    const std::optional<PanelRect>& readout) {
    const bool resample = !panel.sampled || !same_curves(panel.media, g_scenario);
    if (resample) {
        panel.curves = fresnel_curves(g_scenario);
        panel.media = g_scenario;
        panel.sampled = true;
    }
    const double squeeze = view == StereoView::sbs ? 0.5 : 1.0;
    const std::optional<CurvesPlacement> room =
        curves_placement(pass.width, pass.height, squeeze, readout);
    panel.shown = room.has_value();
    if (!room) return;  // no room to read them in
    const CurvesPlacement& place = *room;
    const int32_t painted_width = whole_pixels(place.painted_width);
    const int32_t shown_width = squeeze == 1.0 ? painted_width : (painted_width + 1) / 2;
    const int32_t height = whole_pixels(place.shown.height);
    const auto x = static_cast<int32_t>(std::lround(place.shown.x));
    const auto y = static_cast<int32_t>(std::lround(place.shown.y));
    if (!resample && panel.image.texture != 0 && mode == panel.mode &&
        g_scenario.theta_i == panel.theta_i_deg && x == panel.x && y == panel.y &&
        painted_width == panel.painted_width && shown_width == panel.shown_width &&
        height == panel.height) {
        return;
    }
    panel.mode = mode;
    panel.theta_i_deg = g_scenario.theta_i;
    panel.x = x;
    panel.y = y;
    panel.painted_width = painted_width;
    panel.shown_width = shown_width;
    panel.height = height;
    const CurvesPicture picture = curves_picture(panel.curves, mode, g_scenario.theta_i,
                                                 painted_width, height, place.line_height);
    const float background[3] = {0.05f, 0.05f, 0.08f};
    paint_overlay_panel(panel.image, x, y, painted_width, shown_width, height, background,
                        paint_picture, &picture);
}

void draw_curves(const EyePass& pass) {
    if (panel.shown) draw_overlay_panel(panel.image, pass, 1.0f);
}
