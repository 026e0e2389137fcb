// The colours of every role in the picture, one table per theme and palette, in this one place.
// The classic theme and palette are the picture as it always was: the grey background, gold
// field arrows with a red one at each interface sample, magenta and green tangential fields.
// The projector theme is for lit rooms: a light background, dark colours of at least 3:1
// contrast on it, wider lines and larger text. The colour-blind palette keeps every role apart
// by at least 15 in CIELAB (dE76) for normal vision and under protanopia, deuteranopia and
// tritanopia.
#pragma once

#include <optional>
#include <string>

#include "scene/drawables.h"

enum class Theme { classic, projector };
enum class Palette { classic, colour_blind };
const char* theme_name(Theme theme);
const char* palette_name(Palette palette);
std::optional<Theme> parse_theme(const std::string& name);      // "classic", "projector"
std::optional<Palette> parse_palette(const std::string& name);  // "classic", "colour-blind"

struct RoleColours {
    Rgb background;
    // The roles of the fields: E, E at a ray's interface sample, the tangential field and its
    // components, eta1 H and H at the interface sample, the Poynting vectors, the traces.
    Rgb field, field_at_interface, tangential, tangential_parts, magnetic, magnetic_at_interface,
        poynting, traces;
    Rgb guide;  // the dashed guide lines
    Rgb fixed;  // the planes, the axes and their letters
    // The panels over the scene.
    Rgb panel, readout_ink, curves_ink;
    Rgb curve_parallel, curve_perpendicular, curve_marker, curve_cursor;
    float line_width;   // pixels, of the lit lines
    double text_scale;  // of the readout's text, against the classic size
    bool letters_lit;   // the axis letters shaded by the light (they would vanish on white)
};

const RoleColours& role_colours(Theme theme, Palette palette);
