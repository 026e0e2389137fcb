// Writes the strokes of the axis letters ("x" in the toolkit's proportional stroke font, "y" and
// "z" in its mono-spaced one) as a C++ header, for the page, which has no toolkit to ask. Read
// from the installed freeglut's font records, with no OpenGL context.
//
//   stroke_letters > stroke_letters.h
#include <GL/freeglut.h>

#include <cstdio>

// The toolkit's font records, as it lays them out.
struct StrokeVertex {
    GLfloat x, y;
};
struct StrokeStrip {
    int count;
    const StrokeVertex* vertices;
};
struct StrokeChar {
    GLfloat right;
    int count;
    const StrokeStrip* strips;
};
struct StrokeFont {
    char* name;
    int quantity;
    GLfloat height;
    const StrokeChar** characters;
};

namespace {

void letter(const char* name, const StrokeFont& font, char c) {
    const StrokeChar* ch = font.characters[int(c)];
    std::printf(
        "// '%c': line strips in font units\ninline const std::vector<std::vector<float>> %s = {\n",
        c, name);
    for (int s = 0; s < ch->count; ++s) {
        std::printf("    {");
        for (int v = 0; v < ch->strips[s].count; ++v) {
            std::printf("%s%.9ef, %.9ef", v ? ", " : "", ch->strips[s].vertices[v].x,
                        ch->strips[s].vertices[v].y);
        }
        std::printf("},\n");
    }
    std::printf("};\n");
}

}  // namespace

// The toolkit's own records behind GLUT_STROKE_ROMAN and GLUT_STROKE_MONO_ROMAN.
extern "C" StrokeFont fgStrokeRoman, fgStrokeMonoRoman;

int main() {
    std::printf(
        "// Made by web/tools/stroke_letters from the installed toolkit's fonts.\n#pragma once\n\n"
        "#include <vector>\n\n");
    letter("stroke_x", fgStrokeRoman, 'x');
    letter("stroke_y", fgStrokeMonoRoman, 'y');
    letter("stroke_z", fgStrokeMonoRoman, 'z');
    return 0;
}
