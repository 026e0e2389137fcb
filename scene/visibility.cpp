#include "scene/visibility.h"

#include <cmath>

#include "physics/interface_solver.h"

double near_plane_reach(double field_of_view_deg, double aspect, double near) {
    const double t = std::tan(degrees_to_radians(field_of_view_deg / 2));
    return near * std::sqrt(1.0 + t * t * (1.0 + aspect * aspect));
}

bool solid_seen_whole(const SceneCamera* camera, Vec3 centre, double radius) {
    if (camera == nullptr) return false;
    const Vec3 d = centre - camera->position;
    return std::sqrt(dot(d, d)) - radius > camera->near_reach;
}
