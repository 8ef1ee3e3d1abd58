#pragma once

namespace korvix {

// A box over X, Y and Z in double precision. Outside the readers the Y pair of the stored
// boxes is held negated (screen orientation: rows grow downwards).
struct Extents {
    double minX = 0, maxX = 0;
    double minY = 0, maxY = 0;
    double minZ = 0, maxZ = 0;

    // Makes the box the single point (x, y, z).
    void reset(double x, double y, double z) {
        minX = maxX = x;
        minY = maxY = y;
        minZ = maxZ = z;
    }
    void widen(double x, double y, double z) {
        if (x < minX)
            minX = x;
        if (x > maxX)
            maxX = x;
        if (y < minY)
            minY = y;
        if (y > maxY)
            maxY = y;
        if (z < minZ)
            minZ = z;
        if (z > maxZ)
            maxZ = z;
    }
    // Switches the Y pair between true and screen orientation.
    void negateY() {
        minY = -minY;
        maxY = -maxY;
    }
    // The Y pair in true orientation of a box held in screen orientation: after negation
    // the former maximum is the true minimum.
    double trueMinY() const { return -minY; }
    double trueMaxY() const { return -maxY; }

    static Extents cube(double half) { return {-half, half, -half, half, -half, half}; }
};

} // namespace korvix
