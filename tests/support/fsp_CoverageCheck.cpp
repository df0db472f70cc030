#include "fsp_CoverageCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <utility>

namespace fsp_check {

namespace {

// What rounding a point to a float can move it by, relative to its size.
constexpr double kFloatRounding = 1.0 / (1 << 23);

struct Edge {
    Point a, b;
    double XAt(double y) const { return a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y); }
    // How far along a horizontal line the edge moves when it moves by
    // `distance` across itself.
    double Spread(double distance) const
    {
        double const dx = b.x - a.x, dy = b.y - a.y;
        return distance * std::hypot(dx, dy) / std::abs(dy);
    }
};

std::vector<Edge> SlantedEdges(Polygon const & input)
{
    std::vector<Edge> edges;
    for (Ring const & ring : input)
        for (std::size_t i = 0; i < ring.size(); ++i) {
            Point const a = ring[i], b = ring[(i + 1) % ring.size()];
            if (a.y != b.y)
                edges.push_back({a, b});
        }
    return edges;
}

double TwiceArea(Ring const & ring)
{
    double area = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        Point const a = ring[i], b = ring[(i + 1) % ring.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area;
}

struct Box {
    double minX = std::numeric_limits<double>::max(), minY = minX;
    double maxX = -std::numeric_limits<double>::max(), maxY = maxX;
    double largest = 0.0;  // absolute coordinate
    void Add(Point p)
    {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        largest = std::max(largest, std::max(std::abs(p.x), std::abs(p.y)));
    }
    bool Empty() const { return minX > maxX; }
};

// The samples of a grid over the box, with the count of triangles covering
// each, and the samples too near a boundary to tell.
class SampleGrid {
public:
    SampleGrid(Box const & box, int size, double margin)
        : size(size), box(box), margin(margin),
          width((box.maxX - box.minX) / size), height((box.maxY - box.minY) / size),
          counts(static_cast<std::size_t>(size) * size, 0), unclear(counts.size(), 0)
    {
    }

    double Y(int row) const { return box.minY + (row + 0.4713) * height; }
    double X(int column) const { return box.minX + (column + 0.5371) * width; }

    // Rows whose y lies in [low, high).
    std::pair<int, int> Rows(double low, double high) const
    {
        if (!(height > 0.0))
            return {0, -1};
        int first = std::max(0, static_cast<int>(std::floor((low - box.minY) / height - 0.4713)));
        int last = std::min(size - 1, static_cast<int>(std::ceil((high - box.minY) / height - 0.4713)));
        while (first <= last && Y(first) < low)
            ++first;
        while (last >= first && Y(last) >= high)
            --last;
        return {first, last};
    }

    // Columns whose x lies in (low, high).
    std::pair<int, int> Columns(double low, double high) const
    {
        if (!(width > 0.0) || !(low < high))
            return {0, -1};
        int first = std::max(0, static_cast<int>(std::floor((low - box.minX) / width - 0.5371)));
        int last = std::min(size - 1, static_cast<int>(std::ceil((high - box.minX) / width - 0.5371)));
        while (first <= last && !(X(first) > low))
            ++first;
        while (last >= first && !(X(last) < high))
            --last;
        return {first, last};
    }

    // The first column whose x is greater, or size.
    int FirstColumnAfter(double x) const
    {
        double const position = std::floor((x - box.minX) / width - 0.5371);
        int column = position < 0.0 ? 0 : position >= size ? size : static_cast<int>(position);
        while (column > 0 && X(column - 1) > x)
            --column;
        while (column < size && !(X(column) > x))
            ++column;
        return column;
    }

    void MarkUnclear(int row, double x, double spread)
    {
        auto const [first, last] = Columns(x - spread, x + spread);
        for (int c = first; c <= last; ++c)
            unclear[Index(row, c)] = 1;
    }

    void Cover(int row, double low, double high)
    {
        auto const [first, last] = Columns(low, high);
        for (int c = first; c <= last; ++c) {
            std::uint8_t & count = counts[Index(row, c)];
            count = static_cast<std::uint8_t>(std::min(255, count + 1));
        }
    }

    std::size_t Index(int row, int column) const { return static_cast<std::size_t>(row) * size + column; }

    int const size;
    Box const box;
    double const margin;  // how far a boundary may be off, either way
    double const width, height;
    std::vector<std::uint8_t> counts;
    std::vector<std::uint8_t> unclear;
};

// The winding number of the input at every sample of a row, from the
// edges that cross the row's line.
void Windings(SampleGrid & grid, std::vector<Edge> const & edges, std::vector<int> & winding)
{
    std::vector<std::vector<std::pair<double, int>>> crossings(static_cast<std::size_t>(grid.size));
    for (Edge const & e : edges) {
        auto const [first, last] = grid.Rows(std::min(e.a.y, e.b.y), std::max(e.a.y, e.b.y));
        for (int row = first; row <= last; ++row) {
            double const y = grid.Y(row);
            double const x = e.XAt(y);
            crossings[row].emplace_back(x, e.b.y > e.a.y ? 1 : -1);
            grid.MarkUnclear(row, x, e.Spread(grid.margin));
        }
    }
    winding.assign(grid.counts.size(), 0);
    for (int row = 0; row < grid.size; ++row) {
        std::vector<int> steps(static_cast<std::size_t>(grid.size) + 1, 0);
        for (auto const & [x, direction] : crossings[row]) {
            steps[grid.FirstColumnAfter(x)] += direction;
        }
        int w = 0;
        for (int c = 0; c < grid.size; ++c) {
            w += steps[c];
            winding[grid.Index(row, c)] = w;
        }
    }
}

void Rasterize(SampleGrid & grid, Triangle const & t)
{
    double const low = std::min(t[0].y, std::min(t[1].y, t[2].y));
    double const high = std::max(t[0].y, std::max(t[1].y, t[2].y));
    auto const [first, last] = grid.Rows(low, high);
    for (int row = first; row <= last; ++row) {
        double const y = grid.Y(row);
        double left = std::numeric_limits<double>::max(), right = -left;
        double leftSpread = 0.0, rightSpread = 0.0;
        bool nearCorner = false;
        for (int k = 0; k < 3; ++k) {
            Edge const e{t[k], t[(k + 1) % 3]};
            nearCorner = nearCorner || std::abs(e.a.y - y) <= grid.margin;
            if (e.a.y == e.b.y || (e.a.y <= y) == (e.b.y <= y))
                continue;
            double const x = e.XAt(y), spread = e.Spread(grid.margin);
            if (x < left)
                left = x, leftSpread = spread;
            if (x > right)
                right = x, rightSpread = spread;
        }
        if (left > right)
            continue;
        if (nearCorner) {
            grid.MarkUnclear(row, (left + right) / 2.0, (right - left) / 2.0 + leftSpread + rightSpread);
            continue;
        }
        grid.MarkUnclear(row, left, leftSpread);
        grid.MarkUnclear(row, right, rightSpread);
        grid.Cover(row, left, right);
    }
}

}  // namespace

int ExpectedSense(Polygon const & input)
{
    double total = 0.0, largest = -1.0, largestArea = 0.0;
    for (Ring const & ring : input) {
        if (ring.size() < 3)
            continue;
        double const area = TwiceArea(ring);
        total += area;
        if (std::abs(area) > largest) {
            largest = std::abs(area);
            largestArea = area;
        }
    }
    // The largest ring runs clockwise in the mirrored plane when it runs
    // counter-clockwise here; the polygon is turned over when the mirrored
    // plane's total, -total, is below the tessellator's tolerance.
    bool const clockwiseMirrored = (largestArea > 0.0) != (total > 1e-6);
    return clockwiseMirrored ? 1 : -1;
}

double NonzeroArea(Polygon const & input)
{
    std::vector<Edge> const edges = SlantedEdges(input);
    Box box;
    std::vector<double> heights;
    for (Edge const & e : edges) {
        box.Add(e.a);
        box.Add(e.b);
        heights.push_back(e.a.y);
        heights.push_back(e.b.y);
    }
    if (edges.empty())
        return 0.0;
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    std::vector<int> byLow(edges.size());
    for (std::size_t i = 0; i < edges.size(); ++i)
        byLow[i] = static_cast<int>(i);
    auto lowOf = [&](int e) { return std::min(edges[e].a.y, edges[e].b.y); };
    auto highOf = [&](int e) { return std::max(edges[e].a.y, edges[e].b.y); };
    std::sort(byLow.begin(), byLow.end(), [&](int l, int r) { return lowOf(l) < lowOf(r); });

    double const slack = 1e-12 * std::max(box.largest, box.maxX - box.minX);
    double area = 0.0;
    std::vector<int> active;
    std::size_t next = 0;
    struct Slice {
        double x0, x1, xm;
        int edge;
    };
    std::vector<Slice> slices;
    std::vector<std::pair<double, double>> pending;
    for (std::size_t k = 0; k + 1 < heights.size(); ++k) {
        double const bottom = heights[k], top = heights[k + 1];
        active.erase(std::remove_if(active.begin(), active.end(), [&](int e) { return highOf(e) <= bottom; }),
                     active.end());
        while (next < byLow.size() && lowOf(byLow[next]) <= bottom)
            active.push_back(byLow[next++]);
        // Within a slab no two edges may cross: where two neighbours swap
        // between its bottom and top, it is split at their crossing.
        pending.assign(1, {bottom, top});
        while (!pending.empty()) {
            auto const [low, high] = pending.back();
            pending.pop_back();
            slices.clear();
            double const middle = (low + high) / 2.0;
            for (int e : active)
                slices.push_back({edges[e].XAt(low), edges[e].XAt(high), edges[e].XAt(middle), e});
            std::sort(slices.begin(), slices.end(), [](Slice const & l, Slice const & r) { return l.xm < r.xm; });
            double split = std::numeric_limits<double>::quiet_NaN();
            for (std::size_t i = 0; i + 1 < slices.size() && std::isnan(split); ++i) {
                Slice const & l = slices[i];
                Slice const & r = slices[i + 1];
                if (l.x0 <= r.x0 + slack && l.x1 <= r.x1 + slack)
                    continue;
                // The gap r - l runs linearly from its bottom to its top value.
                double const gap0 = r.x0 - l.x0, gap1 = r.x1 - l.x1;
                double const y = low + (high - low) * gap0 / (gap0 - gap1);
                if (y > low && y < high && high - low > slack)
                    split = y;
            }
            if (!std::isnan(split)) {
                pending.push_back({low, split});
                pending.push_back({split, high});
                continue;
            }
            int winding = 0;
            for (std::size_t i = 0; i + 1 < slices.size(); ++i) {
                Edge const & e = edges[slices[i].edge];
                winding += e.b.y > e.a.y ? 1 : -1;
                if (winding != 0)
                    area += ((slices[i + 1].x0 - slices[i].x0) + (slices[i + 1].x1 - slices[i].x1)) / 2.0 * (high - low);
            }
        }
    }
    return area;
}

Coverage Check(Polygon const & input, std::vector<Triangle> const & triangles, Options const & options)
{
    Coverage result;
    result.triangles = static_cast<int>(triangles.size());
    Box box;
    std::vector<std::pair<double, double>> inputPoints;
    for (Ring const & ring : input)
        for (Point p : ring) {
            box.Add(p);
            inputPoints.emplace_back(p.x, p.y);
        }
    std::sort(inputPoints.begin(), inputPoints.end());
    auto isInput = [&](Point p) { return std::binary_search(inputPoints.begin(), inputPoints.end(), std::make_pair(p.x, p.y)); };

    // Triangles whose corners are input points must turn the right way
    // exactly; a corner made by the tessellator (where edges cross) was
    // rounded to a float, which may tip a sliver over.
    int const sense = ExpectedSense(input);
    std::vector<Triangle const *> solid;
    std::vector<std::pair<double, double>> madePoints;
    double largestMade = 0.0;
    for (Triangle const & t : triangles) {
        double const ux = t[1].x - t[0].x, uy = t[1].y - t[0].y, vx = t[2].x - t[0].x, vy = t[2].y - t[0].y;
        double const det = ux * vy - uy * vx;
        double flat = 4e-16 * (std::abs(ux * vy) + std::abs(uy * vx));
        bool made = false;
        for (Point p : t)
            if (!isInput(p)) {
                made = true;
                madePoints.emplace_back(p.x, p.y);
                largestMade = std::max(largestMade, std::max(std::abs(p.x), std::abs(p.y)));
            }
        if (made) {
            double largest = 0.0, longest = 0.0;
            for (int k = 0; k < 3; ++k) {
                largest = std::max(largest, std::max(std::abs(t[k].x), std::abs(t[k].y)));
                longest = std::max(longest, std::hypot(t[(k + 1) % 3].x - t[k].x, t[(k + 1) % 3].y - t[k].y));
            }
            flat = std::max(flat, 4 * kFloatRounding * largest * longest);
        }
        if (options.flatHeight > 0.0) {
            double longest = 0.0;
            for (int k = 0; k < 3; ++k)
                longest = std::max(longest, std::hypot(t[(k + 1) % 3].x - t[k].x, t[(k + 1) % 3].y - t[k].y));
            flat = std::max(flat, options.flatHeight * longest);
        }
        result.triangleArea += std::abs(det) / 2.0;
        if (std::abs(det) <= flat)
            continue;
        if ((det > 0.0 ? 1 : -1) != sense)
            ++result.wrongOrientation;
        solid.push_back(&t);
    }
    result.nonzeroArea = options.knownArea >= 0.0 ? options.knownArea : NonzeroArea(input);
    std::sort(madePoints.begin(), madePoints.end());
    std::size_t const madeCount =
        static_cast<std::size_t>(std::unique(madePoints.begin(), madePoints.end()) - madePoints.begin());
    double const extent = box.Empty() ? 0.0 : std::max(box.maxX - box.minX, box.maxY - box.minY);
    // Each rounded point may move the boundary by its rounding.
    result.areaSlack = 1e-6 * result.nonzeroArea + 1e-12 * extent * extent +
                       static_cast<double>(madeCount) * 2 * kFloatRounding * largestMade * extent;

    if (box.Empty() || !(box.maxX > box.minX) || !(box.maxY > box.minY))
        return result;
    SampleGrid grid(box, options.gridSize, 8 * kFloatRounding * box.largest + 1e-9 * extent);
    std::vector<int> winding;
    Windings(grid, SlantedEdges(input), winding);
    for (Triangle const * t : solid)
        Rasterize(grid, *t);
    for (std::size_t i = 0; i < grid.counts.size(); ++i) {
        if (grid.unclear[i])
            continue;
        int const count = grid.counts[i];
        if (winding[i] != 0) {
            ++result.samplesFilled;
            result.samplesMissed += count == 0;
            result.samplesOverlapped += count > 1;
        } else {
            result.samplesOutside += count > 0;
        }
    }
    return result;
}

bool Coverage::Holds() const
{
    return wrongOrientation == 0 && samplesMissed == 0 && samplesOverlapped == 0 && samplesOutside == 0 &&
           std::abs(triangleArea - nonzeroArea) <= areaSlack;
}

std::string Coverage::Describe() const
{
    std::ostringstream text;
    text << triangles << " triangles, " << wrongOrientation << " turned wrong; samples in the filled region "
         << samplesFilled << ": " << samplesMissed << " missed, " << samplesOverlapped << " covered twice; "
         << samplesOutside << " covered outside; area " << triangleArea << " of " << nonzeroArea;
    return text.str();
}

}  // namespace fsp_check
