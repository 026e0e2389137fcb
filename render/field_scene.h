// The wave fields of one eye: guide lines and polarisation traces, the incident and reflected
// field arrows, the transmitted field arrows, and on request the tangential fields at the
// interface. All read the shared interface solution and animation state.
#pragma once

#include "render/field_arrow.h"
#include "render/field_geometry.h"

// The three stages in order, then on request the magnetic field and the Poynting vectors;
// they share only the solution's sample_time.
void draw_field_scene();

// Two dashed guide lines and a trace of one sphere per time sample, for each wave.
void draw_polarisation_traces();
// 17 incident and 17 reflected arrows at the frame's time, interleaved, interface sample last.
void draw_incident_reflected_fields();
// 17 transmitted arrows at the same time, from the interface outwards.
void draw_transmitted_fields();
// A wave's tangential field at its interface point p, from its unscaled field e there.
void draw_tangential_fields(RayKind kind, Vec3 p, Vec3 e);
// eta1 H of every wave at the same samples and time as the electric arrows, with the
// tangential displays of eta1 H beside those of E when they are shown.
void draw_magnetic_fields();
// One arrow per wave along its time-averaged Poynting vector.
void draw_poynting_vectors();
