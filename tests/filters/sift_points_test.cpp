#include "filters/record_fields.h"
#include "filters/sift_points.h"
#include "model/path_builder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

// A hand-made path in the XY plane: "f1,0" a feed move to (1, 0), "r" a rapid, "g" a feed
// move at another feed rate, a trailing "!" an optional stop. The first point is the start.
void build(GraphicsDatabase& db, const std::string& moves) {
    std::istringstream in(moves);
    std::string word;
    std::optional<PathBuilder> path;
    while (in >> word) {
        double x = 0, y = 0;
        std::sscanf(word.c_str() + 1, "%lf,%lf", &x, &y);
        if (!path) {
            path.emplace(db, x, y, 0);
            continue;
        }
        path->feed(word[0] == 'g' ? 50 : 100);
        if (word[0] == 'r')
            path->rapid(x, y, 0);
        else
            path->line(x, y, 0);
        if (word.back() == '!')
            path->stop();
    }
}

// The points of the path as "x,y x,y ...".
std::string pointsOf(const GraphicsDatabase& db) {
    std::string out;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next) {
        char text[64];
        std::snprintf(text, sizeof text, "%s%g,%g", out.empty() ? "" : " ", r->x, r->y);
        out += text;
    }
    return out;
}

std::vector<Point3> pointList(const GraphicsDatabase& db) {
    std::vector<Point3> points;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        points.push_back({r->x, r->y, r->z});
    return points;
}

std::string text(const std::vector<Point3>& points) {
    std::string out;
    for (const Point3& p : points)
        out += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.z) +
               ") ";
    return out;
}

