// The Fresnel curves beside the wave (key g): where the panel goes in a picture, and what it
// draws, as pure functions; render/curves_overlay.h paints it.
//
// Power: R_par, R_perp (solid) and T_par, T_perp (dashed) against theta_i, 0 to 1. Amplitude
// and phase: |Gamma|, |tau| above, their phases (degrees) below. Parallel curves are sky blue
// and thick, perpendicular ones orange and thin, so that line style alone tells them apart too.
// A vertical cursor at theta_i; the Brewster, pseudo-Brewster and critical angles marked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/fresnel_curves.h"
#include "physics/spectrum_curves.h"
#include "scene/drawables.h"
#include "scene/frame_records.h"

// Where the curves go in a picture of width x height pixels whose panels are squeezed
// horizontally by squeeze (0.5 side by side): in the column of panels at the picture's right,
// above the readout's panel when there is one, smaller when the column does not leave room.
// Their text is as large as the readout's while the picture has room for it. None when the
// room left is too small to read them in (a quarter of their size).
struct CurvesPlacement {
    PanelRect shown;       // in the picture
    double painted_width;  // pixels of the true shape, before the squeeze
    double line_height;    // pixels, for the text
};
// top: the highest it may reach (pixels from the bottom), below a panel above it.
std::optional<CurvesPlacement> curves_placement(double width, double height, double squeeze,
                                                const std::optional<PanelRect>& readout,
                                                std::optional<double> top = std::nullopt);

// Against frequency (the mode spectrum): R_par, R_perp, T_par, T_perp from 1 kHz to 1 PHz on a
// logarithmic axis, each broken where the media have no model; the bands' edges dotted, the
// cursor at freq_hz.
CurvesPicture spectrum_picture(const SpectrumCurves& curves, double freq_hz, double width,
                               double height, double line_height,
                               const RoleColours& colours = role_colours(Theme::classic,
                                                                         Palette::classic));

// What the panel draws, in a painted panel of width x height pixels with text lines of
// line_height pixels, for curves of theta_i (degrees) in mode (not off).
CurvesPicture curves_picture(const FresnelCurves& curves, CurvesMode mode, double theta_i_deg,
                             double width, double height, double line_height,
                             const RoleColours& colours = role_colours(Theme::classic,
                                                                       Palette::classic));
