#include "scene/frame_inputs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/curves_plot.h"
#include "scene/field_geometry.h"
#include "scene/readout_text.h"

int32_t whole_pixels(double pixels) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(pixels)));
}

Arrow field_arrow(Vec3 start, Vec3 end, Rgb colour, const SceneCamera* camera) {
    const ArrowGeometry g = field_arrow_geometry(start, end);
    const ArrowInnerFaces inner = arrow_inner_faces(start, g, camera);
    Arrow a{start, end, colour, g.length, g.head_base, {}, inner.shaft_hidden, inner.head_hidden};
    std::memcpy(a.orientation, g.orientation, sizeof a.orientation);
    return a;
}

namespace {

// Appends what a picture shows of the fields, as the drawing goes.
struct FieldList {
    std::vector<FieldItem>& items;
    std::vector<SphereTrace>& traces;
    const SceneCamera* camera;
    const RoleColours& c;

    void arrow(Vec3 from, Vec3 to, Rgb colour) {
        if (is_finite(from) && is_finite(to))
            items.push_back(field_arrow(from, to, colour, camera));
    }
    // A field sample in its role's colour: at the ray's interface sample, or along it.
    void sample(const FieldSample& s, double scale, bool at_interface, Rgb there, Rgb along) {
        arrow(s.base, arrow_tip(s, scale), at_interface ? there : along);
    }
    void dashed(Vec3 from, Vec3 to, Rgb colour) {
        if (is_finite(from) && is_finite(to)) items.push_back(DashedLine{from, to, colour});
    }
    // The dashed projection and the whole tangential field in one colour, its two components
    // in another.
    void tangential(const TangentialDisplay& d, Rgb whole, Rgb parts) {
        dashed(d.projection.from, d.projection.to, whole);
        arrow(d.tangential.from, d.tangential.to, whole);
        arrow(d.x_part.from, d.x_part.to, parts);
        arrow(d.y_part.from, d.y_part.to, parts);
    }
};

// The magnetic displays lie this much further out than the electric ones (scene units).
constexpr double magnetic_display_offset = 0.1;

void add_traces(FieldList& out, const FrameInputs& in, const TransmittedRay& ray) {
    const InterfaceSolution& s = in.solution;
    static const UnitSphere unit = unit_sphere(trace_sphere_slices, trace_sphere_stacks);
    std::vector<Vec3> centres;
    out.traces.resize(3);
    size_t index = 0;
    for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
        const TraceGuides guides = trace_guides(kind, s, ray);
        out.dashed(guides.normal_end, guides.interface_point, out.c.guide);
        out.dashed(guides.trace_point, guides.interface_point, out.c.guide);
        centres.clear();
        for (int b = 1; b <= in.frames_per_period; ++b) {
            const Vec3 centre = trace_sphere_centre(kind, s, ray, guides, sample_time_of(b, s));
            if (is_finite(centre)) centres.push_back(centre);
        }
        SphereTrace& trace = out.traces[index];
        trace.batch.clear();
        trace.colour = out.c.traces;
        append_trace(trace.batch, unit, centres, trace_sphere_radius, out.camera);
        // Vertex arrays leave the current normal alone, GLU spheres do not: the next guide
        // lines are lit as after one.
        trace.normal_after = std::nullopt;
        if (!centres.empty()) trace.normal_after = unit.last_glu_normal;
        out.items.push_back(TraceRef{index++});
    }
}

}  // namespace

