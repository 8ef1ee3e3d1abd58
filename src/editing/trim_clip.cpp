#include "editing/trim_clip.h"

#include "model/move_record.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace korvix {

double zAlongSegment(const Point3& p1, const Point3& p2, double x, double y) {
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    if (std::fabs(dx) >= std::fabs(dy))
        return dx == 0 ? p1.z : p1.z + (p2.z - p1.z) * (x - p1.x) / dx;
    return p1.z + (p2.z - p1.z) * (y - p1.y) / dy;
}

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kBottom = 4;
constexpr int kTop = 8;

int outcode(const TrimBox& box, const Point3& p) {
    int code = 0;
    if (p.x < box.left)
        code |= kLeft;
    else if (p.x > box.right)
        code |= kRight;
    if (p.y < box.bottom)
        code |= kBottom;
    else if (p.y > box.top)
        code |= kTop;
    return code;
}

// The point of q1 -> q2 on the edge line named by the first set bit of `code`.
Point3 onEdge(const TrimBox& box, const Point3& q1, const Point3& q2, int code) {
    Point3 p;
    if (code & (kLeft | kRight)) {
        p.x = (code & kLeft) ? box.left : box.right;
        p.y = q1.y + (q2.y - q1.y) * (p.x - q1.x) / (q2.x - q1.x);
    } else {
        p.y = (code & kBottom) ? box.bottom : box.top;
        p.x = q1.x + (q2.x - q1.x) * (p.y - q1.y) / (q2.y - q1.y);
    }
    p.z = zAlongSegment(q1, q2, p.x, p.y);
    return p;
}

} // namespace

bool boxContains(const TrimBox& box, double x, double y) {
    return x >= box.left && x <= box.right && y >= box.bottom && y <= box.top;
}

BoxClip clipToBox(const TrimBox& box, const Point3& p1, const Point3& p2) {
    BoxClip clip;
    const auto add = [&](const Point3& a, const Point3& b, bool inside, bool ends) {
        clip.pieces[static_cast<std::size_t>(clip.count++)] = {a, b, inside, ends};
    };
    Point3 q1 = p1, q2 = p2;
    int c1 = outcode(box, q1), c2 = outcode(box, q2);
    bool entered = false, left = false;
    // Each move clears a bit of the moved end for good; the bound only guards against
    // coordinates that are not numbers.
    for (int round = 0; (c1 | c2) != 0; ++round) {
        if ((c1 & c2) != 0 || round == 8) {
            add(p1, p2, false, true);
            return clip;
        }
        if (c1 != 0) {
            q1 = onEdge(box, q1, q2, c1);
            c1 = outcode(box, q1);
            entered = true;
        } else {
            q2 = onEdge(box, q1, q2, c2);
            c2 = outcode(box, q2);
            left = true;
        }
    }
    if (entered)
        add(p1, q1, false, false);
    add(q1, q2, true, !left);
    if (left)
        add(q2, p2, false, true);
    return clip;
}

PolygonClipper::PolygonClipper(std::span<const Point2> vertices, ChunkAllocator allocator)
    : m_vertices(vertices.begin(), vertices.end()), m_crossings(allocator, 64) {
    const std::size_t n = m_vertices.size();
    if (n == 0)
        return;
    m_minX = m_maxX = m_vertices.front().x;
    m_minY = m_maxY = m_vertices.front().y;
    for (const Point2& v : m_vertices) {
        m_minX = minOf(m_minX, v.x);
        m_maxX = maxOf(m_maxX, v.x);
        m_minY = minOf(m_minY, v.y);
        m_maxY = maxOf(m_maxY, v.y);
    }
    // About one band per vertex: a band then holds a few edges of a well-spread polygon.
    // (Bounded, so that a polygon of many long edges cannot file them a million times.)
    const double height = m_maxY - m_minY;
    m_bandCount = height > 0 && std::isfinite(height) ? std::min<std::size_t>(n, 256) : 1;
    m_bandHeight = height / static_cast<double>(m_bandCount);
    const auto bandsOfEdge = [&](std::size_t i) {
        const Point2& a = m_vertices[i];
        const Point2& b = m_vertices[(i + 1) % n];
        return std::pair{bandOf(minOf(a.y, b.y)), bandOf(maxOf(a.y, b.y))};
    };
    m_bandStart.assign(m_bandCount + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [first, last] = bandsOfEdge(i);
        for (std::size_t band = first; band <= last; ++band)
            ++m_bandStart[band + 1];
    }
    for (std::size_t band = 0; band < m_bandCount; ++band)
        m_bandStart[band + 1] += m_bandStart[band];
    m_bandEdges.resize(m_bandStart.back());
    std::vector<std::uint32_t> fill(m_bandStart.begin(), m_bandStart.end() - 1);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [first, last] = bandsOfEdge(i);
        for (std::size_t band = first; band <= last; ++band)
            m_bandEdges[fill[band]++] = static_cast<std::uint32_t>(i);
    }
    m_seen.assign(n, 0);
}

