#include "scene/fit_view.h"

#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

namespace {

// The extent of the points over every eye's picture, in normalised device coordinates.
struct Extent {
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    bool behind = false;  // a point at or behind a camera's plane
};

Extent extent(const std::vector<Vec3>& points, const FrameDescription& frame, const ViewState& v) {
    Extent e;
    const Mat4 model = model_matrix(v);
    for (const EyePicture& eye : frame.eyes) {
        const Mat4 m = projection_matrix(eye.pass) * model;
        for (const Vec3& p : points) {
            double c[4];
            for (int r = 0; r < 4; ++r) {
                c[r] = m.m[r] * p.x + m.m[4 + r] * p.y + m.m[8 + r] * p.z + m.m[12 + r];
            }
            if (c[3] <= 1e-9) {
                e.behind = true;
                continue;
            }
            e.x0 = std::min(e.x0, c[0] / c[3]);
            e.x1 = std::max(e.x1, c[0] / c[3]);
            e.y0 = std::min(e.y0, c[1] / c[3]);
            e.y1 = std::max(e.y1, c[1] / c[3]);
        }
    }
    return e;
}

std::vector<Vec3> drawn_points(const FrameDescription& frame) {
    std::vector<Vec3> points;
    if (frame.eyes.empty()) return points;
    const EyePicture& eye = frame.eyes.front();
    for (const FieldItem& item : eye.fields) {
        if (const Arrow* a = std::get_if<Arrow>(&item))
            points.insert(points.end(), {a->start, a->end});
        if (const DashedLine* d = std::get_if<DashedLine>(&item))
            points.insert(points.end(), {d->from, d->to});
    }
    for (const SphereTrace& trace : eye.traces) {
        const std::vector<float>& v = trace.batch.vertices;
        for (size_t k = 0; k + 2 < v.size(); k += 3) points.push_back({v[k], v[k + 1], v[k + 2]});
    }
    for (const PlaneQuad& q : frame.fixed.planes) {
        for (const auto& c : q.v) points.push_back({c[0], c[1], c[2]});
    }
    const float* at = frame.fixed.axes_at;
    for (const Vec3 tip : {Vec3{0.5, 0, 0}, Vec3{0, 0.5, 0}, Vec3{0, 0, 0.5}}) {
        points.push_back(Vec3{at[0], at[1], at[2]} + tip);
    }
    return points;
}

// One fit to what frame draws from the view from.
ViewState fitted_to(const FrameDescription& frame, const ViewState& from, double margin) {
    const std::vector<Vec3> points = drawn_points(frame);
    if (points.empty() || !(from.zoom > 0.0f) || !std::isfinite(from.zoom)) return from;
    ViewState v = from;
    const auto centre = [](const Extent& e) {
        return std::pair((e.x0 + e.x1) / 2, (e.y0 + e.y1) / 2);
    };
    // Newton's steps on the pan, whose effect on the centre is measured, and a scale of the
    // zoom to the wanted half extent; the perspective makes both a little non-linear.
    for (int step = 0; step < 60; ++step) {
        const Extent e = extent(points, frame, v);
        if (e.behind) {
            v.zoom *= 0.5f;
            continue;
        }
        const auto [cx, cy] = centre(e);
        const double half = std::max(e.x1 - e.x0, e.y1 - e.y0) / 2;
        if (std::fabs(cx) < 1e-5 && std::fabs(cy) < 1e-5 && std::fabs(half - (1 - margin)) < 1e-5)
            break;
        constexpr float nudge = 0.01f;  // scene units
        ViewState tx = v, ty = v;
        tx.pan_x += nudge;
        ty.pan_y += nudge;
        const double slope_x = (centre(extent(points, frame, tx)).first - cx) / nudge;
        const double slope_y = (centre(extent(points, frame, ty)).second - cy) / nudge;
        if (slope_x != 0.0 && std::isfinite(slope_x)) v.pan_x -= float(cx / slope_x);
        if (slope_y != 0.0 && std::isfinite(slope_y)) v.pan_y -= float(cy / slope_y);
        if (half > 0.0) v.zoom *= float(std::clamp((1 - margin) / half, 0.5, 2.0));
    }
    return v;
}

}  // namespace

ViewState fitted_view(FrameInputs in, double margin) {
    // Twice: the traces keep only the sides of their spheres the camera sees, and the first
    // fit moves the camera.
    for (int round = 0; round < 2; ++round) in.view = fitted_to(build_frame(in), in.view, margin);
    return in.view;
}
