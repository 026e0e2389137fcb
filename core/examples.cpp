#include "core/examples.h"

#include "scene/translate.h"

// Scenario columns: ex_mag, ey_mag, phi_x, phi_y (deg), theta_i (deg), eps_r1, mu_r1, eps_r2,
// mu_r2, sigma2 (S/m), freq (Hz), omega (rad/s). Angles are given to the digits that put them
// at the notable angles of their media (Brewster, just below or above the critical angle).
const Example examples[example_count] = {
    {ExampleKind::elliptical,
     2,
     {0.8, 1, 0, -90, 20, 1, 1, 4, 1, 0, 1e9, 6283185307.17958},
     translatable("the start-up scenario")},
    {ExampleKind::linear,
     0,
     {50, 0, 0, -90, 35, 2.25, 1, 10, 1, 0, 1e9, 6283185307.17958},
     translatable("TM wave into a denser medium")},
    {ExampleKind::linear,
     1,
     {0, 78, 0, -90, 31.806, 2.6, 1, 1, 1, 0, 3.85e8, 2419026343.264138},
     translatable("TE wave at the Brewster angle")},
    {ExampleKind::linear,
     2,
     {15, 20, -30, -30, 29, 4, 1, 1, 1, 0, 2e9, 12566370614.35916},
     translatable("just below the critical angle")},
    {ExampleKind::linear,
     3,
     {15, 20, -30, 150, 40, 1, 1, 10, 1, 0.3, 1e9, 6283185307.17958},
     translatable("lossy medium 2")},
    {ExampleKind::circular,
     0,
     {5, 5, 0, -90, 53.13, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
     translatable("total internal reflection")},
    {ExampleKind::circular,
     1,
     {5, 5, 0, -90, 0, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
     translatable("normal incidence")},
    {ExampleKind::circular,
     2,
     {5, 5, 0, -90, 33.69, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
     translatable("at the Brewster angle")},
    {ExampleKind::circular,
     3,
     {5, 5, 0, -90, 41.8103165, 2.25, 1, 1, 1, 0, 3.18e8, 1998052927.6831064},
     translatable("just above the critical angle")},
    {ExampleKind::elliptical,
     0,
     {5, 5, 0, -60, 40, 1, 1, 12, 1, 0, 1e9, 6283185307.17958},
     translatable("into a dielectric")},
    {ExampleKind::elliptical,
     1,
     {10, 6, 0, -90, 30, 1, 1, 8, 1, 8, 1e10, 62831853071.7958},
     translatable("into a conductor")},
};

int32_t example_count_of(ExampleKind kind) {
    int32_t count = 0;
    for (const Example& e : examples) count += e.kind == kind;
    return count;
}

const Example& example(ExampleKind kind, int32_t index) {
    for (const Example& e : examples) {
        if (e.kind == kind && e.index == index) return e;
    }
    return startup_example;  // not reached for an index within the kind's count
}
