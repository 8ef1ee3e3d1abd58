#include "display/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace korvix {
namespace {

// Lines are walked with 64-bit integer steps; end points beyond this distance are first
// pulled in along the line so that no product can overflow.
constexpr std::int64_t kFar = std::int64_t{1} << 28;

bool isFar(std::int64_t v) {
    return v > kFar || v < -kFar;
}

// Liang-Barsky against the box [-kFar, kFar]^2: narrows [t0, t1] to the part of the line
// inside the box; false when none is.
bool clipToBox(double x0, double y0, double dx, double dy, double& t0, double& t1) {
    const double limit = static_cast<double>(kFar);
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 + limit, limit - x0, y0 + limit, limit - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
    }
    return t0 <= t1;
}

} // namespace

void LineRaster::plot(int x, int y) {
    std::uint32_t& pixel = m_buffer.pixels[static_cast<std::ptrdiff_t>(y) * m_buffer.stride + x];
    if (m_op == Op::Copy)
        pixel = 0xFF000000u | m_rgb;
    else
        pixel ^= m_rgb;
}

void LineRaster::line(int x0, int y0, int x1, int y1) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    const std::int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0)
        return; // the start pixel is the end pixel, which is never drawn
    if (!m_dotted && inside(x0, y0) && inside(x1, y1)) {
        solidInside(x0, y0, dx, dy, n);
        return;
    }
    if (!isFar(x0) && !isFar(y0) && !isFar(x1) && !isFar(y1)) {
        walk(x0, y0, x1, y1);
        return;
    }
    double t0 = 0, t1 = 1;
    const double fx0 = x0, fy0 = y0, fdx = static_cast<double>(dx), fdy = static_cast<double>(dy);
    if (!clipToBox(fx0, fy0, fdx, fdy, t0, t1))
        return;
    walk(std::llround(fx0 + t0 * fdx), std::llround(fy0 + t0 * fdy), std::llround(fx0 + t1 * fdx),
         std::llround(fy0 + t1 * fdy));
}

// The common case of a toolpath (and of the XOR marks moved over it): a short solid line with
// both ends on the buffer, so every pixel between them is on it too. The same steps as
// walk(), without the clipping.
void LineRaster::solidInside(int x0, int y0, std::int64_t dx, std::int64_t dy, std::int64_t n) {
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::ptrdiff_t stride = m_buffer.stride;
    const std::ptrdiff_t xStep = dx >= 0 ? 1 : -1;
    const std::ptrdiff_t yStep = dy >= 0 ? stride : -stride;
    const std::ptrdiff_t majorStep = xMajor ? xStep : yStep;
    const std::ptrdiff_t minorStep = xMajor ? yStep : xStep;
    const std::int64_t twoDm = 2 * std::llabs(xMajor ? dy : dx);
    const std::int64_t twoN = 2 * n;
    std::int64_t r = n;
    std::uint32_t* pixel = m_buffer.pixels + static_cast<std::ptrdiff_t>(y0) * stride + x0;
    const auto run = [&](auto paint) {
        for (std::int64_t i = 0; i < n; ++i) {
            paint(*pixel);
            pixel += majorStep;
            r += twoDm;
            if (r >= twoN) {
                r -= twoN;
                pixel += minorStep;
            }
        }
    };
    if (m_op == Op::Copy) {
        const std::uint32_t value = 0xFF000000u | m_rgb;
        run([value](std::uint32_t& p) { p = value; });
    } else {
        const std::uint32_t bits = m_rgb;
        run([bits](std::uint32_t& p) { p ^= bits; });
    }
}

void LineRaster::walk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t a0 = xMajor ? x0 : y0; // start on the major axis
    const std::int64_t b0 = xMajor ? y0 : x0; // start on the minor axis
    const std::int64_t majorDelta = xMajor ? dx : dy;
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const std::int64_t n = std::llabs(majorDelta);
    if (n == 0)
        return;
    const std::int64_t majorStep = majorDelta > 0 ? 1 : -1;
    const std::int64_t minorStep = minorDelta >= 0 ? 1 : -1;
    const std::int64_t dm = std::llabs(minorDelta);
    const std::int64_t majorSize = xMajor ? m_buffer.width : m_buffer.height;
    const std::int64_t minorSize = xMajor ? m_buffer.height : m_buffer.width;

    // Steps i in [0, n) whose major coordinate a0 + majorStep * i lies on the buffer.
    std::int64_t first = 0;
    std::int64_t last = n; // exclusive: the end pixel is not drawn
    if (majorStep > 0) {
        first = std::max<std::int64_t>(first, -a0);
        last = std::min(last, majorSize - a0);
    } else {
        first = std::max(first, a0 - majorSize + 1);
        last = std::min(last, a0 + 1);
    }
    if (first >= last)
        return;

    // Minor offset at step i: i * dm / n rounded half up, kept as quotient q and remainder r
    // of (2 i dm + n) / 2n and stepped without division.
    const std::int64_t twoN = 2 * n;
    std::int64_t q = 0;
    std::int64_t r = n;
    if (first > 0) { // only a clipped start needs the division
        const std::int64_t numerator = 2 * first * dm + n;
        q = numerator / twoN;
        r = numerator % twoN;
    }
    for (std::int64_t i = first; i < last; ++i) {
        const std::int64_t minor = b0 + minorStep * q;
        if (minor >= 0 && minor < minorSize) {
            const std::int64_t major = a0 + majorStep * i;
            if (!m_dotted || (major & 1) == 0) {
                if (xMajor)
                    plot(static_cast<int>(major), static_cast<int>(minor));
                else
                    plot(static_cast<int>(minor), static_cast<int>(major));
            }
        } else if ((minorStep > 0) == (minor >= minorSize)) {
            break; // moving further off the buffer
        }
        r += 2 * dm;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        }
    }
}

} // namespace korvix
