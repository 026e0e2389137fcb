// The readout over the scene: what it says about the scenario and the interface, and where it
// goes in a picture. Pure functions; the drawing is in render/readout.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/interface_solver.h"
#include "scene/drawables.h"
#include "scene/frame_records.h"

// The lines of the readout, top to bottom, in ASCII (the toolkit's stroke fonts have no Greek):
// the scenario's origin, the incident wave, the media (by name where they have one) and the
// frequency, what each named material's values come from, medium 2's refractive index, loss
// tangent and impedance, the transmitted wave, the special angles, the Fresnel coefficients,
// the power balance, and the status ("paused") when there is one. pseudo_brewster_deg: the
// least R_par of a lossy medium 2, as the Fresnel curves find it.
std::vector<std::string> readout_lines(const ScenarioLabel& label, const WaveScenario& sc,
                                       const InterfaceSolution& s, const std::string& status,
                                       std::optional<double> pseudo_brewster_deg = std::nullopt);

// 56.8 mm, 1.2 m, 115 nm, 1.2 km: three figures before an SI prefix.
std::string length_text(double metres);

// 385 MHz, 1 GHz, 10 GHz, 1 PHz.
std::string frequency_text(double hz);

// What a material's values at f (Hz) come from: "water: double Debye (Meissner & Wentz 2004)",
// or outside its models "water: no model from 500 GHz to 265 THz; values of 500 GHz".
struct Material;
std::string material_note(const Material& material, double hz);
// A material's models and the gaps between them, a line each: "BAND  MODEL".
std::vector<std::string> material_band_lines(const Material& material);

// Where the readout goes in a picture of width x height pixels, whose text is squeezed
// horizontally by squeeze (0.5 side by side, for the television's stretch): a dark panel in
// the lower right corner, its text in lines of line_height pixels.
ReadoutLayout readout_layout(double width, double height, double squeeze,
                             const std::vector<std::string>& lines, double text_scale = 1.0);
