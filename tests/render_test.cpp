// The stereo renderer: the geometry of the field scene as pure functions (golden positions
// beside physical invariants), the description of a frame, and the OpenGL backend as recorded
// OpenGL, GLU and GLUT calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame.h"
#include "app/keyboard.h"
#include "core/session.h"
#include "physics/derived_quantities.h"
#include "render/gl_backend.h"
#include "scene/curves_plot.h"
#include "scene/field_geometry.h"
#include "scene/fit_view.h"
#include "scene/frame_inputs.h"
#include "scene/panel_text.h"
#include "scene/readout_text.h"
#include "scene/sphere_batch.h"
#include "scene/translate.h"
#include "tests/support/fresh_session.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/named_media.h"

namespace {

constexpr int fpp = 101;

InterfaceSolution solve(const WaveScenario& sc) { return solve_wave_interface(sc, fpp); }

double length(Vec3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

void expect_near(Vec3 a, Vec3 b, double tolerance, const std::string& what = "") {
    EXPECT_NEAR(a.x, b.x, tolerance) << what;
    EXPECT_NEAR(a.y, b.y, tolerance) << what;
    EXPECT_NEAR(a.z, b.z, tolerance) << what;
}

WaveScenario normal_incidence_x_only() {
    WaveScenario sc = startup_example.scenario;
    sc.ex_mag = 1;
    sc.ey_mag = 0;
    sc.phi_x = 0;
    sc.theta_i = 0;
    return sc;
}

std::vector<WaveScenario> all_examples() {
    std::vector<WaveScenario> all;  // linear, circular, elliptical, each by its index
    for (ExampleKind kind : {ExampleKind::linear, ExampleKind::circular, ExampleKind::elliptical}) {
        for (int32_t k = 0; k < example_count_of(kind); ++k)
            all.push_back(example(kind, k).scenario);
    }
    return all;
}

// --- arrow glyph ----------------------------------------------------------------------------

struct OrientationCase {
    const char* what;
    Vec3 vector;
    Vec3 side, third, direction;
};

TEST(ArrowGlyph, OrientationFromTheVectorWithFallbacks) {
    const std::vector<OrientationCase> cases = {
        {"+z is the identity", {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"-z is a half turn about y", {0, 0, -2}, {-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
        {"+y falls back to side +x", {0, 3, 0}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {"-y falls back to side +x", {0, -0.5, 0}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {"tiny vectors point along +z", {0.00005, 0.00002, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"+x", {2, 0, 0}, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    };
    for (const OrientationCase& c : cases) {
        const ArrowGeometry a = field_arrow_geometry({1, 2, 3}, Vec3{1, 2, 3} + c.vector);
        const double* m = a.orientation;
        expect_near({m[0], m[1], m[2]}, c.side, 1e-12, c.what);
        expect_near({m[4], m[5], m[6]}, c.third, 1e-12, c.what);
        expect_near({m[8], m[9], m[10]}, c.direction, 1e-12, c.what);
        EXPECT_EQ(m[3] + m[7] + m[11] + m[12] + m[13] + m[14], 0.0);
        EXPECT_EQ(m[15], 1.0);
        EXPECT_NEAR(a.length, length(c.vector), 1e-15) << "true length, also for fallbacks";
    }
}

TEST(ArrowGlyph, FrameIsRightHandedAndOrthonormalForAnyDirection) {
    for (int k = 0; k < 200; ++k) {
        const Vec3 v{std::sin(k * 1.3), std::cos(k * 0.7) * 2, std::sin(k * 0.31 + 1)};
        const ArrowGeometry arrow = field_arrow_geometry({0, 0, 0}, v);
        const double* m = arrow.orientation;
        const Vec3 s{m[0], m[1], m[2]}, u{m[4], m[5], m[6]}, d{m[8], m[9], m[10]};
        EXPECT_NEAR(length(s), 1, 1e-12);
        EXPECT_NEAR(length(u), 1, 1e-12);
        EXPECT_NEAR(s.x * u.x + s.y * u.y + s.z * u.z, 0, 1e-12);
        // s x u = d
        expect_near({s.y * u.z - s.z * u.y, s.z * u.x - s.x * u.z, s.x * u.y - s.y * u.x}, d,
                    1e-12);
        expect_near(length(v) * d, v, 1e-12);
    }
}

TEST(TraceSphere, HasTheTessellationOfAGluSphereFacingOutwards) {
    const UnitSphere unit = unit_sphere(26, 13);
    EXPECT_EQ(unit.points.size(), 2u + 12 * 26);
    EXPECT_EQ(unit.indices.size(), 3u * (2 * 26 + 11 * 26 * 2)) << "two fans and 11 bands of quads";
    for (const Vec3& p : unit.points) EXPECT_NEAR(length(p), 1, 1e-12);
    for (size_t k = 0; k < unit.indices.size(); k += 3) {
        ASSERT_LT(unit.indices[k + 2], unit.points.size());
        const Vec3 a = unit.points[unit.indices[k]], b = unit.points[unit.indices[k + 1]],
                   c = unit.points[unit.indices[k + 2]];
        const Vec3 u = b - a, v = c - a;
        const Vec3 normal{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        const Vec3 centroid = (1.0 / 3) * (a + b + c);
        EXPECT_GT(normal.x * centroid.x + normal.y * centroid.y + normal.z * centroid.z, 0)
            << "triangle " << k / 3 << " must be counter-clockwise seen from outside";
    }
    // Read back from Mesa's GLU after gluSphere(q, r, 26, 13): (0, sin 11pi/13, cos 11pi/13).
    expect_near(unit.last_glu_normal, {0, 0.464723, -0.885456}, 1e-6);
}

// A batch's triangles by the positions of their corners, which identify them.
using Corners = std::array<float, 9>;
std::multiset<Corners> triangles_of(const SphereBatch& batch,
                                    const std::vector<unsigned>& indices) {
    std::multiset<Corners> triangles;
    for (size_t k = 0; k < indices.size(); k += 3) {
        Corners c{};
        for (size_t j = 0; j < 3; ++j) {
            for (size_t a = 0; a < 3; ++a) c[3 * j + a] = batch.vertices[3 * indices[k + j] + a];
        }
        triangles.insert(c);
    }
    return triangles;
}

// Corner j of triangle t of the sphere about centre, as append_trace writes it.
Vec3 sphere_corner(const UnitSphere& unit, Vec3 centre, double radius, size_t t, size_t j) {
    const Vec3 n = unit.points[unit.indices[3 * t + j]];
    return {static_cast<float>(centre.x + radius * n.x),
            static_cast<float>(centre.y + radius * n.y),
            static_cast<float>(centre.z + radius * n.z)};
}
Corners sphere_triangle(const UnitSphere& unit, Vec3 centre, double radius, size_t t) {
    Corners c{};
    for (size_t j = 0; j < 3; ++j) {
        const Vec3 p = sphere_corner(unit, centre, radius, t, j);
        c[3 * j] = float(p.x);
        c[3 * j + 1] = float(p.y);
        c[3 * j + 2] = float(p.z);
    }
    return c;
}

TEST(TraceSphere, KeepsTheTrianglesThatFaceTheCamera) {
    const UnitSphere unit = unit_sphere(26, 13);
    const std::vector<Vec3> centre{{1, 2, 3}};
    struct Case {
        Vec3 camera;
        float near_pole_z, far_pole_z;
    };
    for (const Case& c : {Case{{1, 2, 50}, 3.02f, 2.98f}, Case{{1, 2, -40}, 2.98f, 3.02f}}) {
        SphereBatch all, facing;
        append_trace(all, unit, centre, 0.02);
        const SceneCamera camera{c.camera, 1.5};
        append_trace(facing, unit, centre, 0.02, &camera);
        EXPECT_EQ(all.open_indices.size(), unit.indices.size()) << "no camera: all, unculled";
        EXPECT_TRUE(all.closed_indices.empty());
        EXPECT_EQ(all.vertices.size(), 3 * unit.points.size());
        // The near half less the band round the equator, whose faces are edge-on or turned a
        // little away from a camera on the axis; and only the corners those use.
        const std::vector<unsigned>& kept = facing.closed_indices;
        EXPECT_TRUE(facing.open_indices.empty());
        EXPECT_EQ(kept.size(), unit.indices.size() / 2 - 3 * 26);
        EXPECT_EQ(std::set<unsigned>(kept.begin(), kept.end()).size(), facing.vertices.size() / 3);
        size_t near_pole = 0, far_pole = 0;
        for (unsigned index : kept) {
            near_pole += facing.vertices[3 * index + 2] == c.near_pole_z;
            far_pole += facing.vertices[3 * index + 2] == c.far_pole_z;
        }
        EXPECT_EQ(near_pole, 26u) << "the whole fan round the near pole";
        EXPECT_EQ(far_pole, 0u) << "nothing of the far pole's fan";
    }
}

// How deep point p lies inside the tessellated sphere about c (negative outside).
double depth_inside_tessellated(const UnitSphere& unit, Vec3 c, double radius, Vec3 p) {
    double depth = 1e300;
    for (size_t t = 0; t < unit.face_offsets.size(); ++t) {
        const Vec3 n = unit.face_normals[t];
        depth = std::min(depth, (radius * unit.face_offsets[t] - dot(n, p - c)) / length(n));
    }
    return depth;
}

TEST(TraceSphere, LeavesOutOnlyWhatOtherSpheresHideAndNothingTheNearPlaneCuts) {
    const UnitSphere unit = unit_sphere(26, 13);
    const double r = 0.02;
    // A tight ring of spheres, as a small polarisation ellipse gives, closed by a repeat of
    // the first; and a camera far off the ring's plane.
    std::vector<Vec3> ring;
    for (int b = 0; b <= 100; ++b) {
        const double a = two_pi * b / 100;
        ring.push_back({0.05 * std::cos(a), 0.03 * std::sin(a), 0.0});
    }
    ring.back() = ring.front();
    const Vec3 far_camera{0.3, -2.0, 5.0};
    struct Case {
        const char* name;
        Vec3 camera;
        double near_reach;
        bool hides;  // whether spheres may hide each other's triangles
    };
    for (const Case& c : {Case{"far camera", far_camera, 1.0, true},
                          Case{"near plane cuts the ring", far_camera, 5.4, false},
                          Case{"near plane cuts part of the ring", far_camera, 5.375, false},
                          Case{"near plane cuts everything", {0.0, 0.0, 0.5}, 1.0, false}}) {
        SCOPED_TRACE(c.name);
        const SceneCamera camera{c.camera, c.near_reach};
        SphereBatch all, seen;
        append_trace(all, unit, ring, r);
        append_trace(seen, unit, ring, r, &camera);
        ASSERT_EQ(all.open_indices.size(), ring.size() * unit.indices.size());
        const std::multiset<Corners> closed = triangles_of(seen, seen.closed_indices);
        const std::multiset<Corners> open = triangles_of(seen, seen.open_indices);
        size_t facing = 0, hidden = 0, found = 0, cut = 0;
        for (size_t i = 0; i + 1 < ring.size(); ++i) {  // the last repeats the first
            const Vec3 to_camera = c.camera - ring[i];
            const bool may_be_cut = length(to_camera) - r <= c.near_reach;
            cut += may_be_cut;
            for (size_t t = 0; t < unit.face_offsets.size(); ++t) {
                const Corners triangle = sphere_triangle(unit, ring[i], r, t);
                if (may_be_cut) {
                    // Its inside shows through the cut: every triangle, drawn with both faces.
                    EXPECT_EQ(open.count(triangle), 1u) << "sphere " << i << " triangle " << t;
                    EXPECT_EQ(closed.count(triangle), 0u) << "sphere " << i << " triangle " << t;
                    ++found;
                    continue;
                }
                EXPECT_EQ(open.count(triangle), 0u) << "sphere " << i << " is seen whole";
                const bool faces = dot(unit.face_normals[t], to_camera) > r * unit.face_offsets[t];
                const bool shown = closed.count(triangle) == 1;
                found += shown;
                if (!faces || shown) {
                    facing += faces;
                    continue;
                }
                ++hidden;
                // Left out though facing the camera: all three corners lie inside another
                // sphere, at least a hundredth of the radius behind its surface.
                bool inside_another = false;
                for (size_t j = 0; j + 1 < ring.size() && !inside_another; ++j) {
                    double depth = 1e300;
                    for (size_t k = 0; k < 3; ++k) {
                        depth = std::min(
                            depth, depth_inside_tessellated(unit, ring[j], r,
                                                            sphere_corner(unit, ring[i], r, t, k)));
                    }
                    inside_another = j != i && depth >= 0.01 * r - 1e-7;
                }
                EXPECT_TRUE(inside_another) << "sphere " << i << " triangle " << t;
            }
        }
        EXPECT_EQ(found, closed.size() + open.size()) << "nothing of the repeated last sphere";
        if (c.hides) {
            EXPECT_EQ(cut, 0u);
            EXPECT_GT(hidden, facing / 4) << "a tight ring hides much of each sphere";
        } else {
            EXPECT_GT(cut, 0u);
            EXPECT_EQ(hidden, 0u) << "no sphere hides another while any may be cut open";
        }
    }
}

TEST(ArrowGlyph, InnerFacesHiddenOnlyFromTheFront) {
    // An arrow of length 1 from the origin along +x: tail plane x = 0, head base plane x = 0.7.
    const Vec3 start{0, 0, 0}, end{1, 0, 0};
    const ArrowGeometry arrow = field_arrow_geometry(start, end);
    struct Case {
        const char* name;
        Vec3 camera;
        double near_reach;
        ArrowInnerFaces expected;
    };
    for (const Case& c : {Case{"ahead of the tip", {9, 1, 2}, 1.5, {true, true}},
                          Case{"beside the shaft", {0.4, 6, 0}, 1.5, {true, false}},
                          Case{"behind the tail", {-5, 3, 0}, 1.5, {false, false}},
                          Case{"near plane may cut it", {9, 1, 2}, 9.0, {false, false}}}) {
        const SceneCamera camera{c.camera, c.near_reach};
        const ArrowInnerFaces inner = arrow_inner_faces(start, arrow, &camera);
        EXPECT_EQ(inner.shaft_hidden, c.expected.shaft_hidden) << c.name;
        EXPECT_EQ(inner.head_hidden, c.expected.head_hidden) << c.name;
    }
    const ArrowInnerFaces no_camera = arrow_inner_faces(start, arrow, nullptr);
    EXPECT_FALSE(no_camera.shaft_hidden || no_camera.head_hidden);
    // Below 0.0001 the glyph is drawn along +z whatever the vector: never trusted.
    const SceneCamera ahead{{0, 0, 9}, 1.5};
    const ArrowInnerFaces tiny =
        arrow_inner_faces(start, field_arrow_geometry(start, {0, 0, 5e-5}), &ahead);
    EXPECT_FALSE(tiny.shaft_hidden || tiny.head_hidden);
}

TEST(StereoCamera, CameraInTheSceneFrame) {
    // With the start view the scene axes point up, towards the viewer and to the right (see
    // the model transform); the right eye's camera (0.0375, 0, 5) is 6 units in front.
    const EyePass right_eye = eye_passes(StereoView::sbs, 1920, 960, false)[1];
    const ViewState start{0, 0, 0, 0, 1};
    const std::optional<SceneCamera> camera = camera_in_scene(start, right_eye);
    ASSERT_TRUE(camera.has_value());
    const Vec3* c = &camera->position;
    const Vec3 x_axis{0.0182, 0.9848, 0.1727}, y_axis{0.1029, -0.1736, 0.9794},
        z_axis{0.9945, 0, -0.1045};
    const Vec3 from_origin{0.03750000149011612, 0.15f, 6};
    expect_near(*c, {dot(x_axis, from_origin), dot(y_axis, from_origin), dot(z_axis, from_origin)},
                1e-3);
    // The near plane's farthest point within the frustum: its corner at depth 1, farther in a
    // wider picture, and in a narrower one, whose field of view widens.
    const double t = std::tan(pi / 6);
    EXPECT_NEAR(camera->near_reach,
                std::sqrt(1 + t * t + t * t * 1.7777777777777777 * 1.7777777777777777), 1e-12);
    for (auto [width, reach] : {std::pair{3200, 2.1786846184490924}, {1000, 1.7626672643393768}}) {
        const EyePass mono = eye_passes(StereoView::mono, width, 1000, true)[0];
        EXPECT_NEAR(camera_in_scene(start, mono)->near_reach, reach, 1e-12) << width;
    }
    const ViewState zoomed{0, 0, 0, 0, 2};
    expect_near(camera_in_scene(zoomed, right_eye)->position, 0.5 * *c, 1e-12);
    EXPECT_NEAR(camera_in_scene(zoomed, right_eye)->near_reach, 0.5 * camera->near_reach, 1e-12);
    EXPECT_FALSE(camera_in_scene(ViewState{0, 0, 0, 0, 0}, right_eye).has_value());
    // Turning the scene by yaw turns the camera the other way about the viewer's y axis, so
    // its distance from the scene's pivot stays.
    const ViewState turned{75, -30, 0, 0, 1};
    EXPECT_NEAR(length(camera_in_scene(turned, right_eye)->position), length(*c), 1e-9);
}

// --- field samples ----------------------------------------------------------------------------

// Each ray's samples 0.192 scene units apart from its interface point, the traces at their far
// ends; the transmitted one a twentieth of medium 2's wavelength apart in metres, along the
// interface beyond the critical angle, its arrows shrinking as the wave decays.
TEST(FieldGeometry, SamplesAlongEachRayAndTracesAtTheirEnds) {
    struct Case {
        const char* what;
        WaveScenario sc;
        double spacing_m;
        Vec3 last_transmitted;  // scene units
        double decay_at_16;     // envelope at the last sample over that at the first
    } const cases[] = {
        // eps_r2 4: half the vacuum wavelength
        {"normal incidence", normal_incidence_x_only(), 0.299792458 / 2 / 20, {0, 0, 3.772}, 1},
        {"start-up", startup_example.scenario, 7.49e-3, {0.525, 0, 3.727}, 1},
        {"total reflection",
         example(ExampleKind::circular, 0).scenario,
         39.3e-3,
         {3.072, 0, 0.7},
         1},
        {"0.3 S/m, 1 GHz",
         example(ExampleKind::linear, 3).scenario,
         4.587e-3,
         {0.568, 0, 3.722},
         0.28},
        {"8 S/m, 10 GHz",
         example(ExampleKind::elliptical, 1).scenario,
         0.429e-3,
         {0.326, 0, 3.761},
         0.051},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const InterfaceSolution s = solve(c.sc);
        const TransmittedRay ray = transmitted_ray(s);
        EXPECT_NEAR(ray.spacing_m / c.spacing_m, 1, 2e-3);
        const Vec3 first = transmitted_sample(s, ray, 0, 0).base;
        expect_near(first, {0, 0, 0.7}, 0);
        expect_near(transmitted_sample(s, ray, 0, 16).base, c.last_transmitted, 1e-3);
        for (int i = -16; i <= 0; ++i) {
            const double a = 0.192 * i;
            expect_near(incident_sample(s, 0, i).base,
                        {-0.68 + a * s.sin_theta_i, 0, -0.7 + a * s.cos_theta_i}, 1e-12);
            expect_near(reflected_sample(s, 0, i).base,
                        {0.68 - a * s.sin_theta_i, 0, -0.7 + a * s.cos_theta_i}, 1e-12);
            expect_near(transmitted_sample(s, ray, 0, -i).base,
                        first - (i / 16.0) * (transmitted_sample(s, ray, 0, 16).base - first),
                        1e-12);
        }
        for (auto [kind, end] : {std::pair{RayKind::incident, incident_sample(s, 0, -16).base},
                                 {RayKind::reflected, reflected_sample(s, 0, -16).base},
                                 {RayKind::transmitted, transmitted_sample(s, ray, 0, 16).base}})
            expect_near(trace_guides(kind, s, ray).trace_point, end, 1e-12);
        double peak0 = 0, peak16 = 0;
        for (int f = 1; f <= fpp; ++f) {
            const double t = sample_time_of(f, s);
            peak0 = std::max(peak0, length(transmitted_sample(s, ray, t, 0).field));
            peak16 = std::max(peak16, length(transmitted_sample(s, ray, t, 16).field));
        }
        EXPECT_NEAR(peak16 / peak0, c.decay_at_16, 0.005);
    }
}

TEST(FieldGeometry, StartScenarioIncidentTraceIsTheExpectedEllipse) {
    const InterfaceSolution s = solve(startup_example.scenario);
    const TransmittedRay ray = transmitted_ray(s);
    const TraceGuides g = trace_guides(RayKind::incident, s, ray);
    double max_parallel = 0, max_y = 0;
    for (int b = 1; b <= fpp; ++b) {
        const Vec3 off =
            trace_sphere_centre(RayKind::incident, s, ray, g, sample_time_of(b, s)) - g.trace_point;
        // In the plane normal to the ray (sin i, 0, cos i).
        EXPECT_NEAR(off.x * s.sin_theta_i + off.z * s.cos_theta_i, 0, 1e-12);
        max_parallel = std::max(max_parallel, std::hypot(off.x, off.z));
        max_y = std::max(max_y, std::fabs(off.y));
    }
    EXPECT_NEAR(max_parallel, 0.8 * 0.98, 1e-3);
    EXPECT_NEAR(max_y, 0.98, 1e-3);

    WaveScenario zero = startup_example.scenario;
    zero.ex_mag = zero.ey_mag = 0;
    const InterfaceSolution z = solve(zero);
    const TraceGuides zg = trace_guides(RayKind::transmitted, z, transmitted_ray(z));
    expect_near(trace_sphere_centre(RayKind::transmitted, z, transmitted_ray(z), zg, 3e-11),
                zg.trace_point, 0);
}

struct GoldenField {
    double period_fraction;                 // time t = fraction / freq
    double s_m;                             // metres along the incident or reflected ray (<= 0)
    double x_m, z_m;                        // metres from the transmitted ray's interface point
    Vec3 incident, reflected, transmitted;  // field units
};

// Closed-form Fresnel fields, from tests/golden/fresnel_fields.py (its scenarios are these
// examples).
TEST(FieldGeometry, FieldsMatchTheClosedFormFresnelFormulas) {
    // clang-format off
    const std::vector<std::pair<WaveScenario, std::vector<GoldenField>>> cases = {
        {example(ExampleKind::circular, 0).scenario,  // total internal reflection
         {{0.0, 0.0, 0.0, 0.0, {3.00000715, 0, -3.99999464},
           {1.39998746, 4.77593013, 1.86664299}, {4.3999946, 4.77593013, -4.80004121}},
          {0.3, -0.05, 0.02, 0.0, {-2.18116099, 3.43291234, 2.90820384},
           {2.86618259, 2.33638574, 3.82156257}, {1.9460168, 5.66958387, 8.6027201}},
          {0.71, -0.12, 0.01, 0.004, {2.43734217, -2.91518603, -3.24977746},
           {-1.70707823, -4.9185893, -2.27609584}, {-3.87117625, -7.54650309, -5.86113257}}}},
        {example(ExampleKind::linear, 3).scenario,  // 0.3 S/m
         {{0.0, 0.0, 0.0, 0.0, {9.95120922, -17.3205081, -8.35005599},
           {-3.96240777, 10.1490284, -3.3248549}, {5.98880145, -7.17147971, -1.23045575}},
          {0.3, -0.05, 0.02, 0.0, {-8.54480125, 14.8725945, 7.16993958},
           {-5.29276475, 12.4863858, -4.44115695}, {1.92159785, -2.01553018, -0.0616351089}},
          {0.71, -0.12, 0.01, 0.004, {11.3264005, -19.7140877, -9.50397847},
           {-1.85426222, 3.40870672, -1.55591075}, {-5.01973616, 5.79978437, 0.784858451}}}},
        {example(ExampleKind::elliptical, 1).scenario,  // 8 S/m
         {{0.0, 0.0, 0.0, 0.0, {8.66025404, 0, -5},
           {-5.06819634, 0.93226558, -2.92612452}, {3.5920577, 0.93226558, -0.282196553}},
          {0.3, -0.05, 0.02, 0.0, {8.48383739, -1.20489068, -4.8981458},
           {4.5750502, 2.36035107, 2.64140646}, {3.84040311, 0.503178337, -0.358461178}},
          {0.71, -0.12, 0.01, 0.004, {-2.00745281, -5.83657982, 1.15900342},
           {2.85595892, 3.65601894, 1.64888865}, {0.420641246, 0.309589519, -0.00999921428}}}},
    };
    // clang-format on
    for (const auto& [scenario, samples] : cases) {
        const InterfaceSolution s = solve(scenario);
        for (const GoldenField& g : samples) {
            const double t = g.period_fraction / scenario.freq;
            const std::string at = "theta_i " + std::to_string(scenario.theta_i) + " at " +
                                   std::to_string(g.period_fraction);
            expect_near(incident_field(s, t, g.s_m), g.incident, 2e-7 * length(g.incident), at);
            expect_near(reflected_field(s, t, g.s_m), g.reflected, 2e-7 * length(g.incident), at);
            expect_near(transmitted_field(s, t, g.x_m, g.z_m), g.transmitted,
                        2e-7 * length(g.incident), at);
        }
    }
}

// Over every example and every whole incident angle: each wave's field is transverse to its
// ray, and for lossless media the normal component of D is continuous at the interface,
// eps_r1 (Ei_z + Er_z) = eps_r2 Et_z, at every instant.
TEST(FieldGeometry, FieldsAreTransverseAndNormalDIsContinuous) {
    int checked = 0;
    for (WaveScenario sc : all_examples()) {
        for (int theta = 0; theta <= 89; ++theta) {
            sc.theta_i = theta;
            const InterfaceSolution s = solve(sc);
            const double tolerance = 1e-9 * s.display_scale;
            const bool lossless = sc.sigma2 == 0;
            const bool refracted = lossless && s.sin_theta_t.real() < 1;
            const Vec3 incident_ray{s.sin_theta_i, 0, s.cos_theta_i};
            const Vec3 reflected_ray{s.sin_theta_i, 0, -s.cos_theta_i};
            const Vec3 transmitted_ray{s.sin_theta_t.real(), 0, s.cos_theta_t.real()};
            for (int f : {1, 14, 37, 60, 88}) {
                const double t = sample_time_of(f, s);
                const std::string at = std::to_string(sc.eps_r2) + " at " + std::to_string(theta) +
                                       " deg, frame " + std::to_string(f);
                EXPECT_NEAR(dot(incident_field(s, t, -0.031), incident_ray), 0, tolerance) << at;
                EXPECT_NEAR(dot(reflected_field(s, t, -0.047), reflected_ray), 0, tolerance) << at;
                if (refracted) {
                    EXPECT_NEAR(dot(transmitted_field(s, t, 0.003, 0.02), transmitted_ray), 0,
                                tolerance)
                        << at;
                }
                if (lossless) {
                    const double d1 =
                        sc.eps_r1 * (incident_field(s, t, 0).z + reflected_field(s, t, 0).z);
                    EXPECT_NEAR(d1, sc.eps_r2 * transmitted_field(s, t, 0, 0).z,
                                tolerance * sc.eps_r2)
                        << at;
                }
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 11 * 90 * 5);
}

// At every instant the tangential E and H just inside medium 2 are the sums of those of the
// incident and reflected waves: as drawn by the displays for E, as sampled for eta1 H.
TEST(FieldGeometry, TangentialFieldsAreContinuousAtEveryFrame) {
    std::vector<WaveScenario> all = all_examples();
    for (const WaveScenario& named : named_media_scenarios()) {
        if (named.theta_i == 41) all.push_back(named);
    }
    for (const WaveScenario& sc : all) {
        const InterfaceSolution s = solve(sc);
        const TransmittedRay ray = transmitted_ray(s);
        const double scale = arrow_scale(s);
        const WavePhasors hi = wave_phasors(RayKind::incident, sc, s),
                          hr = wave_phasors(RayKind::reflected, sc, s),
                          ht = wave_phasors(RayKind::transmitted, sc, s);
        for (int f = 1; f <= fpp; ++f) {
            const double t = sample_time_of(f, s);
            const Vec3 ei = incident_sample(s, t, 0).field;
            const Vec3 er = reflected_sample(s, t, 0).field;
            const Vec3 et = transmitted_sample(s, ray, t, 0).field;
            const TangentialDisplay di =
                tangential_display(RayKind::incident, incident_interface_point, ei, scale);
            const TangentialDisplay dr =
                tangential_display(RayKind::reflected, reflected_interface_point, er, scale);
            const TangentialDisplay dt =
                tangential_display(RayKind::transmitted, transmitted_interface_point, et, scale);
            const Vec3 vi = di.tangential.to - di.tangential.from;
            const Vec3 vr = dr.tangential.to - dr.tangential.from;
            const Vec3 vt = dt.tangential.to - dt.tangential.from;
            const double tolerance = 1e-9 * (1 + length(vi) + length(vr));
            EXPECT_NEAR(vt.x, vi.x + vr.x, tolerance) << sc.theta_i << " frame " << f;
            EXPECT_NEAR(vt.y, vi.y + vr.y, tolerance) << sc.theta_i << " frame " << f;
            const Vec3 mi = magnetic_sample(RayKind::incident, hi, s, ray, t, 0).field;
            const Vec3 mr = magnetic_sample(RayKind::reflected, hr, s, ray, t, 0).field;
            const Vec3 mt = magnetic_sample(RayKind::transmitted, ht, s, ray, t, 0).field;
            const double h_tolerance = 1e-9 * (1 + length(mi) + length(mr));
            EXPECT_NEAR(mt.x, mi.x + mr.x, h_tolerance) << sc.eps_r2 << " frame " << f;
            EXPECT_NEAR(mt.y, mi.y + mr.y, h_tolerance) << sc.eps_r2 << " frame " << f;
        }
    }
}

// Every magnetic arrow is its electric arrow's wave turned by k, and every arrow is back where it
// started after one period: from the arrows at t = 0 and a quarter period later, E and eta1 H as
// phasors at the sample satisfy eta1 H = eta1 (k x E) / (omega mu) there, on every ray, lossy or
// evanescent.
TEST(FieldGeometry, MagneticArrowsFollowTheirElectricOnesAlongEveryRay) {
    std::vector<WaveScenario> all = all_examples();
    for (const WaveScenario& named : named_media_scenarios()) {
        if (named.theta_i == 41 && named.eps_r1 == 1) all.push_back(named);
    }
    for (const WaveScenario& sc : all) {
        const InterfaceSolution s = solve(sc);
        const TransmittedRay ray = transmitted_ray(s);
        const double t0 = sample_time_of(1, s), t1 = sample_time_of(26, s);
        for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
            const WavePhasors w = wave_phasors(kind, sc, s);
            const double mu = (kind == RayKind::transmitted ? sc.mu_r2 : sc.mu_r1) * mu0;
            for (int n = 0; n < ray_sample_count; ++n) {
                const int index = kind == RayKind::transmitted ? n : -n;
                const auto electric = [&](double t) {
                    return kind == RayKind::incident ? incident_sample(s, t, index).field
                           : kind == RayKind::reflected
                               ? reflected_sample(s, t, index).field
                               : transmitted_sample(s, ray, t, index).field;
                };
                const auto phasor = [](Vec3 at_0, Vec3 at_quarter) {  // Re{A e^jwt} -> A
                    return Phasor3{
                        {at_0.x, -at_quarter.x}, {at_0.y, -at_quarter.y}, {at_0.z, -at_quarter.z}};
                };
                const Phasor3 e = phasor(electric(t0), electric(t1));
                const Vec3 after_a_period = electric(sample_time_of(101, s));
                ASSERT_LT(length(after_a_period - electric(t0)), 1e-9) << "frame 101 is frame 1";
                const Phasor3 h = phasor(magnetic_sample(kind, w, s, ray, t0, index).field,
                                         magnetic_sample(kind, w, s, ray, t1, index).field);
                const Complex f = s.eta1 / (sc.omega * mu);
                const Phasor3 expected{f * (w.k.y * e.z - w.k.z * e.y),
                                       f * (w.k.z * e.x - w.k.x * e.z),
                                       f * (w.k.x * e.y - w.k.y * e.x)};
                const double size =
                    1e-9 * (1 + std::abs(expected.x) + std::abs(expected.y) + std::abs(expected.z));
                ASSERT_LT(std::abs(h.x - expected.x) + std::abs(h.y - expected.y) +
                              std::abs(h.z - expected.z),
                          size)
                    << sc.eps_r2 << " " << sc.sigma2 << " ray " << int(kind) << " sample " << n;
            }
        }
    }
}

// Every arrow tip and trace sphere of a scenario, at three times, is finite.
void expect_finite_geometry(const WaveScenario& sc) {
    const InterfaceSolution s = solve(sc);
    const TransmittedRay ray = transmitted_ray(s);
    const double scale = arrow_scale(s);
    for (int f : {1, 37, 101}) {
        const double t = sample_time_of(f, s);
        for (int i = -16; i <= 0; ++i) {
            ASSERT_TRUE(is_finite(arrow_tip(incident_sample(s, t, i), scale)));
            ASSERT_TRUE(is_finite(arrow_tip(reflected_sample(s, t, i), scale)));
            ASSERT_TRUE(is_finite(arrow_tip(transmitted_sample(s, ray, t, i + 16), scale)))
                << sc.theta_i;
        }
        for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
            const TraceGuides g = trace_guides(kind, s, ray);
            ASSERT_TRUE(is_finite(trace_sphere_centre(kind, s, ray, g, t)));
        }
    }
}

// Steps every stepped value of every example across its whole range, and takes every named
// material at the ends of its band and at every 1-2-5 frequency.
TEST(FieldGeometry, EveryReachableScenarioGivesFiniteGeometry) {
    int scenarios = 0;
    for (const WaveScenario& example : all_examples()) {
        for (int theta = 0; theta <= 89; ++theta) {
            for (double mag : {0.0, 0.05, 100.0}) {
                for (double phase : {-360.0, 0.0, 137.0, 360.0}) {
                    WaveScenario sc = example;
                    sc.theta_i = theta;
                    sc.ex_mag = mag;
                    sc.ey_mag = 100.0 - mag;
                    sc.phi_x = phase;
                    sc.phi_y = -phase;
                    ++scenarios;
                    expect_finite_geometry(sc);
                }
            }
        }
    }
    EXPECT_EQ(scenarios, 11 * 90 * 3 * 4);
    for (const WaveScenario& sc : named_media_scenarios()) {
        SCOPED_TRACE(::testing::Message() << sc.eps_r1 << " " << sc.eps_r2 << " " << sc.mu_r2 << " "
                                          << sc.sigma2 << " at " << sc.freq << " Hz");
        expect_finite_geometry(sc);
    }
}

// --- the readout ------------------------------------------------------------------------------

// Whole readouts, of every example and of more scenarios, as tests/golden/fresnel_fields.py
// writes them from the closed forms and the materials' models into tests/golden/readouts.txt;
// each with the pseudo-Brewster angle the curves find.
TEST(Readout, WholePanelsAsTheClosedFormsGiveThem) {
    std::ifstream golden(PLANEWAVE_SOURCE_DIR "/tests/golden/readouts.txt");
    const std::vector<WaveScenario> examples = all_examples();
    std::vector<bool> seen(examples.size());
    const auto values = [](const WaveScenario& s) {
        return std::vector<double>{s.ex_mag, s.ey_mag, s.phi_x, s.phi_y,  s.theta_i, s.eps_r1,
                                   s.mu_r1,  s.eps_r2, s.mu_r2, s.sigma2, s.freq,    s.omega};
    };
    std::string header, line;
    std::getline(golden, header);
    while (header.rfind("== ", 0) != 0 && std::getline(golden, header)) {}
    ASSERT_TRUE(golden) << "tests/golden/readouts.txt";
    while (header.rfind("== ", 0) == 0) {
        SCOPED_TRACE(header);
        std::vector<std::string> lines, fields;
        while (std::getline(golden, line) && line.rfind("== ", 0) != 0) {
            if (!line.empty()) lines.push_back(line);
        }
        std::istringstream head(header.substr(3));
        for (std::string field; std::getline(head, field, '|');)
            fields.push_back(
                field.substr(field.find_first_not_of(' '),
                             field.find_last_not_of(' ') + 1 - field.find_first_not_of(' ')));
        ASSERT_EQ(fields.size(), 5u);
        std::istringstream numbers(fields[1]);
        WaveScenario sc;
        numbers >> sc.ex_mag >> sc.ey_mag >> sc.phi_x >> sc.phi_y >> sc.theta_i >> sc.eps_r1 >>
            sc.mu_r1 >> sc.eps_r2 >> sc.mu_r2 >> sc.sigma2 >> sc.freq;
        sc.omega = two_pi * sc.freq;
        if (fields[0] != "-") {
            const size_t k = std::stoul(fields[0]);
            seen.at(k) = true;
            EXPECT_EQ(values(examples[k]), values(sc)) << "example " << k;
        }
        ScenarioLabel label{lines.front()};
        for (auto [name, index] : {std::pair{fields[2], &label.medium1_material},
                                   {fields[3], &label.medium2_material}}) {
            if (name != "-") *index = material_index(find_material(name));
        }
        // The named media's models give the values the closed forms were taken at.
        WaveScenario named = sc;
        set_named_media(named, label.medium1_material, label.medium2_material);
        for (auto [ours, theirs] : {std::pair{named.eps_r1, sc.eps_r1},
                                    {named.eps_r2, sc.eps_r2},
                                    {named.mu_r2, sc.mu_r2},
                                    {named.sigma2, sc.sigma2}})
            EXPECT_NEAR(ours, theirs, 1e-12 * std::fabs(theirs));
        EXPECT_EQ(readout_lines(label, sc, solve(sc), fields[4] == "-" ? "" : fields[4],
                                fresnel_curves(sc).pseudo_brewster_deg),
                  lines);
        header = line;
        line.clear();
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), long(examples.size()));
    WaveScenario dark = example(ExampleKind::linear, 1).scenario;
    dark.ey_mag = 0;
    const std::vector<std::string> dark_lines =
        readout_lines(ScenarioLabel{}, dark, solve(dark), "");
    EXPECT_EQ(std::vector<std::string>(dark_lines.end() - 2, dark_lines.end()),
              (std::vector<std::string>{"R, T: no incident wave", "S_z: no incident wave"}));
    // In each shipped language its catalogue's words around the same numbers; English again
    // under C. Window glass from air at 1 GHz: the frequency, the impedance, the critical angle.
    ScenarioLabel glass{"", 1, 3};
    WaveScenario sc = example(ExampleKind::linear, 3).scenario;
    set_named_media(sc, 1, 3);
    const auto lines_in = [&](const char* locale) {
        set_language(locale, PLANEWAVE_CATALOGUES);
        const std::vector<std::string> l = readout_lines(glass, sc, solve(sc), "");
        return std::vector<std::string>{l[5], l[9], l[13]};
    };
    EXPECT_EQ(lines_in("de_DE.UTF-8"),
              (std::vector<std::string>{"Frequenz 1 GHz", "eta2 149.97 Ohm bei 0.29 Grad",
                                        "Grenzwinkel: keiner"}));
    EXPECT_EQ(lines_in("fr_FR.UTF-8"),
              (std::vector<std::string>{"fréquence 1 GHz", "eta2 149.97 ohms à 0.29 degrés",
                                        "critique : aucun"}));
    EXPECT_EQ(lines_in("es"),
              (std::vector<std::string>{"frecuencia 1 GHz", "eta2 149.97 ohmios a 0.29 grados",
                                        "crítico: ninguno"}));
    std::string languages;  // of locales' names: a shipped one's two letters, else English
    for (const char* l : {"de_DE.UTF-8", "fr", "es-ES", "C", "POSIX", "", "it_IT", "de:fr", "en_GB",
                          "frx", "es@euro"})
        languages += language_of(l) + " ";
    EXPECT_EQ(languages, "de fr es en en en en de en en es ");
    EXPECT_EQ(lines_in("C"),
              (std::vector<std::string>{"frequency 1 GHz", "eta2 149.97 ohm at 0.29 deg",
                                        "critical: none"}));
}

// The font's runs of inked rows in one character's column, bottom up: [first, last] rows.
std::vector<std::pair<int, int>> inked_runs(const std::string& text, size_t column,
                                            double capital_px) {
    PanelFont font;
    const double pitch = text_advance * capital_px / text_capital;
    CoverageImage image(int32_t(pitch * double(text_columns(text) + 2)), int32_t(4 * capital_px));
    font.add_text(text, pitch, capital_px, capital_px, pitch, image);
    std::vector<std::pair<int, int>> runs;
    for (int32_t y = 0; y < image.height; ++y) {
        bool ink = false;
        for (auto x = int32_t(pitch * double(column + 1)); x < int32_t(pitch * double(column + 2));
             ++x)
            ink = ink || image.at(x, y) > 64;
        if (ink && (runs.empty() || runs.back().second != y - 1)) runs.push_back({y, y});
        if (ink) runs.back().second = y;
    }
    return runs;
}

TEST(Readout, EveryDigitDotAndColonInkedAtTheReadoutsSize) {
    // At 1280x720 the readout's capitals stand 12 pixels high, its baseline at row 12 here.
    const double capital = text_capital * readout_layout(1280, 720, 1, {"x"}).glyph_scale_y;
    ASSERT_GE(capital, 12.0);
    const int base = 12;
    struct Mark {
        std::string text;
        size_t column;
        size_t runs;                   // separate marks stacked in the column
        int lowest, highest_at_least;  // rows of the lowest mark's foot, the top mark's top
    };
    // clang-format off
    const std::vector<Mark> marks = {
        {"sum 1.0000", 5, 1, base, base + 1}, {"sum 1.0000", 4, 1, base, base + 11},
        {"refl 0.9267", 6, 1, base, base + 1}, {"S_z: in", 3, 2, base, base + 7},
        {"theta_i", 6, 2, base, base + 11},     {"0123456789", 8, 1, base, base + 11},
        {"2.09 \u00b5m", 5, 1, base - 3, base + 8},
    };
    // clang-format on
    for (const Mark& m : marks) {
        SCOPED_TRACE(m.text + " column " + std::to_string(m.column));
        const auto runs = inked_runs(m.text, m.column, capital);
        ASSERT_EQ(runs.size(), m.runs);
        EXPECT_EQ(runs.front().first, m.lowest);
        EXPECT_GE(runs.back().second, m.highest_at_least);
        EXPECT_LE(runs.back().second, base + 14);
    }
    // At a hundred pixels: capitals 100 high from the baseline, one column apart; a character
    // the font lacks shows '?', a malformed byte takes one column.
    EXPECT_EQ(inked_runs("HH", 1, 100), (std::vector<std::pair<int, int>>{{100, 199}}));
    EXPECT_EQ(inked_runs("\u4e2d", 0, 40), inked_runs("?", 0, 40));
    EXPECT_NE(inked_runs("\u00b5", 0, 40), inked_runs("?", 0, 40));
    EXPECT_EQ(text_columns("\u2014\xff\u00b5A"), 4u);
    // Text over the image's edges is cut there: the glyphs' rows and columns inside it alone.
    PanelFont font;
    CoverageImage edges(30, 20);
    font.add_text("HH", -20, -10, 40, 33, edges);
    font.add_text("HH", 10, 10, 40, 33, edges);
    EXPECT_EQ(edges.coverage.size(), 600u);
    int bottom = 0, top = 0;
    for (int32_t x = 0; x < 30; ++x) bottom += edges.at(x, 0), top += edges.at(x, 19);
    EXPECT_TRUE(bottom > 0 && top > 0) << "both rows of the edges inked";
}

// --- recorded drawing -----------------------------------------------------------------------

class Drawing : public ::testing::Test {
  protected:
    void SetUp() override {
        fresh_session();
        g_session->screen = ScreenSetup{1920, 1200, 1920, 960};
        g_session->animation.frame_index = 2;
        scenario_changed(*g_session);
        gl_recorder::clear();
    }
    void TearDown() override {
        const GlRecorderState& s = gl_recorder::state();
        EXPECT_EQ(std::tuple(s.modelview_depth, s.projection_depth, s.attrib_depth, s.begin_depth,
                             s.lowest_depth < 0, s.non_finite_argument),
                  std::tuple(0, 0, 0, 0, false, false))
            << "stacks balanced, nothing popped from an empty one, every argument finite";
        for (GLenum cap : {GL_LINE_STIPPLE, GL_CULL_FACE}) {
            EXPECT_FALSE(s.enabled.count(cap) && s.enabled.at(cap)) << "left enabled: " << cap;
        }
        for (const auto& [array, on] : s.client_arrays) EXPECT_FALSE(on) << array;
    }
};

// A frame's calls, one a line, numbers to 9 digits; arrays as their size and FNV-1a hash.
std::string call_log(const std::vector<GlCall>& calls) {
    const auto hash = [](const void* data, size_t bytes) {
        uint64_t h = 14695981039346656037u;
        for (size_t k = 0; k < bytes; ++k)
            h = (h ^ static_cast<const uint8_t*>(data)[k]) * 1099511628211u;
        return h;
    };
    std::ostringstream out;
    out.precision(9);
    std::map<double, size_t> textures;  // renumbered as bound, whatever names ran before
    for (const GlCall& c : calls) {
        out << c.name;
        for (size_t k = 0; k < c.args.size(); ++k) {
            if (c.name == "glBindTexture" && k == 1)
                out << " texture " << textures.emplace(c.args[1], textures.size()).first->second;
            else
                out << ' ' << c.args[k];
        }
        if (c.pointer == GLUT_STROKE_ROMAN || c.pointer == GLUT_STROKE_MONO_ROMAN)
            out << (c.pointer == GLUT_STROKE_ROMAN ? " roman" : " mono");
        if (!c.vertices.empty())
            out << " vertices " << c.vertices.size() << ' '
                << hash(c.vertices.data(), c.vertices.size() * sizeof(float));
        if (!c.pixels.empty()) out << " pixels " << c.pixels.size();  // the font's, not ours
        out << '\n';
    }
    return out.str();
}

// Whole frames, call for call, against the logs in tests/golden/frames/, taken when the calls
// were pinned piece by piece: every view, an odd width, windows narrower than 16:9, a turned,
// panned and zoomed view, the readout and the curves in every view, and the projector's look
// with every arrow. What the calls mean is held elsewhere: the pixels against a reference
// drawing (the end-to-end hidden-faces check) and the page's. A change meant to change the calls
// writes the logs anew with PLANEWAVE_UPDATE_GOLDEN=1, and shows in their diff.
TEST_F(Drawing, EveryFrameCallForCallAsItsLog) {
    struct Case {
        const char* name;
        StereoView view;
        bool windowed;
        int32_t width, height;  // window, pixels
        bool panels;            // the readout and the curves
    };
    for (const Case& c : {Case{"sbs-turned", StereoView::sbs, false, 1920, 960, true},
                          Case{"sbs-odd-width", StereoView::sbs, false, 1365, 682, false},
                          Case{"sbs-window", StereoView::sbs, true, 1000, 400, false},
                          Case{"mono-window", StereoView::mono, true, 1000, 400, false},
                          Case{"mono", StereoView::mono, false, 1920, 960, false},
                          Case{"anaglyph", StereoView::anaglyph, true, 1000, 400, true},
                          Case{"cross", StereoView::cross, true, 1000, 400, true},
                          Case{"projector-all", StereoView::mono, true, 1280, 720, true}}) {
        SCOPED_TRACE(c.name);
        fresh_session();
        Session& s = *g_session;
        s.screen = ScreenSetup{1920, 1200, c.width, c.height};
        s.animation.frame_index = 2;
        s.presentation = Presentation{c.view, c.windowed, c.panels,
                                      c.panels ? CurvesMode::power : CurvesMode::off};
        if (c.name == std::string("sbs-turned"))
            s.view = ViewState{12.5f, -7.25f, 0.3f, -0.06f, 1.5f};
        if (c.name == std::string("projector-all")) {
            s.presentation.theme = Theme::projector;
            s.presentation.palette = Palette::colour_blind;
            s.presentation.magnetic_shown = s.presentation.poynting_shown = true;
            s.animation.tangential_toggle = 1;
        }
        scenario_changed(s);
        gl_recorder::clear();
        GlBackend fresh;  // as the program's at its first frame, whatever ran before
        draw_frame(fresh, build_frame(frame_inputs(s)));
        gluDeleteQuadric(fresh.quadric);
        const std::string log = call_log(gl_recorder::calls());
        const std::string path =
            PLANEWAVE_SOURCE_DIR "/tests/golden/frames/" + std::string(c.name) + ".calls";
        if (std::getenv("PLANEWAVE_UPDATE_GOLDEN")) std::ofstream(path) << log;
        std::ifstream file(path);
        ASSERT_TRUE(file) << path;
        std::istringstream drawn(log);
        std::string expected, got;
        for (size_t line = 1; std::getline(file, expected); ++line) {
            if (!std::getline(drawn, got)) got = "(the end)";
            ASSERT_EQ(got, expected) << "call " << line;
        }
        EXPECT_FALSE(std::getline(drawn, got)) << "more calls than the log's: " << got;
    }
}

// The panels are painted at their first frame alone: one that changes nothing reads nothing back.
TEST_F(Drawing, PanelsArePaintedOnceInEveryView) {
    for (StereoView view :
         {StereoView::sbs, StereoView::mono, StereoView::anaglyph, StereoView::cross}) {
        g_session->presentation =
            Presentation{view, view != StereoView::sbs, true, CurvesMode::power};
        on_display();
        gl_recorder::clear();
        on_display();
        EXPECT_EQ(gl_recorder::count("glReadPixels") + gl_recorder::count("glCopyTexImage2D"), 0u)
            << view_name(view);
    }
}

// A panel is painted again exactly when what it shows changes: the readout with its numbers
// and its status, the curves with their mode, the angle's cursor and the media; both with the
// picture's size. Which texture each glCopyTexImage2D fills tells them apart.
TEST_F(Drawing, PanelsArePaintedAgainOnlyWhenWhatTheyShowChanges) {
    g_session->presentation = Presentation{StereoView::mono, true, true, CurvesMode::power};
    g_session->presentation.field_map = FieldMapMode::hy;
    g_session->screen = ScreenSetup{1920, 1200, 1280, 720};
    on_display();
    const GlBackend& gl = gl_backend();
    struct Step {
        const char* what;
        void (*change)();
        bool readout, curves;  // painted again
        int map;  // the field map's panel: 0 kept, 1 only its map laid anew, 2 painted again
    } const steps[] = {
        // clang-format off
        {"the next time sample", [] { ++g_session->animation.frame_index; }, false, false, 1},
        {"a drag", [] { g_session->view.yaw += 10; }, false, false, 0},
        // "paused", a line more, takes from the room of the curves above the readout.
        {"pause", [] { ++g_session->animation.pause_counter; }, true, true, 0},
        {"recording", [] { g_session->activity = "recording 3/100"; }, true, false, 0},
        {"|Ex|", [] { g_session->scenario.ex_mag += 1; }, true, false, 2},
        {"the angle", [] { g_session->scenario.theta_i += 1; }, true, true, 2},
        {"medium 2", [] { g_session->scenario.eps_r2 = 9; }, true, true, 2},
        // In wavelengths of medium 1, a lossless scenario's map is the same at every frequency.
        {"a lossless medium's frequency", [] { set_frequency(g_session->scenario, 2e9); }, true, false, 0},
        {"medium 2's loss", [] { g_session->scenario.sigma2 = 0.5; }, true, true, 2},
        {"a lossy medium's frequency", [] { set_frequency(g_session->scenario, 5e9); }, true, true, 2},
        {"the curves' mode", [] { g_session->presentation.curves = CurvesMode::amplitude_phase; }, false, true, 0},
        {"against frequency", [] { g_session->presentation.curves = CurvesMode::spectrum; }, false, true, 0},
        {"its cursor", [] { set_frequency(g_session->scenario, 2e9); }, true, true, 2},
        {"medium 1's numbers", [] { g_session->scenario.eps_r1 = 2; }, true, true, 2},
        {"the picture's size", [] { g_session->screen.window_height = 700; }, true, true, 2},
        {"nothing", [] {}, false, false, 0},
    };  // clang-format on
    for (const Step& step : steps) {
        step.change();
        scenario_changed(*g_session);
        gl_recorder::clear();
        on_display();
        const std::vector<GlCall>& calls = gl_recorder::calls();
        std::multiset<double> filled, laid;
        for (size_t k = 0, bound = 0; k < calls.size(); ++k) {
            if (calls[k].name == "glBindTexture") bound = k;
            if (calls[k].name == "glCopyTexImage2D" || calls[k].name == "glTexImage2D")
                filled.insert(calls[bound].args[1]);
            if (calls[k].name == "glTexSubImage2D") laid.insert(calls[bound].args[1]);
        }
        EXPECT_EQ(filled.count(gl.readout.texture), size_t(step.readout)) << step.what;
        EXPECT_EQ(filled.count(gl.curves.texture), size_t(step.curves)) << step.what;
        const GLuint map = gl.field_map.panel.texture;
        EXPECT_EQ(std::pair(filled.count(map), laid.count(map)),
                  std::pair(size_t(step.map == 2), size_t(step.map >= 1)))
            << step.what;
    }
    // Side by side, each panel read back and halved: every row of the recorder's read-back holds
    // its row number, and so does the halved one, to the last column of an odd width.
    g_session->presentation.view = StereoView::sbs;
    long odd = 0;
    for (int32_t height : {720, 721, 722, 723}) {
        g_session->screen.window_height = height;
        gl_recorder::clear();
        on_display();
        for (const GlCall& c : gl_recorder::named("glTexImage2D")) {
            const auto width = size_t(c.args[3]),
                       channels = c.pixels.size() / width / size_t(c.args[4]);
            for (size_t k = 0; k < c.pixels.size(); ++k) {
                ASSERT_EQ(c.pixels[k], (k / channels / width) & 255) << k % (width * channels);
            }
        }
        for (const GlCall& c : gl_recorder::named("glReadPixels"))
            odd += std::lround(c.args[2]) % 2;
    }
    EXPECT_GT(odd, 0) << "a panel painted an odd number of pixels wide";
}

// The picture of the curves: the cursor at theta_i and the Brewster angle's mark where they
// belong on the angle axis, the phases broken where they wrap round.
TEST(CurvesPanel, CursorAndMarksOnTheAngleAxis) {
    const FresnelCurves glass =
        fresnel_curves({1, 1, 0, -90, 20, 1, 1, 2.25, 1, 0, 5e14, two_pi * 5e14});
    for (CurvesMode mode : {CurvesMode::power, CurvesMode::amplitude_phase}) {
        const CurvesPicture p = curves_picture(glass, mode, 20, 800, 480, 20);
        const PlotLine& cursor = p.lines.back();
        const PlotLine& brewster = p.lines[p.lines.size() - 2];
        // The plots run from 4.2 lines in to 1.2 lines short of the right edge.
        EXPECT_FLOAT_EQ(cursor.xy[0], float(84 + 20.0 / 90 * (800 - 24 - 84)));
        EXPECT_FLOAT_EQ(brewster.xy[0], float(84 + 56.309932474 / 90 * (800 - 24 - 84)));
        EXPECT_EQ(brewster.stipple, 0x3333);
        EXPECT_GE(cursor.width, 2.0f) << "at least two pixels";
        // The axes and their ticks: thin segments in the text's colour.
        const auto axes = std::find_if(p.lines.begin(), p.lines.end(), [](const PlotLine& l) {
            return !l.strip &&
                   l.colour == role_colours(Theme::classic, Palette::classic).curves_ink;
        });
        ASSERT_NE(axes, p.lines.end());
        EXPECT_FLOAT_EQ(axes->width, float(20 / 14.0));
        // The vertical axis' labels end 0.3 lines short of it: "1" at 84 - 6 - one advance.
        const auto one = std::find_if(p.texts.begin(), p.texts.end(),
                                      [](const PlotText& t) { return t.text == "1"; });
        ASSERT_NE(one, p.texts.end());
        EXPECT_NEAR(one->x, 84 - 0.3 * 20 - 82.585 * 0.64 * 20 / 100, 1e-4);
        size_t curves = 0;
        for (const PlotLine& line : p.lines) curves += line.strip;
        // Line style alone tells the curves apart: parallel thick, perpendicular thin, R (or
        // Gamma) solid, T (or tau) dashed; in that order after the legend.
        std::vector<std::tuple<bool, bool, unsigned short>> styles;  // parallel, thick, stipple
        for (const PlotLine& line : p.lines) {
            if (line.strip && styles.size() < 4) {
                styles.push_back(
                    {line.colour == role_colours(Theme::classic, Palette::classic).curve_parallel,
                     line.width > 2.5f, line.stipple});
            }
        }
        EXPECT_EQ(
            styles,
            (std::vector<std::tuple<bool, bool, unsigned short>>{
                {true, true, 0}, {false, false, 0}, {true, true, 0x00FF}, {false, false, 0x00FF}}));
        // Four curves; the phases of Gamma_par (which passes through 0 at Brewster) and of
        // Gamma_perp (at 180 degrees, on the wrap) in more than one piece.
        EXPECT_EQ(curves, mode == CurvesMode::power ? 4u : 4u + 4u + 1u);
    }
    // A mark's label: beside its line, inside the plot, never over the cursor; an angle below
    // 90 never reads "90.00" (copper's dip, 89.998 degrees, with the cursor just left of it).
    const FresnelCurves copper =
        fresnel_curves({1, 1, 0, -90, 20, 1, 1, 1, 1, 5.8e7, 1e9, two_pi * 1e9});
    for (const auto& [curves, cursor_deg, label] : {std::tuple{&glass, 20.0, "Brewster 56.31"},
                                                    {&glass, 58.0, "Brewster 56.31"},
                                                    {&copper, 85.0, "pseudo-Brewster 89.998"},
                                                    {&copper, 89.0, "pseudo-Brewster 89.998"}}) {
        const CurvesPicture p =
            curves_picture(*curves, CurvesMode::power, cursor_deg, 800, 480, 20);
        const auto mark = std::find_if(p.texts.begin(), p.texts.end(),
                                       [&](const PlotText& t) { return t.text == label; });
        ASSERT_NE(mark, p.texts.end()) << label;
        const double x0 = mark->x, x1 = x0 + std::strlen(label) * 82.585 * 0.64 * 20 / 100;
        const double cursor = p.lines.back().xy[0], line = p.lines[p.lines.size() - 2].xy[0];
        EXPECT_TRUE(x0 >= 84 && x1 <= 800 - 24) << label << " " << cursor_deg;
        EXPECT_TRUE(cursor < x0 || cursor > x1) << label << " " << cursor_deg;
        EXPECT_LT(std::min(std::fabs(x0 - line), std::fabs(x1 - line)), 2 * 0.6 * 20 + x1 - x0)
            << label << " " << cursor_deg;
    }
    // Against frequency, water from vacuum: a decade is 692 / 12 pixels; each of the four curves
    // in two pieces, one a model of water; its two inner band edges dotted; the cursor at 1 GHz.
    const WaveScenario sc{1, 1, 0, -90, 30, 1, 1, 1, 1, 0, 1e9, two_pi * 1e9};
    const CurvesPicture water = spectrum_picture(spectrum_curves(sc, 0, 5), 1e9, 800, 480, 20);
    const auto at = [](double hz) { return float(84 + (std::log10(hz) - 3) / 12 * 692); };
    std::vector<float> dotted, pieces_first_x;
    for (const PlotLine& l : water.lines) {
        if (l.stipple == 0x3333) dotted.push_back(l.xy[0]);
        if (l.strip) pieces_first_x.push_back(l.xy[0]);
    }
    EXPECT_FLOAT_EQ(water.lines.back().xy[0], at(1e9));
    EXPECT_EQ(dotted, (std::vector<float>{at(5e11), at(2.65e14)}));
    ASSERT_EQ(pieces_first_x.size(), 8u);
    EXPECT_FLOAT_EQ(pieces_first_x[1], at(1e3 * std::pow(10.0, 457 / 40.0)))
        << "the first in light";
    std::string labels;
    for (const PlotText& t : water.texts) labels += t.text + "|";
    EXPECT_EQ(std::pair(water.texts[1].text, water.texts[1].x),
              std::pair(std::string("T_par"), 486.0))
        << "the transmitted legends half the plot's width along";
    EXPECT_NE(labels.find("1 kHz|1 MHz|1 GHz|1 THz|1 PHz|frequency|"), std::string::npos) << labels;
    std::map<std::string, double> label_y;
    for (const PlotText& t : water.texts) label_y[t.text] = t.y;
    EXPECT_LT(label_y.at("frequency"), label_y.at("1 kHz")) << "the axis's name under its ticks";
}

// Where a point of the scene (scene units) lands in an eye's picture, pixels; none behind the
// camera.
std::optional<std::array<double, 2>> on_screen(const EyePicture& eye, Vec3 p) {
    const Mat4 m = eye.projection * eye.model;
    double clip[4];
    for (int r = 0; r < 4; ++r) {
        clip[r] = m.m[r] * p.x + m.m[4 + r] * p.y + m.m[8 + r] * p.z + m.m[12 + r];
    }
    if (clip[3] <= 0) return std::nullopt;
    return std::array<double, 2>{eye.pass.x + (clip[0] / clip[3] + 1) / 2 * eye.pass.width,
                                 eye.pass.y + (clip[1] / clip[3] + 1) / 2 * eye.pass.height};
}

// The panels and the scene share every picture without meeting: in every view and size, with
// either panel or both, in both themes and with a long title, no panel meets the box round
// what the scene draws (clipped to the scene's viewport), and every panel lies inside its
// picture. A readout too wide for the column is cut; curves without room give way, and the
// readout says so.
TEST(Layout, PanelsBesideTheSceneInEveryViewAndSize) {
    struct Size {
        int32_t width, height;
    };
    int pictures = 0, curves_left_out = 0, maps_left_out = 0;
    for (StereoView view :
         {StereoView::sbs, StereoView::mono, StereoView::anaglyph, StereoView::cross}) {
        for (const Size size :
             {Size{480, 270}, Size{640, 360}, Size{1280, 720}, Size{1920, 1080}, Size{1920, 960}}) {
            // readout 1, curves 2, legend 4; the field map with the legend
            for (int shown = 1; shown < 8; ++shown) {
                for (Theme theme : {Theme::classic, Theme::projector}) {
                    SCOPED_TRACE(::testing::Message() << view_name(view) << " " << size.width << "x"
                                                      << size.height << " panels " << shown);
                    Session s;
                    scenario_changed(s);
                    s.presentation = Presentation{view, size.width != 1920, (shown & 1) != 0,
                                                  shown & 2 ? CurvesMode::power : CurvesMode::off};
                    s.presentation.theme = theme;
                    s.presentation.medium2_decades = shown >= 3 ? 3 : 0;  // and the caption
                    s.presentation.legend_shown = (shown & 4) != 0;
                    s.presentation.magnetic_shown = s.presentation.poynting_shown = shown == 7;
                    s.presentation.field_map = shown & 4 ? FieldMapMode::hy : FieldMapMode::off;
                    s.screen = ScreenSetup{1920, 1200, size.width, size.height};
                    s.label.origin =
                        "Reflection and transmission at a dielectric interface "
                        "\u2014 3/12: Brewster's angle of crown glass";
                    const FrameDescription f = build_frame(frame_inputs(s));
                    ASSERT_EQ(f.readout.has_value(), (shown & 1) != 0);
                    const bool curves_out = (shown & 2) && !f.curves,
                               legend_out = (shown & 4) && !f.legend,
                               map_out = (shown & 4) && !f.field_map;
                    maps_left_out += map_out;
                    if (view == StereoView::mono && size.width == 1280 && shown == 7) {
                        EXPECT_TRUE(f.readout && f.field_map) << "the map beside the readout";
                    }
                    curves_left_out += shown == 3 && curves_out;
                    if (f.readout && (curves_out || legend_out || map_out)) {
                        EXPECT_NE(f.readout->lines.back().find(": make room with h"),
                                  std::string::npos);
                    }
                    EXPECT_TRUE(!legend_out || f.readout) << "the legend fits alone";
                    if (f.readout && size.width < 1920) {
                        const std::string& title = f.readout->lines.front();
                        EXPECT_EQ(title.substr(title.size() - 3), "...") << "cut";
                    }
                    for (const EyePicture& eye : f.eyes) {
                        ++pictures;
                        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
                        for (const FieldItem& item : eye.fields) {
                            const Arrow* a = std::get_if<Arrow>(&item);
                            if (a == nullptr) continue;
                            for (Vec3 p : {a->start, a->end}) {
                                const auto q = on_screen(eye, p);
                                if (!q) continue;
                                x0 = std::min(x0, std::max((*q)[0], double(eye.pass.x)));
                                x1 = std::max(
                                    x1, std::min((*q)[0], double(eye.pass.x + eye.pass.width)));
                                y0 = std::min(y0, std::max((*q)[1], 0.0));
                                y1 = std::max(y1, std::min((*q)[1], double(eye.pass.height)));
                            }
                        }
                        ASSERT_LT(x0, x1) << "the scene is drawn";
                        std::vector<const PanelPlace*> placed;
                        for (const PanelPlace* p : {f.readout ? &f.readout->place : nullptr,
                                                    f.curves ? &f.curves->place : nullptr,
                                                    f.caption ? &f.caption->place : nullptr,
                                                    f.legend ? &f.legend->place : nullptr,
                                                    f.field_map ? &f.field_map->place : nullptr}) {
                            if (p == nullptr) continue;
                            for (const PanelPlace* q : placed) {
                                EXPECT_TRUE(p->y >= q->y + q->height || q->y >= p->y + p->height ||
                                            p->x >= q->x + q->shown_width ||
                                            q->x >= p->x + p->shown_width)
                                    << "panels apart";
                            }
                            placed.push_back(p);
                            const double px = eye.pass.x + p->x;
                            EXPECT_TRUE(px >= x1 || px + p->shown_width <= x0 || p->y >= y1 ||
                                        p->y + p->height <= y0)
                                << "panel at " << px << ", scene to " << x1;
                            EXPECT_GE(p->x, eye.pass.width) << "in the column beside the scene";
                            EXPECT_LE(p->x + p->shown_width, eye.picture_width);
                            EXPECT_GE(p->y, 0);
                            EXPECT_LE(p->y + p->height, eye.pass.height);
                        }
                        // Every number's line whole, inside the panel as painted; the title
                        // cut where it was too long.
                        if (f.readout) {
                            const std::vector<std::string>& lines = f.readout->lines;
                            const ReadoutLayout& l = f.readout->painted;
                            for (size_t k = 0; k < lines.size(); ++k) {
                                EXPECT_TRUE(k == 0 || lines[k].find("...") == std::string::npos);
                                EXPECT_LE(l.text_x + double(text_columns(lines[k])) * text_advance *
                                                         l.glyph_scale_x,
                                          l.panel_x + l.panel_width)
                                    << lines[k];
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(pictures, (4 * 5 * 2 * 2 - 5 * 2) * 7);  // mono: one picture
    EXPECT_EQ(maps_left_out, 12) << "in one eye of the cross view at 480x270 and 640x360";
    // The readout, the curves and the map at once at 1280x720.
    Session all;
    all.screen = ScreenSetup{1920, 1200, 1280, 720};
    all.presentation = Presentation{StereoView::mono, true, true, CurvesMode::power};
    all.presentation.field_map = FieldMapMode::e2;
    scenario_changed(all);
    const FrameDescription three = build_frame(frame_inputs(all));
    ASSERT_TRUE(three.readout && three.curves && three.field_map);
    const auto place = [](const PanelPlace& p) {
        return std::vector<int32_t>{p.x, p.y, p.shown_width, p.height};
    };
    // Left of the column, at the top: 34 % of the picture wide, a map of 283 pixels.
    EXPECT_EQ(place(three.field_map->place), (std::vector<int32_t>{327, 327, 435, 382}));
    std::map<std::string, double> heights;  // of its texts
    for (const PlotText& t : three.field_map->picture.texts) heights[t.text] = t.y;
    EXPECT_GT(heights.at("mean |E|^2 over a period"), heights.at("1: eps_r 1"))
        << "the title above";
    // Its lines, separate segments: the frame (4), the interface, a tick each wavelength on
    // both axes (10), and three arrows of a shaft and a two-stroke head.
    const std::vector<PlotLine>& map_lines = three.field_map->picture.lines;
    ASSERT_EQ(map_lines.size(), 1u);
    EXPECT_EQ(std::pair(map_lines[0].strip, map_lines[0].xy.size()),
              std::pair(false, size_t(4 * 24)));
    // The legend names the colours in use, in the theme's and palette's colours.
    Session k;
    k.screen = ScreenSetup{1920, 1200, 1280, 720};
    k.presentation.legend_shown = k.presentation.magnetic_shown = true;
    k.presentation.palette = Palette::colour_blind;
    scenario_changed(k);
    const FrameDescription legend = build_frame(frame_inputs(k));
    ASSERT_TRUE(legend.legend);
    EXPECT_EQ(place(legend.legend->place), (std::vector<int32_t>{491, 11, 143, 110})) << "squeezed";
    const RoleColours& cb = role_colours(Theme::classic, Palette::colour_blind);
    std::vector<std::pair<std::string, std::vector<float>>> rows;
    for (size_t r = 0; r < legend.legend->picture.texts.size(); ++r) {
        const Rgb swatch = legend.legend->picture.lines[r].colour;
        rows.push_back({legend.legend->picture.texts[r].text, {swatch.r, swatch.g, swatch.b}});
    }
    const auto rgb = [](Rgb c) { return std::vector<float>{c.r, c.g, c.b}; };
    const std::vector<float>& swatch = legend.legend->picture.lines[0].xy;
    EXPECT_NEAR(swatch[2] - swatch[0], 3 * 82.585 * 0.64 * (720 / 38.0) / 100, 1e-3) << "3 columns";
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, std::vector<float>>>{
                        {"E", rgb(cb.field)},
                        {"E at the interface", rgb(cb.field_at_interface)},
                        {"eta1 H", rgb(cb.magnetic)},
                        {"eta1 H at the interface", rgb(cb.magnetic_at_interface)},
                        {"polarisation traces", rgb(cb.traces)}}));
    // The magnified medium 2: its caption at the column's top, the readout's line, and its
    // arrows a thousand times as long; the others, and the boundary's displays, as they were.
    Session s;
    s.screen = ScreenSetup{1920, 1200, 1280, 720};
    s.presentation.readout_shown = true;
    s.animation.tangential_toggle = 1;
    scenario_changed(s);
    const FrameDescription plain = build_frame(frame_inputs(s));
    s.presentation.medium2_decades = 3;
    const FrameDescription magnified = build_frame(frame_inputs(s));
    ASSERT_TRUE(magnified.caption && magnified.readout);
    EXPECT_EQ(magnified.caption->lines, (std::vector<std::string>{"medium 2 x 1000"}));
    EXPECT_EQ(magnified.readout->lines.back(), "medium 2 x 1000 (z; tab: x 1)");
    gl_recorder::clear();
    GlBackend fresh;  // paints the readout and the caption, each on its ground
    draw_frame(fresh, magnified, false);
    EXPECT_EQ(gl_recorder::count("glRecti"), 2u);
    gluDeleteQuadric(fresh.quadric);
    // A lossy medium 2 read out: its pseudo-Brewster angle, where the curves find it.
    Session lossy = s;
    lossy.scenario.sigma2 = 4;
    scenario_changed(lossy);
    const std::vector<std::string> read = build_frame(frame_inputs(lossy)).readout->lines;
    EXPECT_TRUE(std::any_of(read.begin(), read.end(), [](const std::string& line) {
        return line.rfind("pseudo-Brewster ", 0) == 0;
    }));
    std::map<long, int> ratios;
    ASSERT_EQ(plain.eyes[0].fields.size(), magnified.eyes[0].fields.size());
    for (size_t k = 0; k < plain.eyes[0].fields.size(); ++k) {
        const Arrow* a = std::get_if<Arrow>(&plain.eyes[0].fields[k]);
        const Arrow* b = std::get_if<Arrow>(&magnified.eyes[0].fields[k]);
        if (a && b && a->length > 1e-9) ++ratios[std::lround(b->length / a->length)];
    }
    EXPECT_EQ(ratios,
              (std::map<long, int>{{1, 2 * ray_sample_count + 6}, {1000, ray_sample_count}}));
    // 480x270 in both themes, and 640x360 in the projector's larger text under the caption, but
    // in the cross view, whose narrow readout is smaller.
    EXPECT_EQ(curves_left_out, 3 * 2 + 3);
}

// The fit key's view: at steep incidence, whose sources and traces run off the picture, every
// point drawn (arrows, guide lines, traces, planes) comes inside both eyes' pictures, 5 % of
// the half size from the nearest edges.
TEST(FitView, EverythingDrawnInsideEveryPictureWithItsMargin) {
    for (const auto& [view, readout, kind, theta] :
         {std::tuple{StereoView::mono, false, ExampleKind::circular, 89.0},
          {StereoView::sbs, true, ExampleKind::circular, 0.0},
          {StereoView::cross, false, ExampleKind::linear, 89.0},
          {StereoView::anaglyph, true, ExampleKind::elliptical, 60.0}}) {
        SCOPED_TRACE(::testing::Message() << view_name(view) << " " << theta);
        Session s;
        s.screen = ScreenSetup{1920, 1200, 1280, 720};
        s.presentation = Presentation{view, true, readout};
        s.scenario = example(kind, 0).scenario;
        s.scenario.theta_i = theta;
        s.view = ViewState{25, -10, 0.4f, 0.2f, 1.5f};
        scenario_changed(s);
        s.view = fitted_view(frame_inputs(s));
        EXPECT_EQ(std::pair(s.view.yaw, s.view.pitch), std::pair(25.0f, -10.0f)) << "the turn kept";
        const FrameDescription f = build_frame(frame_inputs(s));
        double nearest = 1;  // to an edge, in half sizes
        for (const EyePicture& eye : f.eyes) {
            std::vector<Vec3> points;
            for (const FieldItem& item : eye.fields) {
                if (const Arrow* a = std::get_if<Arrow>(&item))
                    points.insert(points.end(), {a->start, a->end});
                if (const DashedLine* d = std::get_if<DashedLine>(&item))
                    points.insert(points.end(), {d->from, d->to});
            }
            for (const PlaneQuad& q : f.fixed.planes) {
                for (const auto& c : q.v) points.push_back({c[0], c[1], c[2]});
            }
            for (const SphereTrace& t : eye.traces) {
                for (size_t k = 0; k + 2 < t.batch.vertices.size(); k += 3) {
                    points.push_back(
                        {t.batch.vertices[k], t.batch.vertices[k + 1], t.batch.vertices[k + 2]});
                }
            }
            for (const Vec3& p : points) {
                const auto q = on_screen(eye, p);
                ASSERT_TRUE(q);
                const double hx = eye.pass.width / 2.0, hy = eye.pass.height / 2.0;
                const double u = std::fabs((*q)[0] - eye.pass.x - hx) / hx;
                const double w = std::fabs((*q)[1] - hy) / hy;
                EXPECT_LE(std::max(u, w), 0.95 + 1e-3);
                nearest = std::min(nearest, 1 - std::max(u, w));
            }
        }
        EXPECT_LT(nearest, 0.06) << "fitted, not merely shrunk";
    }
}

// --- the description of a frame ---------------------------------------------------------------

// The arrows (or the guide lines) among a picture's fields, in order.
template <class Item = Arrow>
std::vector<Item> arrows_of(const std::vector<FieldItem>& items) {
    std::vector<Item> out;
    for (const FieldItem& item : items) {
        if (const auto* a = std::get_if<Item>(&item)) out.push_back(*a);
    }
    return out;
}

// The fields of the shared records as one picture without a camera shows them.
EyePicture picture_now() {
    EyePicture eye{};
    describe_fields(frame_inputs(*g_session), nullptr, eye);
    return eye;
}
std::vector<FieldItem> fields_now() { return picture_now().fields; }

// The trace spheres of the start-up scenario: one whole period of each wave, where the closed
// forms put it.
TEST_F(Drawing, TraceSpheresRunThroughOnePeriodOfEachWave) {
    const EyePicture eye = picture_now();
    const std::vector<FieldItem>& items = eye.fields;
    const UnitSphere unit = unit_sphere(trace_sphere_slices, trace_sphere_stacks);
    const size_t per_sphere = unit.points.size();
    std::vector<Vec3> centres;
    for (const FieldItem& item : items) {
        const auto* ref = std::get_if<TraceRef>(&item);
        if (ref == nullptr) continue;
        const SphereTrace* trace = &eye.traces.at(ref->index);
        const std::vector<float>& v = trace->batch.vertices;
        ASSERT_EQ(v.size(), 101 * per_sphere * 3);
        EXPECT_TRUE(trace->batch.closed_indices.empty()) << "all drawn whole without a camera";
        // Each sphere starts with its poles: their midpoint is the centre, half their distance
        // the radius.
        for (size_t b = 0; b < 101; ++b) {
            const float* pole = &v[b * per_sphere * 3];
            const Vec3 top{pole[0], pole[1], pole[2]}, bottom{pole[3], pole[4], pole[5]};
            centres.push_back(0.5 * (top + bottom));
            EXPECT_NEAR(length(top - bottom), 2 * 0.02, 1e-6);
        }
        EXPECT_TRUE(trace->colour == trace_blue);
        expect_near(*trace->normal_after, unit.last_glu_normal, 0);
    }
    ASSERT_EQ(centres.size(), 303u);
    // Spheres b of the incident, reflected and transmitted traces of the start-up scenario,
    // from tests/golden/fresnel_fields.py.
    struct Golden {
        size_t b;
        Vec3 incident, reflected, transmitted;
    };
    for (const Golden& g : {
             Golden{1,
                    {-2.19870618, -0.75683905, -3.41639027},
                    {1.87676438, -0.268083329, -3.53356751},
                    {0.681944804, 0.601894983, 3.69956634}},
             Golden{18,
                    {-1.45757569, -0.910173121, -3.68613971},
                    {1.95667674, 0.0640962153, -3.50448179},
                    {0.178432075, 0.461342257, 3.78695945}},
             Golden{70,
                    {-2.08739882, 0.857462915, -3.45690284},
                    {1.51179848, -0.106349645, -3.66640423},
                    {0.915819232, -0.403406417, 3.6589735}},
         }) {
        expect_near(centres[g.b - 1], g.incident, 1e-6, "incident " + std::to_string(g.b));
        expect_near(centres[101 + g.b - 1], g.reflected, 1e-6, "reflected " + std::to_string(g.b));
        expect_near(centres[202 + g.b - 1], g.transmitted, 1e-6,
                    "transmitted " + std::to_string(g.b));
    }
    // The first and the last sphere of each trace coincide: one whole period.
    for (int w = 0; w < 3; ++w) expect_near(centres[w * 101], centres[w * 101 + 100], 1e-6);
}

// p adds one Poynting arrow per wave (vermillion), after all the others.
TEST_F(Drawing, PoyntingArrowsCarryThePowerOfEachWave) {
    g_session->presentation.magnetic_shown = g_session->presentation.poynting_shown = true;
    const std::vector<Arrow> all = arrows_of(fields_now());
    // The start-up scenario: the incident arrow ends at its interface point, 0.5 long; the
    // reflected one is R long, the transmitted one T, from theirs.
    const PowerBalance p = power_balance(g_session->scenario, g_session->solution);
    const Arrow* s = &all[all.size() - 3];
    for (int k = 0; k < 3; ++k) EXPECT_TRUE(s[k].colour == vermillion);
    expect_near(s[0].end, incident_interface_point, 1e-12);
    EXPECT_NEAR(s[0].length, 0.5, 1e-12);
    expect_near(s[1].start, reflected_interface_point, 1e-12);
    EXPECT_NEAR(s[1].length, 0.5 * *p.r_wave, 1e-12);
    expect_near(s[2].start, transmitted_interface_point, 1e-12);
    EXPECT_GT(s[2].end.z, 0.7) << "into medium 2";
    // Beyond the critical angle the transmitted flow runs along the interface.
    g_session->scenario = example(ExampleKind::circular, 0).scenario;
    scenario_changed(*g_session);
    const std::vector<Segment> tir = poynting_arrows(g_session->scenario, g_session->solution);
    ASSERT_EQ(tir.size(), 3u);
    EXPECT_NEAR(tir[2].to.z, 0.7, 1e-12);
    EXPECT_GT(tir[2].to.x, 0.01);
    EXPECT_NEAR(length(tir[1].to - tir[1].from), 0.5, 1e-9) << "all of it reflected";
    g_session->scenario.ex_mag = g_session->scenario.ey_mag = 0;
    scenario_changed(*g_session);
    EXPECT_TRUE(poynting_arrows(g_session->scenario, g_session->solution).empty())
        << "no wave, no flow";
}

// Pictures are read back as rows from the top: OpenGL gives them from the bottom. A backend
// draws them into a target of its own, made on its first picture.
TEST_F(Drawing, PicturesReadBackTopRowFirst) {
    const RgbImage image = read_pixels(0, 5, 2, 3);
    EXPECT_EQ(image.rgb,
              (std::vector<unsigned char>{7, 7, 7, 7, 7, 7, 6, 6, 6, 6, 6, 6, 5, 5, 5, 5, 5, 5}));
    GlBackend fresh;
    gl_recorder::state().framebuffers_complete = true;
    const RgbImage picture = draw_picture(fresh, build_frame(frame_inputs(*g_session)), 1, 2);
    EXPECT_EQ(std::tuple(picture.width, picture.height, picture.rgb),
              std::tuple(1, 2, std::vector<unsigned char>{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(
        std::pair(gl_recorder::count("glRenderbufferStorage"), gl_recorder::count("glDelete")),
        std::pair(size_t{2}, size_t{0}));
    gluDeleteQuadric(fresh.quadric);
}

// --- themes and palettes ----------------------------------------------------------------------

// CIELAB of an sRGB colour as a viewer sees it: normal vision, or the simulation of a colour
// vision deficiency at severity 1 (Machado, Oliveira and Fernandes 2009) in linear RGB; D65.
std::array<double, 3> lab(Rgb c, int vision) {
    static const double deficiency[4][9] = {
        {1, 0, 0, 0, 1, 0, 0, 0, 1},
        {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116,
         1.051998},  // protanopia
        {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940,
         0.968881},  // deuteranopia
        {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367,
         0.303900},  // tritanopia
    };
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double in[3] = {linear(c.r), linear(c.g), linear(c.b)};
    double l[3];
    for (int i = 0; i < 3; ++i) {
        const double* m = &deficiency[vision][3 * i];
        l[i] = std::clamp(m[0] * in[0] + m[1] * in[1] + m[2] * in[2], 0.0, 1.0);
    }
    const double xyz[3] = {(0.4124564 * l[0] + 0.3575761 * l[1] + 0.1804375 * l[2]) / 0.95047,
                           0.2126729 * l[0] + 0.7151522 * l[1] + 0.0721750 * l[2],
                           (0.0193339 * l[0] + 0.1191920 * l[1] + 0.9503041 * l[2]) / 1.08883};
    double f[3];
    for (int i = 0; i < 3; ++i) {
        f[i] = xyz[i] > 216.0 / 24389 ? std::cbrt(xyz[i]) : (24389.0 / 27 * xyz[i] + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

// WCAG 2.1: relative luminance, and the contrast ratio of two colours.
double luminance(Rgb c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}
double contrast(Rgb a, Rgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Colours, EveryRoleApartForEveryViewerAndEveryColourReadableOnItsGround) {
    struct Case {
        Theme theme;
        Palette palette;
    };
    for (const Case c : {Case{Theme::classic, Palette::classic},
                         {Theme::classic, Palette::colour_blind},
                         {Theme::projector, Palette::classic},
                         {Theme::projector, Palette::colour_blind}}) {
        SCOPED_TRACE(std::string(theme_name(c.theme)) + " " + palette_name(c.palette));
        const RoleColours& k = role_colours(c.theme, c.palette);
        const std::vector<Rgb> roles = {
            k.field,     k.field_at_interface,    k.tangential, k.tangential_parts,
            k.magnetic,  k.magnetic_at_interface, k.poynting,   k.traces,
            k.background};
        {  // every viewer of the colour-blind palette, normal vision in every theme and palette
            double least = 1e9;
            for (int vision = 0; vision < (c.palette == Palette::colour_blind ? 4 : 1); ++vision) {
                for (size_t a = 0; a < roles.size(); ++a) {
                    for (size_t b = a + 1; b < roles.size(); ++b) {
                        const auto p = lab(roles[a], vision), q = lab(roles[b], vision);
                        least = std::min(least, std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]));
                    }
                }
            }
            EXPECT_GE(least, 15.0) << "dE76 of the closest pair, any vision";
        }
        if (c.theme == Theme::projector) {
            EXPECT_GE(luminance(k.background), 0.8);
            for (Rgb line :
                 {k.field, k.field_at_interface, k.tangential, k.tangential_parts, k.magnetic,
                  k.magnetic_at_interface, k.poynting, k.traces, k.guide, k.fixed, k.curve_parallel,
                  k.curve_perpendicular, k.curve_marker, k.curve_cursor}) {
                EXPECT_GE(contrast(line, k.background), 3.0)
                    << line.r << " " << line.g << " " << line.b;
            }
            EXPECT_GE(contrast(k.readout_ink, k.panel), 7.0) << "dark text on a light panel";
            EXPECT_LT(luminance(k.readout_ink), luminance(k.panel));
            EXPECT_GE(k.line_width, 2.0f);
            EXPECT_GE(k.text_scale, 1.25);
        }
    }
    // Without options, the colours the picture always had.
    const RoleColours& classic = role_colours(Theme::classic, Palette::classic);
    EXPECT_TRUE(classic.field == gold && classic.field_at_interface == red &&
                classic.tangential == magenta && classic.tangential_parts == green &&
                classic.traces == trace_blue && classic.guide == guide_grey);
    EXPECT_EQ(classic.line_width, 1.5f);
}

// The frame takes every colour from the table of its theme and palette: the background, the
// lines' width, the fields' roles, the fixed scene, the panels and their text's size.
TEST_F(Drawing, TheFrameTakesItsColoursFromTheTable) {
    g_session->presentation = Presentation{StereoView::mono, true, true, CurvesMode::power};
    g_session->presentation.theme = Theme::projector;
    g_session->presentation.palette = Palette::colour_blind;
    g_session->animation.tangential_toggle = 1;
    g_session->presentation.magnetic_shown = g_session->presentation.poynting_shown = true;
    g_session->screen = ScreenSetup{1920, 1200, 1280, 720};
    const RoleColours& k = role_colours(Theme::projector, Palette::colour_blind);
    const FrameInputs in = frame_inputs(*g_session);
    const FrameDescription f = build_frame(in);
    EXPECT_TRUE(f.background == k.background);
    EXPECT_EQ(f.line_width, 2.5f);
    EXPECT_FALSE(f.fixed.labels_lit);
    EXPECT_EQ(f.fixed.grey[0], k.fixed.r);
    std::map<std::string, int> roles;
    const auto name = [&](Rgb c) {
        const std::pair<Rgb, const char*> known[] = {
            {k.field, "E"},
            {k.field_at_interface, "E at the interface"},
            {k.tangential, "tangential"},
            {k.tangential_parts, "its parts"},
            {k.magnetic, "H"},
            {k.magnetic_at_interface, "H at the interface"},
            {k.poynting, "S"}};
        for (const auto& [colour, n] : known)
            if (colour == c) return std::string(n);
        return std::string("other");
    };
    for (const Arrow& a : arrows_of(f.eyes[0].fields)) ++roles[name(a.colour)];
    EXPECT_EQ(roles, (std::map<std::string, int>{{"E", 48},
                                                 {"E at the interface", 3},
                                                 {"tangential", 3},
                                                 {"its parts", 6},
                                                 {"H", 48 + 3},
                                                 {"H at the interface", 3 + 6},
                                                 {"S", 3}}));
    EXPECT_TRUE(f.eyes[0].traces[0].colour == k.traces);
    EXPECT_TRUE(arrows_of<DashedLine>(f.eyes[0].fields)[0].colour == k.guide);
    ASSERT_TRUE(f.readout && f.curves);
    EXPECT_TRUE(f.readout->background == k.panel && f.readout->ink == k.readout_ink);
    EXPECT_TRUE(f.curves->background == k.panel && f.curves->ink == k.curves_ink);
    EXPECT_DOUBLE_EQ(f.readout->painted.line_height, 1.25 * 720 / 38.0) << "text 1.25 times";
    EXPECT_TRUE(f.curves->picture.lines.back().colour == k.curve_cursor) << "the angle's cursor";
    EXPECT_TRUE(f.curves->picture.lines.front().colour == k.curve_parallel) << "R_par's legend";
}

// The matrices of each picture as numbers, for backends without a matrix stack: the scene's
// axes point as the model transform turns them, and the origin, which both cameras look at,
// lies in the middle of every picture.
TEST(FrameDescription, MatricesOfEachPicture) {
    const Mat4 model = model_matrix(ViewState{0, 0, 0, 0, 1});
    const Vec3 axes[3] = {
        {0.0182, 0.9848, 0.1727}, {0.1029, -0.1736, 0.9794}, {0.9945, 0, -0.1045}};
    for (int a = 0; a < 3; ++a) {
        expect_near({model.m[4 * a], model.m[4 * a + 1], model.m[4 * a + 2]}, axes[a], 5e-5);
    }
    // The origin goes where the pan and the fixed shift put it, whatever the turn and zoom.
    const Mat4 panned = model_matrix(ViewState{30, -20, 0.3f, -0.06f, 2});
    expect_near({panned.m[12], panned.m[13], panned.m[14]},
                {double(0.3f), double(-0.15f) + double(-0.06f), -1}, 1e-12);
    for (const EyePass& pass : eye_passes(StereoView::anaglyph, 1280, 720, true)) {
        const Mat4 p = projection_matrix(pass);
        EXPECT_NEAR(p.m[12] / p.m[15], 0, 1e-12);  // the origin's x and y: the middle
        EXPECT_NEAR(p.m[13] / p.m[15], 0, 1e-12);
        // A point on the near plane straight ahead maps to the near end of the depth range.
        const double near_z = 5 - near_plane;
        EXPECT_NEAR((p.m[10] * near_z + p.m[14]) / (p.m[11] * near_z + p.m[15]), -1, 1e-3);
    }
}

TEST_F(Drawing, QuadricsDoNotAccumulate) {
    on_display();
    const int after_one = gl_recorder::state().quadrics_alive;
    for (int k = 0; k < 5; ++k) on_display();
    EXPECT_EQ(gl_recorder::state().quadrics_alive, after_one);
    EXPECT_LE(after_one, 1);
}

}  // namespace
