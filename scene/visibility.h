// What an eye's camera can see of a closed solid. Parts of a solid that its own near side, or
// another solid, hides can be left out only while those hiding surfaces are drawn whole, that
// is while the near clipping plane cannot cut them open.
#pragma once

#include "scene/vec3.h"

// An eye's camera in scene coordinates.
struct SceneCamera {
    Vec3 position;      // scene units
    double near_reach;  // scene units: no pixel's ray meets the near clipping plane farther away
};

// How far from the camera a pixel's ray can meet the near clipping plane, in the units of
// near: at the frustum's corners, near sqrt(1 + tan^2(fov/2) (1 + aspect^2)).
double near_plane_reach(double field_of_view_deg, double aspect, double near);

// The one rule of every culling in the scene: faces of a closed solid within radius of centre
// may be left out only with a camera, and only when the near plane cannot cut the solid open.
// False for NaN.
bool solid_seen_whole(const SceneCamera* camera, Vec3 centre, double radius);
