// The toolkit's mono-spaced stroke font, read as line segments (scene/text_strokes.h).
#pragma once

#include "scene/text_strokes.h"

// Read from the toolkit through OpenGL's feedback mode; needs a current context and leaves its
// state as it found it.
StrokeGlyphs read_mono_stroke_glyphs();
