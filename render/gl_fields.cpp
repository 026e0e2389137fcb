// The wave fields and the fixed scene as OpenGL calls: one GLU quadric for every cylinder,
// vertex arrays for the trace spheres, stippled lines for the dashed ones.
#include <GL/freeglut.h>

#include "render/gl_backend.h"

namespace {

void set_colour(Rgb c) {
    glColor3f(c.r, c.g, c.b);
}

GLUquadric* quadric(GlBackend& gl) {
    if (gl.quadric == nullptr) gl.quadric = gluNewQuadric();
    return gl.quadric;
}

void draw_dashed_line(const DashedLine& line) {
    set_colour(line.colour);
    glPushAttrib(GL_ENABLE_BIT);  // so that stippling ends with this line
    glLineStipple(1, dash_pattern);
    glEnable(GL_LINE_STIPPLE);
    glBegin(GL_LINES);
    glVertex3f(static_cast<GLfloat>(line.from.x), static_cast<GLfloat>(line.from.y),
               static_cast<GLfloat>(line.from.z));
    glVertex3f(static_cast<GLfloat>(line.to.x), static_cast<GLfloat>(line.to.y),
               static_cast<GLfloat>(line.to.z));
    glEnd();
    glPopAttrib();
}

void draw_triangles(const std::vector<unsigned>& indices) {
    if (indices.empty()) return;
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT,
                   indices.data());
}

// One trace: every sphere of the period in at most two draw calls.
void draw_trace(const SphereTrace& trace) {
    const SphereBatch& batch = trace.batch;
    if (!batch.closed_indices.empty() || !batch.open_indices.empty()) {
        set_colour(trace.colour);
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
    if (trace.normal_after) {
        const Vec3 n = *trace.normal_after;
        glNormal3f(static_cast<GLfloat>(n.x), static_cast<GLfloat>(n.y), static_cast<GLfloat>(n.z));
    }
}

}  // namespace

void draw_arrow(GlBackend& gl, const Arrow& a) {
    const double length = a.length;
    // Inner faces that cannot show are left to back-face culling: the software renderer's time
    // goes per triangle. The head's are hidden only if the shaft's are.
    if (a.shaft_culled) glEnable(GL_CULL_FACE);
    // Shaft: no end caps.
    glPushMatrix();
    glTranslated(a.start.x, a.start.y, a.start.z);
    glMultMatrixd(a.orientation);
    gluCylinder(quadric(gl), arrow_shaft_radius * length, arrow_shaft_radius * length,
                arrow_shaft_length * length, arrow_slices, arrow_stacks);
    glPopMatrix();
    if (a.shaft_culled && !a.head_culled) glDisable(GL_CULL_FACE);
    // Head: a cone ending at the tip.
    glPushMatrix();
    glTranslated(a.head_base.x, a.head_base.y, a.head_base.z);
    glMultMatrixd(a.orientation);
    gluCylinder(quadric(gl), arrow_head_radius * length, 0.0, arrow_head_length * length,
                arrow_slices, arrow_stacks);
    glPopMatrix();
    if (a.head_culled) glDisable(GL_CULL_FACE);
}

void draw_fields(GlBackend& gl, const EyePicture& eye) {
    for (const FieldItem& item : eye.fields) {
        if (const auto* arrow = std::get_if<Arrow>(&item)) {
            set_colour(arrow->colour);
            draw_arrow(gl, *arrow);
        } else if (const auto* line = std::get_if<DashedLine>(&item)) {
            draw_dashed_line(*line);
        } else {
            draw_trace(eye.traces[std::get<TraceRef>(item).index]);
        }
    }
}

void draw_interface_planes(const FixedScene& f) {
    glColor4f(f.grey[0], f.grey[1], f.grey[2], f.plane_alpha);
    glNormal3fv(f.plane_normal);
    for (const PlaneQuad& quad : f.planes) {
        glBegin(GL_QUADS);
        for (const auto& v : quad.v) glVertex3f(v[0], v[1], v[2]);
        glEnd();
    }
}

void draw_axes(GlBackend& gl, const FixedScene& f) {
    glDisable(GL_LIGHTING);
    glColor4f(f.grey[0], f.grey[1], f.grey[2], f.axes_alpha);
    for (const AxisPiece& p : f.axes) {
        glPushMatrix();
        if (p.moved) glTranslatef(p.at[0], p.at[1], p.at[2]);
        if (p.turn_deg != 0.0f)
            glRotatef(p.turn_deg, p.turn_axis[0], p.turn_axis[1], p.turn_axis[2]);
        if (p.tip) {
            glutSolidCone(p.radius, p.length, p.slices, p.stacks);
        } else {
            gluCylinder(quadric(gl), p.radius, p.radius, p.length, p.slices, p.stacks);
        }
        glPopMatrix();
    }
    glEnable(GL_LIGHTING);
}

void draw_axis_labels(const FixedScene& f) {
    if (!f.labels_lit) glDisable(GL_LIGHTING);
    glColor4f(f.grey[0], f.grey[1], f.grey[2], 1.0f);
    for (const AxisLabel& label : f.labels) {
        glPushMatrix();
        glTranslatef(label.at[0], label.at[1], label.at[2]);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        glRotatef(label.turn_about_z, 0.0f, 0.0f, 1.0f);
        glScalef(label.scale, label.scale, label.scale);
        glutStrokeCharacter(
            label.font == StrokeFont::roman ? GLUT_STROKE_ROMAN : GLUT_STROKE_MONO_ROMAN,
            label.letter);
        glPopMatrix();
    }
    if (!f.labels_lit) glEnable(GL_LIGHTING);
}
