#include "render/stroke_font.h"

#include <GL/freeglut.h>

namespace {

// The strokes of every printable character, as the toolkit draws them, caught in a feedback
// buffer: an orthographic projection of 1000 units onto a 1000-pixel viewport keeps them in
// font units, shifted by 500 so that nothing is clipped.
StrokeGlyphs read_glyphs() {
    constexpr float shift = 500.0f;
    StrokeGlyphs glyphs;
    std::vector<GLfloat> feedback(1 << 14);
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT);
    glViewport(0, 0, 1000, 1000);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-shift, shift, -shift, shift, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (int c = 32; c < 127; ++c) {
        glLoadIdentity();
        glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_2D, feedback.data());
        glRenderMode(GL_FEEDBACK);
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, c);
        const GLint count = glRenderMode(GL_RENDER);
        std::vector<float>& segments = glyphs.segments[static_cast<size_t>(c)];
        for (GLint k = 0; k + 4 < count;) {
            const auto token = static_cast<GLint>(feedback[size_t(k++)]);
            if (token != GL_LINE_TOKEN && token != GL_LINE_RESET_TOKEN) break;
            for (int j = 0; j < 4; ++j) segments.push_back(feedback[size_t(k++)] - shift);
        }
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    return glyphs;
}

}  // namespace

StrokeGlyphs read_mono_stroke_glyphs() {
    return read_glyphs();
}