void describe_fields(const FrameInputs& in, const SceneCamera* camera, EyePicture& eye) {
    eye.fields.clear();
    const RoleColours& c = role_colours(in.presentation.theme, in.presentation.palette);
    FieldList out{eye.fields, eye.traces, camera, c};
    const InterfaceSolution& s = in.solution;
    const TransmittedRay ray = transmitted_ray(s);
    add_traces(out, in, ray);

    const double t = sample_time_of(in.frame_index, s), scale = arrow_scale(s);
    const auto display = [&](RayKind kind, const FieldSample& at) {
        out.tangential(tangential_display(kind, at.base, at.field, scale), c.tangential,
                       c.tangential_parts);
    };
    for (int i = -(ray_sample_count - 1); i <= 0; ++i) {
        const FieldSample incident = incident_sample(s, t, i);
        out.sample(incident, scale, i == 0, c.field_at_interface, c.field);
        if (i == 0 && in.tangential_shown) display(RayKind::incident, incident);
        const FieldSample reflected = reflected_sample(s, t, i);
        out.sample(reflected, scale, i == 0, c.field_at_interface, c.field);
        if (i == 0 && in.tangential_shown) display(RayKind::reflected, reflected);
    }
    for (int n = 0; n < ray_sample_count; ++n) {
        const FieldSample sample = transmitted_sample(s, ray, t, n);
        out.sample(sample, scale, n == 0, c.field_at_interface, c.field);
        if (n == 0 && in.tangential_shown) display(RayKind::transmitted, sample);
    }

    if (in.presentation.magnetic_shown) {
        const auto ray_of = [&](RayKind kind, int first, int last) {
            const WavePhasors wave = wave_phasors(kind, in.scenario, s);
            for (int index = first; index <= last; ++index) {
                const FieldSample h = magnetic_sample(kind, wave, s, ray, t, index);
                out.sample(h, scale, index == 0, c.magnetic_at_interface, c.magnetic);
                if (index == 0 && in.tangential_shown) {
                    out.tangential(
                        tangential_display(kind, h.base, h.field, scale, magnetic_display_offset),
                        c.magnetic, c.magnetic_at_interface);
                }
            }
        };
        ray_of(RayKind::incident, -(ray_sample_count - 1), 0);
        ray_of(RayKind::reflected, -(ray_sample_count - 1), 0);
        ray_of(RayKind::transmitted, 0, ray_sample_count - 1);
    }
    if (in.presentation.poynting_shown) {
        for (const Segment& a : poynting_arrows(in.scenario, s))
            out.arrow(a.from, a.to, c.poynting);
    }
}

FixedScene fixed_scene(const RoleColours& c) {
    constexpr double shaft_length = 0.35;
    const AxisPiece shaft{false, false, {0, 0, 0}, 0, {0, 0, 0}, 0.0175, shaft_length, 20, 16};
    const AxisPiece tip{true, false, {0, 0, 0}, 0, {0, 0, 0}, 0.04, 0.15, 20, 16};
    // Cylinders and cones are built along local +z: turned onto x and y, the tips moved to the
    // shafts' ends.
    const auto onto = [](AxisPiece p, float degrees, float x, float y, float z) {
        p.turn_deg = degrees;
        p.turn_axis[0] = x;
        p.turn_axis[1] = y;
        p.turn_axis[2] = z;
        return p;
    };
    const auto moved = [](AxisPiece p, float x, float y, float z) {
        p.moved = true;
        p.at[0] = x;
        p.at[1] = y;
        p.at[2] = z;
        return p;
    };
    const float l = float(shaft_length);
    return FixedScene{
        {1.08f, 0.0f, 0.0f},
        {c.fixed.r, c.fixed.g, c.fixed.b},
        0.3f,
        0.3f,
        // Lit like glass facing the light in the start view: their geometric normals would
        // light them to almost exactly the grey of the background there, so that they vanished.
        {0.679f, 0.524f, 0.514f},
        c.letters_lit,
        // Two strips of the plane of incidence (|x| <= 0.68, 0.7 <= |z| <= 3.88), the interface.
        {{{{0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 3.88f}, {-0.68f, 0.0f, 0.7f}, {0.68f, 0.0f, 0.7f}}},
         {{{0.68f, 0.0f, -3.88f},
           {-0.68f, 0.0f, -3.88f},
           {-0.68f, 0.0f, -0.7f},
           {0.68f, 0.0f, -0.7f}}},
         {{{-3.0f, 3.0f, 0.0f}, {-3.0f, -3.0f, 0.0f}, {3.0f, -3.0f, 0.0f}, {3.0f, 3.0f, 0.0f}}}},
        {onto(shaft, 90, 0, 1, 0), onto(moved(tip, l, 0, 0), 90, 0, 1, 0), shaft,
         moved(tip, 0, 0, l), onto(shaft, -90, 1, 0, 0), onto(moved(tip, 0, l, 0), -90, 1, 0, 0)},
        // Lying in planes parallel to the plane of incidence, upright in the default view; "x"
        // in the proportional font, "y" and "z" in the mono-spaced one.
        {{'x', {0.5f, 0.0f, 0.021f}, 270.0f, 0.001f, StrokeFont::roman},
         {'y', {0.0f, 0.5f, 0.01f}, -90.0f, 0.001f, StrokeFont::mono_roman},
         {'z', {0.0f, 0.0f, 0.5f}, 270.0f, 0.001f, StrokeFont::mono_roman}}};
}

