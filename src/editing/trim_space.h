#pragma once

#include "display/view_transform.h"
#include "model/geometry.h"

namespace korvix {

// The coordinates a trim compares with its region. In the plain XY view they are the world
// coordinates themselves; in any other view a point is rotated into the view (Y negated
// before and after, as the projection does), so that x and y are the drawing units the box
// or polygon was drawn in and z is the depth along the line of sight.
class TrimSpace {
public:
    TrimSpace() = default; // the plain XY view
    explicit TrimSpace(const ViewState& view) : m_view(isPlainXYView(view) ? nullptr : &view) {}

    bool isPlanView() const { return m_view == nullptr; }

    Point3 toTrim(const Point3& world) const {
        if (m_view == nullptr)
            return world;
        double x = world.x, y = -world.y, z = world.z;
        rotateForward(*m_view, x, y, z);
        return {x, -y, z};
    }

    Point3 toWorld(const Point3& p) const {
        if (m_view == nullptr)
            return p;
        double x = p.x, y = -p.y, z = p.z;
        rotateInverse(*m_view, x, y, z);
        return {x, -y, z};
    }

private:
    const ViewState* m_view = nullptr;
};

} // namespace korvix
