// Scenarios that the named materials and the key f can reach: every material that may be
// medium 1 with every material as medium 2, at both edges of each of medium 2's bands and at
// every 1-2-5 frequency, at steep, oblique and grazing incidence.
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
        if (!m1.medium1) continue;
        for (const Material& m2 : materials()) {
            std::vector<double> frequencies;
            for (const MaterialModel& b : m2.models)
                frequencies.insert(frequencies.end(), {b.low_hz, b.high_hz});
            if (&m1 == &materials().front()) frequencies = ladder;
            for (double f : frequencies) {
                for (double theta : {0.0, 41.0, 89.0}) {
                    WaveScenario sc{1, 1, 0, -90, theta, 1, 1, 1, 1, 0, f, two_pi * f};
                    set_named_media(sc, material_index(&m1), material_index(&m2));
                    out.push_back(sc);
                }
            }
        }
    }
    return out;
}
