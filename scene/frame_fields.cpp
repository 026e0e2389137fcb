// The wave fields of a picture: arrows, dashed lines and the polarisation traces.
#include <cmath>
#include <cstring>

#include "scene/field_geometry.h"
#include "scene/frame_inputs.h"

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
    // Medium 2's arrows magnified (key z), so that a wave that a lossy medium all but stops
    // can be seen; the tangential displays keep the true scale of the boundary conditions.
    const double magnified = scale * std::pow(10.0, in.presentation.medium2_decades);
    for (int n = 0; n < ray_sample_count; ++n) {
        const FieldSample sample = transmitted_sample(s, ray, t, n);
        out.sample(sample, magnified, n == 0, c.field_at_interface, c.field);
        if (n == 0 && in.tangential_shown) display(RayKind::transmitted, sample);
    }

    if (in.presentation.magnetic_shown) {
        const auto ray_of = [&](RayKind kind, int first, int last) {
            const WavePhasors wave = wave_phasors(kind, in.scenario, s);
            for (int index = first; index <= last; ++index) {
                const FieldSample h = magnetic_sample(kind, wave, s, ray, t, index);
                out.sample(h, kind == RayKind::transmitted ? magnified : scale, index == 0,
                           c.magnetic_at_interface, c.magnetic);
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
