#include "render/readout.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "render/frame_state.h"
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
    if (vertices.empty()) return;
    glColor3f(0.95f, 0.95f, 0.9f);
    glLineWidth(static_cast<GLfloat>(l.stroke_width));
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertices.size() / 2));
    glPopClientAttrib();
}

// The panel as an image: painted once for its lines and its picture's size, kept in a texture
// of exactly its size on the screen, and laid over every picture as one quad sampled texel for
// pixel. Even in one draw call the text's some eight thousand strokes would cost the software
// renderer a few milliseconds a picture; filtering the texture, a millisecond. For a
// side-by-side half the image is painted at the text's true shape and halved in width, each
// pixel the mean of two: strokes squeezed before rasterising lose their short horizontal bars.
struct PanelImage {
    GLuint texture = 0;
    std::vector<std::string> lines;
    int32_t picture_width = 0, picture_height = 0;
    double squeeze = 0.0;
    int32_t x = 0, y = 0, width = 0, height = 0;  // the panel in the picture, pixels
    int32_t image_width = 0;                      // the texture's width, pixels
};
PanelImage panel;

// Halves an RGB image's width, each pixel the mean of two.
std::vector<unsigned char> halved(const std::vector<unsigned char>& rgb, int32_t width,
                                  int32_t height, int32_t half_width) {
    std::vector<unsigned char> out(size_t(half_width) * size_t(height) * 3);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < half_width; ++x) {
            const unsigned char* a = &rgb[(size_t(y) * size_t(width) + size_t(2 * x)) * 3];
            const unsigned char* b = 2 * x + 1 < width ? a + 3 : a;
            unsigned char* o = &out[(size_t(y) * size_t(half_width) + size_t(x)) * 3];
            for (int k = 0; k < 3; ++k) o[k] = static_cast<unsigned char>((a[k] + b[k] + 1) / 2);
        }
    }
    return out;
}

// Paints the panel laid out by l into the lower left corner of the back buffer, which the
// frame then clears, and takes it into the texture.
void paint_panel(const ReadoutLayout& l, const std::vector<std::string>& lines) {
    const auto x = static_cast<int32_t>(std::lround(l.panel_x));
    glPushAttrib(GL_VIEWPORT_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_TRANSFORM_BIT |
                 GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glViewport(0, 0, panel.image_width, panel.height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(x, x + panel.image_width, panel.y, panel.y + panel.height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(0.05f, 0.05f, 0.08f);
    glRecti(x, panel.y, x + panel.image_width, panel.y + panel.height);
    draw_text(l, lines);
    if (panel.texture == 0) glGenTextures(1, &panel.texture);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    if (panel.width == panel.image_width) {
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, panel.width, panel.height, 0);
    } else {
        std::vector<unsigned char> rgb(size_t(panel.image_width) * size_t(panel.height) * 3);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glReadPixels(0, 0, panel.image_width, panel.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        const std::vector<unsigned char> half =
            halved(rgb, panel.image_width, panel.height, panel.width);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, panel.width, panel.height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, half.data());
        glPopClientAttrib();
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

int32_t whole_pixels(double p) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(p)));
}

}  // namespace

void prepare_readout(const EyePass& pass, StereoView view) {
    const std::vector<std::string> lines = readout_lines(
        g_label, g_scenario, g_solution, clock_running(g_animation.pause_counter) ? "" : "paused");
    // Side by side the text is squeezed to half width: the television stretches it back.
    const double squeeze = view == StereoView::sbs ? 0.5 : 1.0;
    if (panel.texture != 0 && lines == panel.lines && pass.width == panel.picture_width &&
        pass.height == panel.picture_height && squeeze == panel.squeeze) {
        return;
    }
    const ReadoutLayout shown = readout_layout(pass.width, pass.height, squeeze, lines);
    const ReadoutLayout painted = readout_layout(pass.width, pass.height, 1.0, lines);
    panel.lines = lines;
    panel.picture_width = pass.width;
    panel.picture_height = pass.height;
    panel.squeeze = squeeze;
    panel.image_width = whole_pixels(painted.panel_width);
    panel.width = squeeze == 1.0 ? panel.image_width : (panel.image_width + 1) / 2;
    panel.height = whole_pixels(shown.panel_height);
    panel.x = static_cast<int32_t>(std::lround(shown.panel_x + shown.panel_width)) - panel.width;
    panel.y = static_cast<int32_t>(std::lround(shown.panel_y));
    paint_panel(painted, lines);
}

void draw_readout(const EyePass& pass) {
    if (panel.texture == 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT | GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, pass.width, 0.0, pass.height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4f(1.0f, 1.0f, 1.0f, 0.8f);  // the scene shows faintly through
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(panel.x, panel.y);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(panel.x + panel.width, panel.y);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(panel.x + panel.width, panel.y + panel.height);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(panel.x, panel.y + panel.height);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // the matrix mode too
}
