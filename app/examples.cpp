#include "app/examples.h"

// Columns: ex_mag, ey_mag, phi_x, phi_y (deg), theta_i (deg), eps_r1, mu_r1, eps_r2, mu_r2,
// sigma2 (S/m), freq (Hz), omega (rad/s). Angles are given to the digits that put them at the
// notable angles of their media (Brewster, just below or above the critical angle).
const WaveScenario linear_examples[linear_example_count] = {
    {50, 0, 0, -90, 35, 2.25, 1, 10, 1, 0, 1e9, 6283185307.17958},
    {0, 78, 0, -90, 31.806, 2.6, 1, 1, 1, 0, 3.85e8, 2419026343.264138},
    {15, 20, -30, -30, 29, 4, 1, 1, 1, 0, 2e9, 12566370614.35916},
    {15, 20, -30, 150, 40, 1, 1, 10, 1, 0.3, 1e9, 6283185307.17958},
};

const WaveScenario circular_examples[circular_example_count] = {
    {5, 5, 0, -90, 53.13, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
    {5, 5, 0, -90, 0, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
    {5, 5, 0, -90, 33.69, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
    {5, 5, 0, -90, 41.8103165, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
};

const WaveScenario elliptical_examples[elliptical_example_count] = {
    {5, 5, 0, -60, 40, 1, 1, 12, 1, 0, 1e9, 6283185307.17958},
    {10, 6, 0, -90, 30, 1, 1, 8, 1, 8, 1e10, 62831853071.7958},
    {0.8, 1, 0, -90, 20, 1, 1, 4, 1, 0, 1e9, 6283185307.17958},
};

const char* example_description(ExampleKind kind, int index) {
    static const char* const linear[linear_example_count] = {
        "TM wave into a denser medium", "TE wave at the Brewster angle",
        "just below the critical angle", "lossy medium 2"};
    static const char* const circular[circular_example_count] = {
        "total internal reflection", "normal incidence", "at the Brewster angle",
        "just above the critical angle"};
    static const char* const elliptical[elliptical_example_count] = {
        "into a dielectric", "into a conductor", "the start-up scenario"};
    switch (kind) {
        case ExampleKind::linear:
            return index >= 0 && index < linear_example_count ? linear[index] : "";
        case ExampleKind::circular:
            return index >= 0 && index < circular_example_count ? circular[index] : "";
        case ExampleKind::elliptical:
            break;
    }
    return index >= 0 && index < elliptical_example_count ? elliptical[index] : "";
}
