// Scenarios that the named materials and the key f can reach: every lossless material as
// medium 1 with every material as medium 2, at both ends of medium 2's band and at every
// 1-2-5 frequency, at steep, oblique and grazing incidence.
#pragma once

#include <vector>

#include "physics/interface_solver.h"
#include "physics/materials.h"

inline std::vector<WaveScenario> named_media_scenarios() {
    std::vector<double> ladder;
    for (double decade = 1e3; decade < 1e15; decade *= 10) {
        for (double m : {1.0, 2.0, 5.0}) ladder.push_back(m * decade);
    }
    ladder.push_back(1e15);
    std::vector<WaveScenario> out;
    for (const Material& m1 : materials()) {
        if (m1.sigma != 0) continue;
        for (const Material& m2 : materials()) {
            std::vector<double> frequencies = {m2.band_low_hz, m2.band_high_hz};
            if (&m1 == &materials().front()) frequencies = ladder;
            for (double f : frequencies) {
                for (double theta : {0.0, 41.0, 89.0}) {
                    out.push_back({1, 1, 0, -90, theta, m1.eps_r, m1.mu_r, m2.eps_r, m2.mu_r,
                                   m2.sigma, f, two_pi * f});
                }
            }
        }
    }
    return out;
}
