#include "render/field_scene.h"

#include "render/field_arrow.h"
#include "render/frame_state.h"
#include "render/sphere_batch.h"

namespace {

constexpr GLushort dash_pattern = 0x5555;  // every other pixel

void set_normal(Vec3 n) {
    glNormal3f(static_cast<GLfloat>(n.x), static_cast<GLfloat>(n.y), static_cast<GLfloat>(n.z));
}

void draw_dashed_line(Vec3 from, Vec3 to, Rgb colour) {
    if (!is_finite(from) || !is_finite(to)) return;
    set_colour(colour);
    glPushAttrib(GL_ENABLE_BIT);  // so that stippling ends with this line
    glLineStipple(1, dash_pattern);
    glEnable(GL_LINE_STIPPLE);
    glBegin(GL_LINES);
    glVertex3f(static_cast<GLfloat>(from.x), static_cast<GLfloat>(from.y),
               static_cast<GLfloat>(from.z));
    glVertex3f(static_cast<GLfloat>(to.x), static_cast<GLfloat>(to.y), static_cast<GLfloat>(to.z));
    glEnd();
    glPopAttrib();
}

void draw_triangles(const std::vector<unsigned>& indices) {
    if (indices.empty()) return;
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                   indices.data());
}

// One trace: every sphere of the period in at most two draw calls, with only the triangles
// that can show (the software renderer's time goes per triangle).
void draw_sphere_batch(const SphereBatch& batch) {
    if (batch.closed_indices.empty() && batch.open_indices.empty()) return;
    set_colour(trace_blue);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, batch.vertices.data());
    glNormalPointer(GL_FLOAT, 0, batch.normals.data());
    draw_triangles(batch.open_indices);
    if (!batch.closed_indices.empty()) {
        // The far halves of spheres seen whole are hidden by their near halves anyway.
        glPushAttrib(GL_ENABLE_BIT);
        glEnable(GL_CULL_FACE);
        draw_triangles(batch.closed_indices);
        glPopAttrib();
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void draw_sample_arrow(const FieldSample& sample, double scale) {
    set_colour(sample.colour);
    draw_field_arrow(sample.base, arrow_tip(sample, scale));
}

bool tangential_fields_shown() {
    return g_animation.tangential_toggle == 1;
}

}  // namespace

void draw_field_scene() {
    draw_polarisation_traces();
    draw_incident_reflected_fields();
    draw_transmitted_fields();
    if (g_presentation.magnetic_shown) draw_magnetic_fields();
    if (g_presentation.poynting_shown) draw_poynting_vectors();
}

void draw_polarisation_traces() {
    InterfaceSolution& s = g_solution;
    const TransmittedRay ray = transmitted_ray(s);
    static const UnitSphere unit = unit_sphere(trace_sphere_slices, trace_sphere_stacks);
    // Scratch space that keeps its capacity from frame to frame; its content is rewritten.
    static SphereBatch spheres;
    static std::vector<Vec3> centres;
    for (RayKind kind : {RayKind::incident, RayKind::reflected, RayKind::transmitted}) {
        const TraceGuides guides = trace_guides(kind, s, ray);
        draw_dashed_line(guides.normal_end, guides.interface_point, guide_grey);
        draw_dashed_line(guides.trace_point, guides.interface_point, guide_grey);
        centres.clear();
        for (int b = 1; b <= g_animation.frames_per_period; ++b) {
            s.sample_time = sample_time_of(b, s);
            const Vec3 centre = trace_sphere_centre(kind, s, ray, guides, s.sample_time);
            if (is_finite(centre)) centres.push_back(centre);
        }
        spheres.clear();
        append_trace(spheres, unit, centres, trace_sphere_radius, eye_camera());
        draw_sphere_batch(spheres);
        // Vertex arrays leave the current normal alone, GLU spheres do not: the next guide
        // lines are lit as after one.
        if (!centres.empty()) set_normal(unit.last_glu_normal);
    }
}

void draw_incident_reflected_fields() {
    InterfaceSolution& s = g_solution;
    s.sample_time = sample_time_of(g_animation.frame_index, s);
    const double scale = arrow_scale(s);
    for (int i = -(ray_sample_count - 1); i <= 0; ++i) {
        const FieldSample incident = incident_sample(s, s.sample_time, i);
        draw_sample_arrow(incident, scale);
        if (i == 0 && tangential_fields_shown()) {
            draw_tangential_fields(RayKind::incident, incident.base, incident.field);
        }
        const FieldSample reflected = reflected_sample(s, s.sample_time, i);
        draw_sample_arrow(reflected, scale);
        if (i == 0 && tangential_fields_shown()) {
            draw_tangential_fields(RayKind::reflected, reflected.base, reflected.field);
        }
    }
}

void draw_transmitted_fields() {
    const InterfaceSolution& s = g_solution;
    const TransmittedRay ray = transmitted_ray(s);
    const double scale = arrow_scale(s);
    for (int n = 0; n < ray_sample_count; ++n) {
        const FieldSample sample = transmitted_sample(s, ray, s.sample_time, n);
        draw_sample_arrow(sample, scale);
        if (n == 0 && tangential_fields_shown()) {
            draw_tangential_fields(RayKind::transmitted, sample.base, sample.field);
        }
    }
}

namespace {

// A tangential display: the dashed projection and the whole tangential field in one colour,
// its two components in another.
void draw_tangential_display(const TangentialDisplay& display, Rgb whole, Rgb parts) {
    draw_dashed_line(display.projection.from, display.projection.to, whole);
    set_colour(whole);
    draw_field_arrow(display.tangential.from, display.tangential.to);
    set_colour(parts);
    draw_field_arrow(display.x_part.from, display.x_part.to);
    set_colour(parts);
    draw_field_arrow(display.y_part.from, display.y_part.to);
}

// The magnetic displays lie this much further out than the electric ones (scene units).
constexpr double magnetic_display_offset = 0.1;

}  // namespace

void draw_tangential_fields(RayKind kind, Vec3 p, Vec3 e) {
    draw_tangential_display(tangential_display(kind, p, e, arrow_scale(g_solution)), magenta,
                            green);
}

void draw_magnetic_fields() {
    const InterfaceSolution& s = g_solution;
    const TransmittedRay ray = transmitted_ray(s);
    const double scale = arrow_scale(s);
    const auto draw_ray = [&](RayKind kind, int first, int last) {
        const WavePhasors wave = wave_phasors(kind, g_scenario, s);
        for (int index = first; index <= last; ++index) {
            const FieldSample h = magnetic_sample(kind, wave, s, ray, s.sample_time, index);
            draw_sample_arrow(h, scale);
            if (index == 0 && tangential_fields_shown()) {
                draw_tangential_display(
                    tangential_display(kind, h.base, h.field, scale, magnetic_display_offset),
                    sky_blue, blue);
            }
        }
    };
    draw_ray(RayKind::incident, -(ray_sample_count - 1), 0);
    draw_ray(RayKind::reflected, -(ray_sample_count - 1), 0);
    draw_ray(RayKind::transmitted, 0, ray_sample_count - 1);
}

void draw_poynting_vectors() {
    for (const Segment& arrow : poynting_arrows(g_scenario, g_solution)) {
        set_colour(vermillion);
        draw_field_arrow(arrow.from, arrow.to);
    }
}