std::size_t PolygonClipper::bandOf(double y) const {
    if (m_bandCount == 1)
        return 0;
    const double band = (y - m_minY) / m_bandHeight;
    if (!(band > 0)) // also a coordinate that is not a number
        return 0;
    if (band >= static_cast<double>(m_bandCount - 1))
        return m_bandCount - 1;
    return static_cast<std::size_t>(band);
}

std::span<const std::uint32_t> PolygonClipper::edgesOfBand(std::size_t band) const {
    return {m_bandEdges.data() + m_bandStart[band], m_bandEdges.data() + m_bandStart[band + 1]};
}

bool PolygonClipper::contains(double x, double y) const {
    if (m_vertices.empty() || x < m_minX || x > m_maxX || y < m_minY || y > m_maxY)
        return false;
    // Every edge that can count (min y < y <= max y) is filed in the band of y; the rule is
    // pointInPolygon's.
    bool inside = false;
    const std::size_t n = m_vertices.size();
    for (const std::uint32_t i : edgesOfBand(bandOf(y))) {
        const Point2& a = m_vertices[i];
        const Point2& b = m_vertices[(i + 1) % n];
        if (y > minOf(a.y, b.y) && y <= maxOf(a.y, b.y) && x <= maxOf(a.x, b.x)) {
            if (a.x == b.x || x <= (y - a.y) * (b.x - a.x) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    }
    return inside;
}

bool PolygonClipper::gatherCrossings(const Point3& p1, const Point3& p2) {
    m_crossings.freeAll();
    const double sx0 = minOf(p1.x, p2.x), sx1 = maxOf(p1.x, p2.x);
    const double sy0 = minOf(p1.y, p2.y), sy1 = maxOf(p1.y, p2.y);
    const Point2 a{p1.x, p1.y}, b{p2.x, p2.y};
    Crossing* tail = nullptr;
    const std::size_t n = m_vertices.size();
    // An edge filed in several of the segment's bands is looked at once.
    if (++m_segment == 0) {
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_segment = 1;
    }
    const std::size_t lastBand = bandOf(sy1);
    for (std::size_t band = bandOf(sy0); band <= lastBand; ++band)
        for (const std::uint32_t i : edgesOfBand(band)) {
            if (m_seen[i] == m_segment)
                continue;
            m_seen[i] = m_segment;
            const Point2& e1 = m_vertices[i];
            const Point2& e2 = m_vertices[(i + 1) % n];
            if (maxOf(e1.x, e2.x) < sx0 || minOf(e1.x, e2.x) > sx1 || maxOf(e1.y, e2.y) < sy0 ||
                minOf(e1.y, e2.y) > sy1)
                continue;
            const std::optional<Point2> hit = segmentIntersection(a, b, e1, e2, true);
            if (!hit)
                continue;
            if (tail == nullptr) {
                if (!m_crossings.createFirst())
                    return false;
                tail = m_crossings.head();
            } else if (!m_crossings.append(tail)) {
                return false;
            }
            tail->x = static_cast<float>(hit->x);
            tail->y = static_cast<float>(hit->y);
            tail->z = static_cast<float>(zAlongSegment(p1, p2, hit->x, hit->y));
            tail->distance = static_cast<float>(std::hypot(hit->x - p1.x, hit->y - p1.y));
        }
    if (tail != nullptr)
        sortByKey(m_crossings);
    return true;
}

void PolygonClipper::splitAtBreaks(const Point3& p1, const Point3& p2) {
    m_breaks.clear();
    m_breaks.push_back(p1);
    const double length = std::hypot(p2.x - p1.x, p2.y - p1.y);
    double last = 0;
    for (const Crossing* c = m_crossings.head(); c != nullptr; c = c->next) {
        if (c->distance - last <= kMotionTolerance || length - c->distance <= kMotionTolerance)
            continue;
        m_breaks.push_back({c->x, c->y, c->z});
        last = c->distance;
    }
    m_breaks.push_back(p2);

    m_pieces.clear();
    for (std::size_t i = 0; i + 1 < m_breaks.size(); ++i) {
        const Point3& from = m_breaks[i];
        const Point3& to = m_breaks[i + 1];
        const bool inside = contains((from.x + to.x) / 2, (from.y + to.y) / 2);
        if (!m_pieces.empty() && m_pieces.back().inside == inside)
            m_pieces.back().b = to;
        else
            m_pieces.push_back({from, to, inside, false});
    }
    m_pieces.back().endsSegment = true;
}

bool PolygonClipper::clip(const Point3& p1, const Point3& p2, std::span<const ClipPiece>& pieces) {
    try {
        m_pieces.clear();
        const bool apart = maxOf(p1.x, p2.x) < m_minX || minOf(p1.x, p2.x) > m_maxX ||
                           maxOf(p1.y, p2.y) < m_minY || minOf(p1.y, p2.y) > m_maxY;
        if (m_vertices.empty() || apart) {
            m_pieces.push_back({p1, p2, false, true});
        } else {
            if (!gatherCrossings(p1, p2))
                return false;
            splitAtBreaks(p1, p2);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    pieces = m_pieces;
    return true;
}

} // namespace korvix