namespace {

// The readout in the lower right corner of every picture like pass.
ReadoutOverlay readout_overlay(const FrameInputs& in, const EyePass& pass, const RoleColours& c) {
    std::string status = in.paused ? "paused" : "";
    if (!in.activity.empty()) status += (status.empty() ? "" : ", ") + in.activity;
    ReadoutOverlay r{readout_lines(in.label, in.scenario, in.solution, status),
                     {},
                     0,
                     {},
                     c.panel,
                     c.readout_ink,
                     0.8f};
    // Side by side the text is squeezed to half width: the television stretches it back.
    const double squeeze = in.presentation.view == StereoView::sbs ? 0.5 : 1.0;
    const ReadoutLayout shown =
        readout_layout(pass.width, pass.height, squeeze, r.lines, c.text_scale);
    r.painted = readout_layout(pass.width, pass.height, 1.0, r.lines, c.text_scale);
    const int32_t painted_width = whole_pixels(r.painted.panel_width);
    const int32_t width = squeeze == 1.0 ? painted_width : (painted_width + 1) / 2;
    const auto y = static_cast<int32_t>(std::lround(shown.panel_y));
    r.painted_x = static_cast<int32_t>(std::lround(r.painted.panel_x));
    r.place = {static_cast<int32_t>(std::lround(shown.panel_x + shown.panel_width)) - width, y,
               painted_width, width, whole_pixels(shown.panel_height)};
    return r;
}

// The curves in the lower left corner, clear of the readout; none without room to read them.
std::optional<CurvesOverlay> curves_overlay(const FrameInputs& in, const EyePass& pass,
                                            const std::optional<ReadoutOverlay>& readout,
                                            const RoleColours& c) {
    if (in.curves == nullptr) return std::nullopt;
    const double squeeze = in.presentation.view == StereoView::sbs ? 0.5 : 1.0;
    std::optional<PanelRect> taken;
    if (readout) {
        const PanelPlace& p = readout->place;
        taken = PanelRect{double(p.x), double(p.y), double(p.shown_width), double(p.height)};
    }
    const std::optional<CurvesPlacement> room =
        curves_placement(pass.width, pass.height, squeeze, taken);
    if (!room) return std::nullopt;
    const int32_t painted_width = whole_pixels(room->painted_width);
    const int32_t height = whole_pixels(room->shown.height);
    const PanelPlace place{static_cast<int32_t>(std::lround(room->shown.x)),
                           static_cast<int32_t>(std::lround(room->shown.y)), painted_width,
                           squeeze == 1.0 ? painted_width : (painted_width + 1) / 2, height};
    return CurvesOverlay{curves_picture(*in.curves, in.presentation.curves, in.scenario.theta_i,
                                        painted_width, height, room->line_height, c),
                         place, c.panel, c.curves_ink};
}

}  // namespace

void build_frame(const FrameInputs& in, FrameDescription& frame) {
    const Presentation& p = in.presentation;
    const RoleColours& c = role_colours(p.theme, p.palette);
    frame.background = c.background;
    frame.line_width = c.line_width;
    frame.fixed = fixed_scene(c);
    const std::vector<EyePass> passes =
        eye_passes(p.view, in.window_width, in.window_height, p.windowed);
    const Mat4 model = model_matrix(in.view);  // the same for every eye
    frame.eyes.resize(passes.size());
    for (size_t k = 0; k < passes.size(); ++k) {
        EyePicture& eye = frame.eyes[k];
        eye.pass = passes[k];
        eye.view = in.view;
        eye.projection = projection_matrix(eye.pass);
        eye.model = model;
        const std::optional<SceneCamera> camera = camera_in_scene(in.view, eye.pass);
        describe_fields(in, camera ? &*camera : nullptr, eye);
    }
    // The panels over the scene are the same in every picture: placed for the first.
    const EyePass& first = frame.eyes.front().pass;
    frame.readout.reset();
    frame.curves.reset();
    if (p.readout_shown) frame.readout = readout_overlay(in, first, c);
    if (p.curves != CurvesMode::off) frame.curves = curves_overlay(in, first, frame.readout, c);
}

FrameDescription build_frame(const FrameInputs& in) {
    FrameDescription frame{};
    build_frame(in, frame);
    return frame;
}
