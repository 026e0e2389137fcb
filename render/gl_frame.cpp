// A frame as OpenGL calls: the state it starts from, the panels painted when they changed,
// then each eye's picture: viewport and channels, the camera in the projection, the model
// transform, the fields, the axes and letters, the translucent planes last, the panels over it.
#include <GL/freeglut.h>

#include <cmath>

#include "render/gl_backend.h"
#include "scene/panel_text.h"

void set_fixed_gl_state(Rgb background) {
    glClearColor(background.r, background.g, background.b, 0.0f);
    glClearDepth(1.0);
    glShadeModel(GL_SMOOTH);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    const GLfloat ambient[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat diffuse[] = {0.9f, 0.9f, 0.9f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    // w = 0: a directional light from (1, 1, 1); given under the identity modelview, it stays
    // fixed in eye space while the scene turns.
    const GLfloat position[] = {100.0f, 100.0f, 100.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
}

namespace {

PanelFont& font(GlBackend& gl) {
    if (!gl.font) gl.font = std::make_shared<PanelFont>();
    return *gl.font;
}

bool operator==(const ReadoutLayout& a, const ReadoutLayout& b) {
    return a.panel_x == b.panel_x && a.panel_y == b.panel_y && a.panel_width == b.panel_width &&
           a.panel_height == b.panel_height && a.text_x == b.text_x &&
           a.first_baseline_y == b.first_baseline_y && a.line_height == b.line_height &&
           a.glyph_scale_x == b.glyph_scale_x && a.glyph_scale_y == b.glyph_scale_y;
}
bool operator==(const ReadoutOverlay& a, const ReadoutOverlay& b) {
    return a.lines == b.lines && a.painted == b.painted && a.painted_x == b.painted_x &&
           a.place == b.place && a.background == b.background && a.ink == b.ink &&
           a.alpha == b.alpha;
}
bool operator==(const CurvesOverlay& a, const CurvesOverlay& b) {
    return a.picture == b.picture && a.place == b.place && a.background == b.background &&
           a.ink == b.ink;
}
// The same painting but for the first image's pixels, wherever it lies: compared piece by
// piece, as the moving map's pixels are too many to copy for it every frame.
bool alike_but_the_first_image(const CurvesOverlay& a, const CurvesOverlay& b) {
    const std::vector<PlotImage>&p = a.picture.images, &q = b.picture.images;
    if (p.empty() || p.size() != q.size()) return false;
    for (size_t k = 0; k < p.size(); ++k) {
        if (p[k].x != q[k].x || p[k].y != q[k].y || p[k].width != q[k].width ||
            p[k].height != q[k].height || (k > 0 && p[k].rgb != q[k].rgb))
            return false;
    }
    const auto rest = [](const CurvesOverlay& o) {
        return CurvesPicture{o.picture.lines, o.picture.texts, {}, o.picture.glyph_scale};
    };
    return rest(a) == rest(b) && a.place.painted_width == b.place.painted_width &&
           a.place.shown_width == b.place.shown_width && a.place.height == b.place.height &&
           a.background == b.background && a.ink == b.ink;
}
// The same painting, wherever it lies.
bool painted_alike(const CurvesOverlay& a, CurvesOverlay b) {
    b.place.x = a.place.x;
    b.place.y = a.place.y;
    return a == b;
}

struct ReadoutPainting {
    const ReadoutOverlay* readout;
    PanelFont* font;
};

// All the text as one image: the software renderer's time goes per call and per state change,
// which a character at a time would multiply by some five hundred.
void paint_readout(const void* context) {
    const ReadoutPainting& p = *static_cast<const ReadoutPainting*>(context);
    const ReadoutOverlay& r = *p.readout;
    const ReadoutLayout& l = r.painted;
    for (size_t k = 0; k < r.lines.size(); ++k) {
        // The layout is in picture pixels, the panel from its own corner.
        draw_text(*p.font, r.lines[k], l.text_x - r.painted_x,
                  l.first_baseline_y - double(k) * l.line_height - r.place.y,
                  text_capital * l.glyph_scale_y, text_advance * l.glyph_scale_x, r.ink);
    }
}

struct CurvesPainting {
    const CurvesOverlay* curves;
    PanelFont* font;
};

void paint_curves(const void* context) {
    const CurvesPainting& p = *static_cast<const CurvesPainting*>(context);
    const CurvesPicture& picture = p.curves->picture;
    for (const PlotImage& image : picture.images) draw_image(image);
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
    for (const PlotText& t : picture.texts) {
        draw_text(*p.font, t.text, t.x, t.y, text_capital * picture.glyph_scale,
                  text_advance * picture.glyph_scale, p.curves->ink);
    }
}

}  // namespace

// The panels are painted into the back buffer's corner before the frame's clear, and only when
// what they show has changed: even in one draw call the text's some eight thousand strokes
// would cost the software renderer a few milliseconds a picture; the texture, a fraction of one.
void prepare_panels(GlBackend& gl, const FrameDescription& frame) {
    const auto text = [&](OverlayPanel& panel, std::optional<ReadoutOverlay>& painted,
                          const std::optional<ReadoutOverlay>& shown) {
        if (!shown || (painted && *painted == *shown)) return;
        const ReadoutPainting painting{&*shown, &font(gl)};
        paint_overlay_panel(panel, shown->place, shown->background, paint_readout, &painting);
        painted = shown;
    };
    text(gl.readout, gl.readout_painted, frame.readout);
    text(gl.caption, gl.caption_painted, frame.caption);
    const auto plot = [&](OverlayPanel& panel, std::optional<CurvesOverlay>& painted,
                          const std::optional<CurvesOverlay>& shown) {
        if (!shown) return;
        // A plot that only moved (above a readout grown by a line) keeps its painting.
        if (painted && painted_alike(*painted, *shown)) {
            panel.place = shown->place;
            painted = shown;
            return;
        }
        const CurvesPainting painting{&*shown, &font(gl)};
        paint_overlay_panel(panel, shown->place, shown->background, paint_curves, &painting);
        painted = shown;
    };
    plot(gl.curves, gl.curves_painted, frame.curves);
    plot(gl.legend, gl.legend_painted, frame.legend);
    if (!frame.field_map || frame.field_map->picture.images.empty()) return;
    // The map moves every frame; the rest of its panel only with the scenario.
    const CurvesOverlay& shown = *frame.field_map;
    const PlotImage& map = shown.picture.images.front();
    std::optional<CurvesOverlay>& painted = gl.field_map_painted;
    if (!painted || !alike_but_the_first_image(*painted, shown)) {
        CurvesOverlay rest = shown;
        rest.picture.images.erase(rest.picture.images.begin());
        const CurvesPainting painting{&rest, &font(gl)};
        paint_layered_panel(gl.field_map, shown.place, shown.background, shown.ink, map,
                            paint_curves, &painting);
        show_layered_image(gl.field_map, map);
    } else if (painted->picture.images.front().rgb != map.rgb) {
        show_layered_image(gl.field_map, map);
    }
    gl.field_map.panel.place = shown.place;
    painted = shown;
}

void draw_panels(GlBackend& gl, const FrameDescription& frame, const EyePicture& eye) {
    if (!frame.curves && !frame.readout && !frame.caption && !frame.legend && !frame.field_map)
        return;
    // The whole picture: the panels stand in its column beside the scene's part.
    EyePass picture = eye.pass;
    picture.width = eye.picture_width;
    glViewport(picture.x, picture.y, picture.width, picture.height);
    if (frame.curves) draw_overlay_panel(gl.curves, picture, 1.0f);
    if (frame.readout) draw_overlay_panel(gl.readout, picture, frame.readout->alpha);
    if (frame.caption) draw_overlay_panel(gl.caption, picture, frame.caption->alpha);
    if (frame.legend) draw_overlay_panel(gl.legend, picture, 1.0f);
    if (frame.field_map) draw_overlay_panel(gl.field_map.panel, picture, 1.0f);
}

namespace {

void set_viewport_and_camera(const EyePass& pass) {
    glViewport(pass.x, pass.y, pass.width, pass.height);
    // Both eyes look at the origin; the camera sits in the projection so that the modelview
    // holds only the model transform and the light stays fixed in the cameras' frame.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(pass.field_of_view_deg, pass.aspect, near_plane, far_plane);
    gluLookAt(pass.camera_x, 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void set_model_transform(const ViewState& v) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -1.0f);
    glTranslatef(0.0f, -0.15f, 0.0f);
    glTranslatef(v.pan_x, 0.0f, 0.0f);
    glTranslatef(0.0f, v.pan_y, 0.0f);
    glRotatef(v.yaw, 0.0f, 1.0f, 0.0f);
    glRotatef(v.pitch, 1.0f, 0.0f, 0.0f);
    // Scene x up the screen, z to the right, y towards the viewer.
    glRotatef(96.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(100.0f, 0.0f, 0.0f, 1.0f);
    glScalef(v.zoom, v.zoom, v.zoom);
}

}  // namespace

void draw_frame(GlBackend& gl, const FrameDescription& frame, bool swap, FieldsDrawing fields) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Nothing is taken from the frame before: the state, and the normal that lights the
    // first guide lines, which the planes leave after every frame.
    set_fixed_gl_state(frame.background);
    glLineWidth(frame.line_width);
    glNormal3fv(frame.fixed.plane_normal);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LINE_STIPPLE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    prepare_panels(gl, frame);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    for (const EyePicture& eye : frame.eyes) {
        const EyePass& pass = eye.pass;
        if (pass.clear_depth) glClear(GL_DEPTH_BUFFER_BIT);
        const bool masked = !(pass.red && pass.green && pass.blue);
        if (masked) glColorMask(pass.red, pass.green, pass.blue, GL_TRUE);
        set_viewport_and_camera(pass);
        set_model_transform(eye.view);
        if (fields != nullptr) {
            fields(gl, eye);
        } else {
            draw_fields(gl, eye);
        }
        glPushMatrix();
        glTranslatef(frame.fixed.axes_at[0], frame.fixed.axes_at[1], frame.fixed.axes_at[2]);
        draw_axes(gl, frame.fixed);
        draw_axis_labels(frame.fixed);
        glPopMatrix();
        // Last, so that the translucent planes tint everything behind them.
        draw_interface_planes(frame.fixed);
        // Over the scene, the same in every picture: on the screen's plane, without parallax.
        draw_panels(gl, frame, eye);
        if (masked) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    glFlush();
    if (swap) glutSwapBuffers();
}
