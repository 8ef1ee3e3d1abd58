#include "display/animation_tool_shape.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

// A size as the profile uses it: its absolute value, and 0 for no number at all.
double sizeOf(float value) {
    const double size = std::fabs(static_cast<double>(value));
    return std::isfinite(size) ? size : 0.0;
}

double arcStepOf(const ToolEntry& entry) {
    const double step = entry.arcResolution;
    return std::isfinite(step) && step > 0 ? step : kDefaultArcResolution;
}

void addPoint(std::vector<ProfilePoint>& profile, ProfilePoint point) {
    if (profile.empty() || profile.back() != point)
        profile.push_back(point);
}

struct ShapeWriter {
    ToolShapeList& shape;
    ToolShapePoint* last = nullptr;

    bool add(bool penDown, double x, double y, double z) {
        if (last == nullptr ? !shape.createFirst() : !shape.append(last))
            return false;
        if (last == nullptr)
            last = shape.head();
        last->penDown = penDown ? 1 : 0;
        last->x = static_cast<float>(x);
        last->y = static_cast<float>(y);
        last->z = static_cast<float>(z);
        return true;
    }
    // The profile point turned about the axis by `degrees`.
    bool add(bool penDown, const ProfilePoint& point, int degrees) {
        const double angle = degrees * kDegToRadExact;
        return add(penDown, point.radial * std::cos(angle), point.radial * std::sin(angle),
                   point.axial);
    }
};

} // namespace

std::vector<ProfilePoint> toolProfile(const ToolEntry& entry) {
    const double diameter = entry.diameter;
    if (!(diameter > 0) || !std::isfinite(diameter))
        return {};
    const double half = diameter / 2;
    double corner = sizeOf(entry.radius);
    double length = sizeOf(entry.length);
    if (length < corner)
        length = corner;
    if (corner > half)
        corner = half;
    const bool ballEnd = std::fabs(half - corner) <= kBallEndTolerance;

    std::vector<ProfilePoint> profile;
    profile.push_back({0, 0});
    if (!ballEnd)
        addPoint(profile, {half - corner, 0});
    if (corner > 0) {
        // The corner arc turns from straight down (-90 degrees) to the side (0 degrees)
        // about its centre; its first point is the bottom point already in the list. The
        // budget keeps room for the tip, the bottom point, the arc's end and the top.
        constexpr int kArcBudget = kMaxProfilePoints - 4;
        const double step = std::max(arcStepOf(entry), 90.0 / kArcBudget);
        const double centreRadial = half - corner;
        // A last step that falls a rounding error short of the end would add a point on it.
        for (int k = 1; - 90.0 + k * step < -1e-9 && k <= kArcBudget; ++k) {
            const double angle = (-90.0 + k * step) * kDegToRadExact;
            addPoint(profile,
                     {centreRadial + corner * std::cos(angle), corner + corner * std::sin(angle)});
        }
        addPoint(profile, {half, corner});
    }
    addPoint(profile, {half, length});
    return profile;
}

int sectionStepDegrees(int sections) {
    return sections <= 1 ? 360 : 360 / sections;
}

ToolShapeResult buildToolShape(const ToolEntry& entry, ToolShapeList& shape) {
    shape.freeAll();
    const std::vector<ProfilePoint> profile = toolProfile(entry);
    if (profile.empty())
        return ToolShapeResult::NoShape;
    const int step = sectionStepDegrees(entry.numberOfSections);

    ShapeWriter writer{shape};
    bool ok = true;
    for (int degrees = 0; degrees < 360 && ok; degrees += step)
        for (std::size_t i = 0; i < profile.size() && ok; ++i)
            ok = writer.add(i > 0, profile[i], degrees);

    // The rings: at the top, and where the side begins (the last point below the top).
    const int copies = (359 / step) + 1;
    if (copies >= 3 && profile.size() >= 2) {
        std::vector<ProfilePoint> rings = {profile.back()};
        const ProfilePoint& sideStart = profile[profile.size() - 2];
        if (sideStart.radial == profile.back().radial && sideStart.radial > 0)
            rings.push_back(sideStart);
        for (const ProfilePoint& ring : rings) {
            for (int degrees = 0; degrees < 360 && ok; degrees += step)
                ok = writer.add(degrees > 0, ring, degrees);
            ok = ok && writer.add(true, ring, 0);
        }
    }
    if (!ok) {
        shape.freeAll();
        return ToolShapeResult::OutOfMemory;
    }
    return ToolShapeResult::Built;
}

const ToolEntry& animationToolEntry(const ToolTable& table, int toolNumber) {
    const int index = findTool(table, toolNumber);
    return table.entries[static_cast<std::size_t>(index > 0 ? index : 0)];
}

} // namespace korvix
