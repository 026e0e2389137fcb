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

// Paints a panel into the back buffer's lower left corner, at its painted size, and calls
// done there before the state is put back.
template <class Done>
void paint_in_corner(const PanelPlace& place, Rgb background, void (*paint)(const void* context),
                     const void* context, Done done) {
    const int32_t painted_width = place.painted_width, height = place.height;
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
    done();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

// The painted pixels, read back (RGB, bottom row first).
std::vector<unsigned char> read_corner(int32_t width, int32_t height) {
    std::vector<unsigned char> rgb(size_t(width) * size_t(height) * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPopClientAttrib();
    return rgb;
}

// Keeps pixels (RGB or RGBA) as the panel's texture, shown_width x height.
void upload(OverlayPanel& panel, const std::vector<unsigned char>& pixels, int32_t width,
            int32_t height, GLenum format) {
    if (panel.texture == 0) glGenTextures(1, &panel.texture);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPopClientAttrib();
}

// How much of ink a pixel painted in ink over background holds, 0 to 255: the most of any
// channel in which the two stand apart.
unsigned char ink_coverage(const unsigned char* pixel, const unsigned char* ground,
                           const unsigned char* ink) {
    double most = 0;
    for (int k = 0; k < 3; ++k) {
        const int span = int(ink[k]) - int(ground[k]);
        if (std::abs(span) >= 16) most = std::max(most, double(int(pixel[k]) - ground[k]) / span);
    }
    return static_cast<unsigned char>(std::lround(std::clamp(most, 0.0, 1.0) * 255));
}

unsigned char byte_of(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
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
    paint_in_corner(place, background, paint, context, [&] {
        if (shown_width == painted_width) {
            if (panel.texture == 0) glGenTextures(1, &panel.texture);
            glBindTexture(GL_TEXTURE_2D, panel.texture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, shown_width, height, 0);
        } else {
            upload(panel,
                   halved(read_corner(painted_width, height), painted_width, height, shown_width),
                   shown_width, height, GL_RGB);
        }
    });
}

void paint_layered_panel(LayeredPanel& panel, const PanelPlace& place, Rgb background, Rgb ink,
                         const PlotImage& hole, void (*paint)(const void* context),
                         const void* context) {
    panel.panel.place = place;
    const int32_t width = place.painted_width, height = place.height;
    std::vector<unsigned char> rgb;
    paint_in_corner(place, background, paint, context, [&] { rgb = read_corner(width, height); });
    upload(panel.panel,
           place.shown_width == width ? rgb : halved(rgb, width, height, place.shown_width),
           place.shown_width, height, GL_RGB);
    // Within the hole, what covers the image: the ink, as much of it as the pixel holds.
    panel.hole_x = std::clamp(hole.x, 0, width);
    panel.hole_y = std::clamp(hole.y, 0, height);
    panel.hole_width = std::clamp(hole.x + hole.width, 0, width) - panel.hole_x;
    panel.hole_height = std::clamp(hole.y + hole.height, 0, height) - panel.hole_y;
    const unsigned char ground[3] = {byte_of(background.r), byte_of(background.g),
                                     byte_of(background.b)};
    const unsigned char pen[3] = {byte_of(ink.r), byte_of(ink.g), byte_of(ink.b)};
    panel.rest.assign(size_t(width) * size_t(height) * 4, 255);
    panel.covered.clear();
    for (size_t k = 0, n = size_t(width) * size_t(height); k < n; ++k) {
        const auto x = int32_t(k % size_t(width)), y = int32_t(k / size_t(width));
        const bool in_hole = x >= panel.hole_x && x < panel.hole_x + panel.hole_width &&
                             y >= panel.hole_y && y < panel.hole_y + panel.hole_height;
        const unsigned char* p = &rgb[3 * k];
        unsigned char* o = &panel.rest[4 * k];
        std::copy(in_hole ? pen : p, (in_hole ? pen : p) + 3, o);
        if (in_hole) o[3] = ink_coverage(p, ground, pen);
        if (in_hole && o[3] > 0) panel.covered.push_back(uint32_t(k));
    }
}

void show_layered_image(LayeredPanel& panel, const PlotImage& image) {
    const PanelPlace& place = panel.panel.place;
    const int32_t width = place.painted_width;
    if (panel.panel.texture == 0 || panel.hole_width <= 0 || panel.hole_height <= 0) return;
    // Whole pairs of columns, which halve into whole columns of the texture.
    const bool squeezed = place.shown_width != width;
    const int32_t x0 = squeezed ? panel.hole_x / 2 * 2 : panel.hole_x;
    const int32_t x1 = std::min(width, squeezed ? (panel.hole_x + panel.hole_width + 1) / 2 * 2
                                                : panel.hole_x + panel.hole_width);
    const int32_t rows = panel.hole_height, step = squeezed ? 2 : 1;
    const int32_t shown_x = x0 / step, shown_columns = std::min((x1 - x0 + step - 1) / step,
                                                                place.shown_width - shown_x);
    if (shown_columns <= 0) return;
    // Each row: the image, the rest's ink blended over it by its cover as the painting would
    // blend it, then halved where the panel is. Few of the image's pixels are covered.
    std::vector<unsigned char> line(size_t(x1 - x0) * 3 + 3),
        rgba(size_t(shown_columns) * size_t(rows) * 4, 255);
    const auto rest_rgb = [&](int32_t x, int32_t y) {
        return &panel.rest[4 * (size_t(y) * size_t(width) + size_t(x))];
    };
    size_t next_covered = 0;
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t y = panel.hole_y + row, j = y - image.y;
        for (int32_t x = x0; x < x1; ++x) {
            const int32_t i = x - image.x;
            const bool in_image = j >= 0 && j < image.height && i >= 0 && i < image.width &&
                                  x >= panel.hole_x && x < panel.hole_x + panel.hole_width;
            const unsigned char* from =
                in_image ? &image.rgb[3 * (size_t(j) * size_t(image.width) + size_t(i))]
                         : rest_rgb(x, y);
            if (in_image) {  // the image's run to the hole's end, at once
                const int32_t end =
                    std::min({x1, panel.hole_x + panel.hole_width, image.x + image.width});
                std::copy(from, from + 3 * size_t(end - x), &line[3 * size_t(x - x0)]);
                x = end - 1;
                continue;
            }
            std::copy(from, from + 3, &line[3 * size_t(x - x0)]);
        }
        for (; next_covered < panel.covered.size(); ++next_covered) {
            const uint32_t k = panel.covered[next_covered];
            const auto x = int32_t(k % uint32_t(width));
            if (int32_t(k / uint32_t(width)) != y) break;
            const unsigned char* over = rest_rgb(x, y);
            unsigned char* o = &line[3 * size_t(x - x0)];
            for (int c = 0; c < 3; ++c)
                o[c] = static_cast<unsigned char>(
                    (over[c] * over[3] + o[c] * (255 - over[3]) + 127) / 255);
        }
        std::copy(&line[3 * size_t(x1 - x0 - 1)], &line[3 * size_t(x1 - x0)],
                  &line[3 * size_t(x1 - x0)]);  // an odd last column pairs with itself
        unsigned char* o = &rgba[4 * size_t(row) * size_t(shown_columns)];
        for (int32_t column = 0; column < shown_columns; ++column, o += 4) {
            const unsigned char* p = &line[3 * size_t(step * column)];
            for (int k = 0; k < 3; ++k)
                o[k] = squeezed ? static_cast<unsigned char>((p[k] + p[k + 3] + 1) / 2) : p[k];
        }
    }
    glBindTexture(GL_TEXTURE_2D, panel.panel.texture);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, shown_x, panel.hole_y, shown_columns, rows, GL_RGBA,
                    GL_UNSIGNED_BYTE, rgba.data());
    glPopClientAttrib();
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
