// The three waves as phasor vectors at their interface points: wave vector k (rad/m), electric
// field E (field units) and magnetic field H = (k x E) / (omega mu) (field units per ohm), and
// the time-averaged Poynting vector S = 1/2 Re(E x H*). Scene axes: the interface is z = 0,
// x in the plane of incidence; exp(+j omega t), so that a field at time t is Re{phasor e^jwt}.
// The permeabilities come from the scenario: the solution does not hold them.
#pragma once

#include <array>
#include <optional>

#include "physics/interface_solver.h"

struct Phasor3 {
    Complex x, y, z;
};

using Real3 = std::array<double, 3>;

enum class RayKind { incident, reflected, transmitted };

struct WavePhasors {
    Phasor3 k;  // rad/m: k1 (sin i, 0, cos i), k1 (sin i, 0, -cos i), k2 (sin t, 0, cos t)
    Phasor3 e;  // field units, the solution's amplitudes and phases
    Phasor3 h;  // (k x E) / (omega mu)
};

// A wave at its interface point (the transmitted one just inside medium 2).
WavePhasors wave_phasors(RayKind kind, const WaveScenario& sc, const InterfaceSolution& s);

// The real part of phasor times e^(j psi), scaled by decay: the instantaneous field.
Real3 instantaneous(const Phasor3& phasor, double psi_rad, double decay = 1.0);

// S = 1/2 Re(E x H*), field units squared per ohm.
Real3 time_averaged_poynting(const WavePhasors& w);

// The normal components of the three waves' Poynting vectors as fractions of the incident
// one's: what flows in (1), what the reflected wave carries back, what crosses into medium 2.
// None without an incident wave.
struct NormalFlux {
    double reflected, transmitted;
};
std::optional<NormalFlux> normal_flux(const WaveScenario& sc, const InterfaceSolution& s);
