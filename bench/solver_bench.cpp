// The solver and the per-frame geometry (everything one eye draws), without OpenGL.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "physics/interface_solver.h"
#include "scene/field_geometry.h"
#include "scene/sphere_batch.h"

namespace {

const WaveScenario lossy{// elliptical example 1
                         10, 6, 0, -90, 30, 1, 1, 8, 1, 8, 1e10, 62831853071.7958};

void solve_start_up(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(solve_wave_interface(startup_example.scenario, 101));
    }
}
BENCHMARK(solve_start_up);

void solve_lossy(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(solve_wave_interface(lossy, 101));
}
BENCHMARK(solve_lossy);

// One eye: 303 trace spheres, 51 field arrows with their orientations, 3 tangential displays.
void geometry_of_one_eye(benchmark::State& state) {
    const InterfaceSolution s = solve_wave_interface(lossy, 101);
    const TransmittedRay ray = transmitted_ray(s);
    const double scale = arrow_scale(s);
    const double t = sample_time_of(17, s);
    for (auto _ : state) {
        for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
            const TraceGuides g = trace_guides(kind, s, ray);
            for (int b = 1; b <= 101; ++b) {
                benchmark::DoNotOptimize(
                    trace_sphere_centre(kind, s, ray, g, sample_time_of(b, s)));
            }
        }
        for (int i = -16; i <= 0; ++i) {
            const FieldSample a = incident_sample(s, t, i);
            const FieldSample b = reflected_sample(s, t, i);
            const FieldSample c = transmitted_sample(s, ray, t, i + 16);
            benchmark::DoNotOptimize(field_arrow_geometry(a.base, arrow_tip(a, scale)));
            benchmark::DoNotOptimize(field_arrow_geometry(b.base, arrow_tip(b, scale)));
            benchmark::DoNotOptimize(field_arrow_geometry(c.base, arrow_tip(c, scale)));
        }
        benchmark::DoNotOptimize(tangential_display(RayKind::incident, incident_interface_point,
                                                    incident_sample(s, t, 0).field, scale));
    }
}
BENCHMARK(geometry_of_one_eye);

// The three sphere batches of one eye, with what cannot show left out, for a loose trace
// (start-up) and crowded ones (elliptical example 1).
void trace_batches_of_one_eye(benchmark::State& state) {
    WaveScenario scenario = startup_example.scenario;
    if (state.range(0) == 1) scenario = lossy;
    const InterfaceSolution s = solve_wave_interface(scenario, 101);
    const TransmittedRay ray = transmitted_ray(s);
    const UnitSphere unit = unit_sphere(trace_sphere_slices, trace_sphere_stacks);
    const SceneCamera camera{{0.6, 1.0, 5.9}, 1.55};  // about where the start view puts it
    std::vector<Vec3> centres;
    SphereBatch batch;
    size_t triangles = 0;
    for (auto _ : state) {
        triangles = 0;
        for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
            const TraceGuides g = trace_guides(kind, s, ray);
            centres.clear();
            for (int b = 1; b <= 101; ++b) {
                centres.push_back(trace_sphere_centre(kind, s, ray, g, sample_time_of(b, s)));
            }
            batch.clear();
            append_trace(batch, unit, centres, trace_sphere_radius, &camera);
            triangles += (batch.closed_indices.size() + batch.open_indices.size()) / 3;
        }
    }
    state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(trace_batches_of_one_eye)->Arg(0)->Arg(1);

}  // namespace
