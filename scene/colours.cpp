#include "scene/colours.h"

namespace {

constexpr Rgb rgb8(int r, int g, int b) {
    return {float(r) / 255.0f, float(g) / 255.0f, float(b) / 255.0f};
}

// The panels of the classic theme: light text on a dark panel.
constexpr Rgb dark_panel{0.05f, 0.05f, 0.08f}, light_ink{0.95f, 0.95f, 0.9f},
    light_curves_ink{0.85f, 0.85f, 0.8f};
// Of the projector theme: dark text on a light panel, on a light background.
constexpr Rgb light_background{0.98f, 0.98f, 0.96f}, light_panel{0.97f, 0.97f, 0.94f},
    dark_ink{0.08f, 0.08f, 0.1f}, dark_curves_ink{0.15f, 0.15f, 0.15f};

// What a theme sets, whatever the palette: the grounds, the panels, the lines and the text.
struct Look {
    Rgb background, guide, fixed, panel, readout_ink, curves_ink, curve_marker, curve_cursor;
    float line_width;
    double text_scale;
    bool letters_lit;
};
constexpr Look classic_look{{0.5f, 0.5f, 0.5f},
                            {0.5f, 0.5f, 0.5f},
                            {0.745f, 0.745f, 0.745f},
                            dark_panel,
                            light_ink,
                            light_curves_ink,
                            {0.65f, 0.65f, 0.65f},
                            {1.0f, 1.0f, 1.0f},
                            1.5f,
                            1.0,
                            true};
constexpr Look projector_look{light_background,
                              {0.35f, 0.35f, 0.35f},
                              {0.45f, 0.45f, 0.45f},
                              light_panel,
                              dark_ink,
                              dark_curves_ink,
                              {0.4f, 0.4f, 0.4f},
                              {0.0f, 0.0f, 0.0f},
                              2.5f,
                              1.25,
                              false};

// What a palette sets on a theme's ground: the fields' roles and the curves' two polarisations.
struct Roles {
    Rgb field, field_at_interface, tangential, tangential_parts, magnetic, magnetic_at_interface,
        poynting, traces, curve_parallel, curve_perpendicular;
};

constexpr RoleColours combined(const Look& l, const Roles& r) {
    return {l.background,
            r.field,
            r.field_at_interface,
            r.tangential,
            r.tangential_parts,
            r.magnetic,
            r.magnetic_at_interface,
            r.poynting,
            r.traces,
            l.guide,
            l.fixed,
            l.panel,
            l.readout_ink,
            l.curves_ink,
            r.curve_parallel,
            r.curve_perpendicular,
            l.curve_marker,
            l.curve_cursor,
            l.line_width,
            l.text_scale,
            l.letters_lit};
}

const RoleColours tables[2][2] = {
    {
        // Classic theme, classic palette.
        combined(classic_look, Roles{{1.0f, 0.84f, 0.0f},
                                     {1.0f, 0.0f, 0.0f},
                                     {1.0f, 0.0f, 1.0f},
                                     {0.0f, 1.0f, 0.0f},
                                     {0.34f, 0.71f, 0.91f},
                                     {0.0f, 0.45f, 0.70f},
                                     {0.84f, 0.37f, 0.0f},
                                     {0.2f, 0.2f, 0.48f},
                                     {0.34f, 0.71f, 0.91f},
                                     {0.9f, 0.6f, 0.0f}}),
        // Classic theme, colour-blind palette: on the grey, hues and lightnesses apart.
        combined(classic_look,
                 Roles{rgb8(255, 183, 0), rgb8(213, 94, 0), rgb8(152, 48, 152), rgb8(0, 95, 69),
                       rgb8(99, 207, 255), rgb8(25, 25, 80), rgb8(128, 56, 0), rgb8(0, 131, 205),
                       rgb8(86, 180, 233), rgb8(230, 159, 0)}),
    },
    {
        // Projector theme, classic palette: the same hues, dark enough for the light ground.
        combined(projector_look, Roles{{0.6f, 0.45f, 0.0f},
                                       {0.8f, 0.0f, 0.0f},
                                       {0.7f, 0.0f, 0.7f},
                                       {0.0f, 0.5f, 0.0f},
                                       {0.1f, 0.4f, 0.65f},
                                       {0.0f, 0.25f, 0.55f},
                                       {0.75f, 0.3f, 0.0f},
                                       {0.25f, 0.1f, 0.35f},  // apart from H's blue
                                       {0.05f, 0.35f, 0.65f},
                                       {0.75f, 0.4f, 0.0f}}),
        // Projector theme, colour-blind palette.
        combined(projector_look,
                 Roles{rgb8(132, 125, 36), rgb8(117, 52, 0), rgb8(153, 91, 125), rgb8(0, 103, 75),
                       rgb8(30, 63, 82), rgb8(25, 25, 80), rgb8(75, 33, 0), rgb8(0, 0, 0),
                       rgb8(0, 90, 150), rgb8(170, 100, 0)}),
    },
};

}  // namespace

const char* theme_name(Theme theme) {
    return theme == Theme::projector ? "projector" : "classic";
}

const char* palette_name(Palette palette) {
    return palette == Palette::colour_blind ? "colour-blind" : "classic";
}

std::optional<Theme> parse_theme(const std::string& name) {
    if (name == "classic") return Theme::classic;
    if (name == "projector") return Theme::projector;
    return std::nullopt;
}

std::optional<Palette> parse_palette(const std::string& name) {
    if (name == "classic") return Palette::classic;
    if (name == "colour-blind") return Palette::colour_blind;
    return std::nullopt;
}

const RoleColours& role_colours(Theme theme, Palette palette) {
    return tables[theme == Theme::projector][palette == Palette::colour_blind];
}