TEST(SiftDistance, SpecialCasesAndStretchEnds) {
    struct Case {
        const char* name;
        Point3 p, e1, e2;
        double expected;
    };
    const double t = 0.25;
    const Case cases[] = {
        {"on e2", {1, 1, 1}, {5, 5, 5}, {1, 1, 1}, 0},
        {"on e1", {5, 5, 5}, {5, 5, 5}, {1, 1, 1}, 0},
        {"ends coincide: always kept", {1, 2, 0}, {3, 3, 3}, {3, 3, 3}, 2 * t},
        {"perpendicular", {1, 0.5, 0}, {2, 0, 0}, {0, 0, 0}, 0.5},
        {"on the line between", {0.7, 0.7, 0.7}, {2, 2, 2}, {0, 0, 0}, 0},
        {"3d perpendicular", {0, 3, 4}, {10, 0, 0}, {-10, 0, 0}, 5},
        {"beyond e1", {14, 0, 0}, {10, 0, 0}, {0, 0, 0}, 4},
        {"behind e2", {-3, 4, 0}, {10, 0, 0}, {0, 0, 0}, 5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(siftDistance(c.p, c.e1, c.e2, t), c.expected) << c.name;
}

TEST(SiftPoints, HandMadePaths) {
    struct Case {
        const char* name;
        const char* moves;
        SiftOptions options;
        const char* kept;
    };
    const SiftOptions plain{0.001, false};
    const SiftOptions rapids{0.001, true};
    const Case cases[] = {
        {"collinear middle goes", "f0,0 f1,0 f2,0 f2,1", plain, "0,0 2,0 2,1"},
        {"exactly the tolerance away goes", "f0,0 f1,0.5 f2,0 f2,5", {0.5, false}, "0,0 2,0 2,5"},
        {"beyond the tolerance stays",
         "f0,0 f1,0.5 f2,0 f2,5",
         {0.4999, false},
         "0,0 1,0.5 2,0 2,5"},
        {"the point before the last stays", "f0,0 f1,0 f2,0 f3,0", plain, "0,0 2,0 3,0"},
        {"a long line collapses", "f0,0 f1,0 f2,0 f3,0 f4,0 f5,0 f5,1", plain, "0,0 5,0 5,1"},
        {"rapids stay unless asked", "f0,0 r1,0 r2,0 r3,0 r3,1", plain, "0,0 1,0 2,0 3,0 3,1"},
        {"rapids sifted when asked", "f0,0 r1,0 r2,0 r3,0 r3,1", rapids, "0,0 3,0 3,1"},
        {"a rapid ends the run", "f0,0 f1,0 f2,0 r3,0 f4,0 f5,0 f5,1", plain,
         "0,0 1,0 2,0 3,0 5,0 5,1"},
        // Merging across the rapid would turn cutting into rapid travel.
        {"rapids asked, feeds kept apart", "f0,0 f1,0 f2,0 r3,0 f4,0 f5,0 f5,1", rapids,
         "0,0 1,0 2,0 3,0 5,0 5,1"},
        {"a point on the anchor goes", "f0,0 f0,0 f1,0 f1,1", plain, "0,0 1,0 1,1"},
        {"a path that doubles back keeps its turn", "f0,0 f10,0 f5,0 f5,5 f5,6", plain,
         "0,0 10,0 5,0 5,5 5,6"},
        {"an optional stop keeps its point", "f0,0 f1,0 f2,0! f3,0 f4,0 f4,1", plain,
         "0,0 1,0 2,0 4,0 4,1"},
        {"a feed change keeps its point", "f0,0 f1,0 f2,0 g3,0 g4,0 g4,1", plain,
         "0,0 1,0 2,0 4,0 4,1"},
        {"a zero-length stretch moves the anchor on", "f0,0 f1,0 f0,0 f0.5,0 f2,0", plain,
         "0,0 1,0 0,0 0.5,0 2,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        build(db, c.moves);
        const std::size_t before = recordsOf(db).size();
        const SiftResult result = siftPoints(db, c.options);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(pointsOf(db), c.kept);
        EXPECT_EQ(result.pointsRemoved, before - recordsOf(db).size());
        const MoveRecord* previous = nullptr; // links stay right both ways
        for (const MoveRecord* r = db.first(); r != nullptr; previous = r, r = r->next)
            EXPECT_EQ(r->prev, previous);
    }
}

TEST(SiftPoints, ArcsAreUntouchedAndSurvivorsKeepEveryField) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    path.feed(80).line(1, 0, 0).line(2, 0, 0).line(3, 0, 0);
    // A huge radius: its pieces lie within the tolerance of one straight line.
    path.arc(kPlaneXY, 3, 100000, 0, 100000, 270, 270.003, 0, 4);
    path.line(11, 0, 0).line(12, 0, 0).line(12, 5, 0);
    std::vector<MoveRecord> before;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        before.push_back(*r);

    const SiftResult result = siftPoints(db, {0.01, true});
    EXPECT_EQ(result.pointsRemoved, 2u); // (1,0,0), then (11,0,0)
    std::size_t arcPieces = 0;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next) {
        // Every survivor is one of the old records, unchanged (sequence gaps and all).
        bool found = false;
        for (const MoveRecord& old : before)
            found = found || (old.sequence == r->sequence && old.x == r->x &&
                              fieldDifferences(old, *r).empty());
        EXPECT_TRUE(found) << r->sequence;
        arcPieces += isArcPiece(*r) ? 1 : 0;
    }
    EXPECT_EQ(arcPieces, 4u);
    EXPECT_TRUE(db.status.ncLoaded);

    GraphicsDatabase empty;
    EXPECT_EQ(siftPoints(empty, {}).status, SiftStatus::NoData);
}

// The sift as plainly described, every extension checked point by point, for comparison
// with the real one and its shortcuts on long noisy runs.
std::vector<Point3> referenceSift(std::vector<Point3> points, double t) {
    std::vector<int> next(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        next[i] = static_cast<int>(i) + 1;
    const int last = static_cast<int>(points.size()) - 1;
    const auto enough = [&](int p) {
        for (int i = 0; i < 3; ++i) {
            if (p == last)
                return false;
            p = next[static_cast<std::size_t>(p)];
        }
        return true;
    };
    const auto at = [&](int i) { return points[static_cast<std::size_t>(i)]; };
    int p = 0;
    while (enough(p)) {
        const int q = next[static_cast<std::size_t>(p)];
        int r = next[static_cast<std::size_t>(q)];
        if (distance3D(at(r), at(p)) <= 0) {
            p = r;
            continue;
        }
        if (siftDistance(at(q), at(r), at(p), t) > t) {
            p = q;
            continue;
        }
        for (int e = next[static_cast<std::size_t>(r)]; e != last;
             e = next[static_cast<std::size_t>(e)]) {
            bool fits = true;
            for (int x = q; x != e && fits; x = next[static_cast<std::size_t>(x)])
                fits = siftDistance(at(x), at(e), at(p), t) <= t;
            if (!fits)
                break;
            r = e;
        }
        next[static_cast<std::size_t>(p)] = r;
        p = r;
    }
    std::vector<Point3> kept;
    for (int i = 0;; i = next[static_cast<std::size_t>(i)]) {
        kept.push_back(at(i));
        if (i == last)
            break;
    }
    return kept;
}

TEST(SiftPoints, MatchesThePlainPointByPointSiftOnNoisyRuns) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::size_t removed = 0;
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE(trial);
        const double t = 0.001 * (1 + trial % 4);
        // A wandering line: straight stretches with noise of about the tolerance, the odd
        // bend, and now and then a point that steps back.
        std::vector<Point3> points{{0, 0, 0}};
        double heading = 0, x = 0, y = 0, z = 0;
        for (int i = 0; i < 300; ++i) {
            if (i % 37 == 36)
                heading += unit(random);
            const double step = 0.05 * (1 + unit(random) * 0.5) * (i % 53 == 52 ? -1 : 1);
            x += step * std::cos(heading);
            y += step * std::sin(heading);
            z += 0.0002 * unit(random);
            // Noise near the tolerance (every point tested exactly) or far below it.
            const double noise = t * (trial % 2 == 0 ? 0.7 : 0.05);
            points.push_back({x + noise * unit(random), y + noise * unit(random), z});
        }
        GraphicsDatabase db;
        PathBuilder path(db, 0, 0, 0);
        for (std::size_t i = 1; i < points.size(); ++i)
            path.line(points[i].x, points[i].y, points[i].z);
        // The reference works on the stored single-precision points.
        std::vector<Point3> stored = pointList(db);
        const std::vector<Point3> expected = referenceSift(stored, t);
        const SiftResult result = siftPoints(db, {t, false});
        EXPECT_EQ(result.pointsRemoved, stored.size() - expected.size());
        EXPECT_EQ(text(pointList(db)), text(expected));
        removed += result.pointsRemoved;
    }
    // The runs are long enough and straight enough for the extension to do real work.
    EXPECT_GT(removed, 40u * 150u);
}

} // namespace
} // namespace korvix::test
