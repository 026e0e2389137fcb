#include "render/overlay_panel.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "scene/panel_text.h"

namespace {

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

}  // namespace

void draw_image(const PlotImage& image) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glRasterPos2f(float(image.x) + 0.25f, float(image.y) + 0.25f);
    glDrawPixels(image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    glPopClientAttrib();
}

void draw_text(PanelFont& font, const std::string& text, double x, double y, double capital_px,
               double pitch_px, Rgb ink) {
    // The box: the columns, the descenders below and the accents above, a pixel to spare.
    const auto left = int32_t(std::max(0.0, std::floor(x) - 1));
    const auto bottom = int32_t(std::max(0.0, std::floor(y - 0.45 * capital_px) - 1));
    const auto right = int32_t(std::ceil(x + pitch_px * double(text_columns(text))) + 1);
    const auto top = int32_t(std::ceil(y + 1.3 * capital_px) + 1);
    if (right <= left || top <= bottom) return;
    CoverageImage box(right - left, top - bottom);
    font.add_text(text, x - left, y - bottom, capital_px, pitch_px, box);
    const auto channel = [](float v) {
        return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    const unsigned char r = channel(ink.r), g = channel(ink.g), b = channel(ink.b);
    std::vector<unsigned char> rgba(box.coverage.size() * 4);
    for (size_t k = 0; k < box.coverage.size(); ++k) {
        rgba[4 * k] = r;
        rgba[4 * k + 1] = g;
        rgba[4 * k + 2] = b;
        rgba[4 * k + 3] = box.coverage[k];
    }
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A quarter pixel in, so that the image's pixels fall on the panel's, whatever the rounding.
    glRasterPos2f(float(left) + 0.25f, float(bottom) + 0.25f);
    glDrawPixels(box.width, box.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPopAttrib();
}

void paint_overlay_panel(OverlayPanel& panel, const PanelPlace& place, Rgb background,
                         void (*paint)(const void* context), const void* context) {
    panel.place = place;
    const int32_t painted_width = place.painted_width, shown_width = place.shown_width,
                  height = place.height;
    glPushAttrib(GL_VIEWPORT_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_TRANSFORM_BIT |
                 GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glViewport(0, 0, painted_width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, painted_width, 0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(background.r, background.g, background.b);
    glRecti(0, 0, painted_width, height);
    paint(context);
    if (panel.texture == 0) glGenTextures(1, &panel.texture);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    if (shown_width == painted_width) {
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, shown_width, height, 0);
    } else {
        std::vector<unsigned char> rgb(size_t(painted_width) * size_t(height) * 3);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glReadPixels(0, 0, painted_width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        const std::vector<unsigned char> half = halved(rgb, painted_width, height, shown_width);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, shown_width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     half.data());
        glPopClientAttrib();
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void draw_overlay_panel(const OverlayPanel& panel, const EyePass& pass, float alpha) {
    if (panel.texture == 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT | GL_TEXTURE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    // An opaque panel replaces what lies under it: no blending, no colour to multiply by.
    const bool opaque = alpha >= 1.0f;
    if (opaque) glDisable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, opaque ? GL_REPLACE : GL_MODULATE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, pass.width, 0.0, pass.height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    const PanelPlace& p = panel.place;
    glVertex2i(p.x, p.y);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2i(p.x + p.shown_width, p.y);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2i(p.x + p.shown_width, p.y + p.height);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2i(p.x, p.y + p.height);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // the matrix mode too
}
