// Border tracing on the cell corners of the label raster, chain simplification and orientation.
#include "boundary_graph.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace mapgen {
namespace {

// Directions on screen (y grows downward): east, south, west, north.
constexpr int kDx[4] = {1, 0, -1, 0};
constexpr int kDy[4] = {0, 1, 0, -1};
int turnLeft(int d) {
    return (d + 3) % 4;
}
int turnRight(int d) {
    return (d + 1) % 4;
}
int opposite(int d) {
    return (d + 2) % 4;
}

int directionOf(const GridPoint& a, const GridPoint& b) {
    if (b.x > a.x) return 0;
    if (b.y > a.y) return 1;
    if (b.x < a.x) return 2;
    return 3;
}

class Tracer {
  public:
    explicit Tracer(const LabelGrid& g)
        : g_(g), hVisited_(size_t(g.width) * (g.height + 1)), vVisited_(size_t(g.width + 1) * g.height) {}

    // Cells on the left and right hand of the unit segment leaving corner (x, y) in direction d.
    void sides(int x, int y, int d, int& left, int& right) const {
        switch (d) {
        case 0:
            left = g_.at(x, y - 1), right = g_.at(x, y);
            break;
        case 1:
            left = g_.at(x, y), right = g_.at(x - 1, y);
            break;
        case 2:
            left = g_.at(x - 1, y), right = g_.at(x - 1, y - 1);
            break;
        default:
            left = g_.at(x - 1, y - 1), right = g_.at(x, y - 1);
            break;
        }
    }
    bool isBorder(int x, int y, int d) const {
        if (x + kDx[d] < 0 || x + kDx[d] > g_.width || y + kDy[d] < 0 || y + kDy[d] > g_.height) return false;
        int l, r;
        sides(x, y, d, l, r);
        return l != r;
    }
    int degree(int x, int y) const {
        int n = 0;
        for (int d = 0; d < 4; ++d)
            n += isBorder(x, y, d);
        return n;
    }
    std::vector<bool>::reference visited(int x, int y, int d) {
        switch (d) {
        case 0:
            return hVisited_[size_t(y) * g_.width + x];
        case 2:
            return hVisited_[size_t(y) * g_.width + x - 1];
        case 1:
            return vVisited_[size_t(y) * (g_.width + 1) + x];
        default:
            return vVisited_[size_t(y - 1) * (g_.width + 1) + x];
        }
    }
    int64_t key(int x, int y) const { return int64_t(y) * (g_.width + 1) + x; }

    PlanarMap run() {
        for (int y = 0; y <= g_.height; ++y)
            for (int x = 0; x <= g_.width; ++x)
                if (degree(x, y) > 2) addNode(x, y);
        for (int n = 0; n < static_cast<int>(map_.nodes.size()); ++n)
            traceFromNode(n);
        // Closed borders without any junction: the first corner found becomes their node.
        for (int y = 0; y <= g_.height; ++y)
            for (int x = 0; x <= g_.width; ++x)
                for (int d : {0, 1})
                    if (isBorder(x, y, d) && !visited(x, y, d)) traceFromNode(addNode(x, y));
        buildRings();
        return std::move(map_);
    }

  private:
    int addNode(int x, int y) {
        auto [it, fresh] = nodeAt_.emplace(key(x, y), static_cast<int>(map_.nodes.size()));
        if (fresh) map_.nodes.push_back({x, y});
        return it->second;
    }
    int nodeAt(int x, int y) const {
        auto it = nodeAt_.find(key(x, y));
        return it == nodeAt_.end() ? -1 : it->second;
    }

    void traceFromNode(int n) {
        const GridPoint start = map_.nodes[n];
        for (int d0 = 0; d0 < 4; ++d0) {
            if (!isBorder(start.x, start.y, d0) || visited(start.x, start.y, d0)) continue;
            Chain c;
            c.from = n;
            sides(start.x, start.y, d0, c.left, c.right);
            c.points.push_back(start);
            int x = start.x, y = start.y, d = d0;
            for (;;) {
                visited(x, y, d) = true;
                x += kDx[d], y += kDy[d];
                c.points.push_back({x, y});
                const int end = nodeAt(x, y);
                if (end >= 0) {
                    c.to = end;
                    break;
                }
                const int back = opposite(d);
                int next = -1;
                for (int k : {turnLeft(d), d, turnRight(d)})
                    if (k != back && isBorder(x, y, k)) next = k;
                d = next; // a corner that is no node has exactly one way on
            }
            map_.chains.push_back(std::move(c));
        }
    }

    struct HalfChain {
        int chain;
        bool forward;
        int leaving; // direction of the first step from the node
        int left;    // label on the left hand
    };

    void buildRings() {
        std::vector<std::vector<HalfChain>> out(map_.nodes.size());
        for (int i = 0; i < static_cast<int>(map_.chains.size()); ++i) {
            const Chain& c = map_.chains[i];
            const auto& p = c.points;
            out[c.from].push_back({i, true, directionOf(p[0], p[1]), c.left});
            out[c.to].push_back({i, false, directionOf(p[p.size() - 1], p[p.size() - 2]), c.right});
        }
        std::vector<char> used(map_.chains.size() * 2, 0);
        auto slot = [](int chain, bool forward) { return size_t(chain) * 2 + (forward ? 0 : 1); };
        for (int i = 0; i < static_cast<int>(map_.chains.size()); ++i)
            for (bool forward : {true, false}) {
                const Chain& first = map_.chains[i];
                const int label = forward ? first.left : first.right;
                if (label == kSea || used[slot(i, forward)]) continue;
                BoundaryRing ring;
                ring.label = label;
                int chain = i;
                bool fwd = forward;
                while (!used[slot(chain, fwd)]) {
                    used[slot(chain, fwd)] = 1;
                    ring.steps.push_back({chain, fwd});
                    const Chain& c = map_.chains[chain];
                    const auto& p = c.points;
                    const int node = fwd ? c.to : c.from;
                    const int arriving =
                        fwd ? directionOf(p[p.size() - 2], p.back()) : directionOf(p[1], p[0]);
                    // Keep the area on the left: the sharpest left turn first, so pieces that
                    // touch only at a corner stay apart.
                    const HalfChain* next = nullptr;
                    for (int want : {turnLeft(arriving), arriving, turnRight(arriving), opposite(arriving)}) {
                        for (const HalfChain& h : out[node])
                            if (h.left == label && h.leaving == want) next = &h;
                        if (next) break;
                    }
                    if (!next) break;
                    chain = next->chain, fwd = next->forward;
                }
                map_.rings.push_back(std::move(ring));
            }
        for (BoundaryRing& r : map_.rings) {
            const auto pts = ringPoints(map_, r);
            double a = 0;
            for (size_t k = 0; k < pts.size(); ++k) {
                const GridPoint& p = pts[k];
                const GridPoint& q = pts[(k + 1) % pts.size()];
                a += double(p.x) * q.y - double(q.x) * p.y;
            }
            r.area = -a / 2; // label on the left walks counter-clockwise on screen
        }
    }

    const LabelGrid& g_;
    std::vector<bool> hVisited_, vVisited_;
    std::unordered_map<int64_t, int> nodeAt_;
    PlanarMap map_;
};

double distanceToSegment(const GridPoint& p, const GridPoint& a, const GridPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0) return std::hypot(p.x - a.x, p.y - a.y);
    double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Marks the corners Douglas-Peucker keeps between first and last (both kept).
void douglasPeucker(const std::vector<GridPoint>& p, size_t first, size_t last, double tolerance,
                    std::vector<char>& keep) {
    std::vector<std::pair<size_t, size_t>> todo{{first, last}};
    while (!todo.empty()) {
        auto [a, b] = todo.back();
        todo.pop_back();
        if (b <= a + 1) continue;
        size_t far = a;
        double farDist = -1;
        for (size_t k = a + 1; k < b; ++k) {
            const double d = distanceToSegment(p[k], p[a], p[b]);
            if (d > farDist) farDist = d, far = k;
        }
        if (farDist > tolerance) {
            keep[far] = 1;
            todo.push_back({a, far});
            todo.push_back({far, b});
        }
    }
}

// Two segments meet anywhere but at one shared end point: they cross, touch, or run along each
// other from a common end.
bool segmentsMeet(const GridPoint& a, const GridPoint& b, const GridPoint& c, const GridPoint& d) {
    auto orient = [](const GridPoint& p, const GridPoint& q, const GridPoint& r) {
        const int64_t v = int64_t(q.x - p.x) * (r.y - p.y) - int64_t(q.y - p.y) * (r.x - p.x);
        return (v > 0) - (v < 0);
    };
    const int shared = (a == c) + (a == d) + (b == c) + (b == d);
    if (shared >= 2) return true;
    if (shared == 1) {
        const GridPoint& p = (a == c || a == d) ? a : b; // the common end
        const GridPoint& q = p == a ? b : a;             // the other ends
        const GridPoint& r = (c == p) ? d : c;
        const int64_t dot = int64_t(q.x - p.x) * (r.x - p.x) + int64_t(q.y - p.y) * (r.y - p.y);
        return orient(p, q, r) == 0 && dot > 0;
    }
    auto within = [](const GridPoint& p, const GridPoint& q, const GridPoint& r) {
        return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
               r.y <= std::max(p.y, q.y);
    };
    const int o1 = orient(a, b, c), o2 = orient(a, b, d), o3 = orient(c, d, a), o4 = orient(c, d, b);
    if (o1 != o2 && o3 != o4) return true;
    return (o1 == 0 && within(a, b, c)) || (o2 == 0 && within(a, b, d)) || (o3 == 0 && within(c, d, a)) ||
           (o4 == 0 && within(c, d, b));
}

size_t farthestFrom(const std::vector<GridPoint>& p, size_t first, size_t last, const GridPoint& a,
                    const GridPoint& b) {
    size_t far = first;
    double farDist = -1;
    for (size_t k = first; k <= last; ++k) {
        const double d = distanceToSegment(p[k], a, b);
        if (d > farDist) farDist = d, far = k;
    }
    return far;
}

// Each border is simplified on its own, so two of them (or two stretches of one) may now cross
// where they ran close. Such a shortcut gets back the corner of the original border farthest from
// it, until nothing crosses; the unsimplified borders never cross, so this ends.
struct Shortcut {
    int chain;
    size_t first, last; // indices into the chain's original corners
    GridPoint a, b;
};

// The kept stretches of every chain that meet another one (or another stretch of their own chain)
// anywhere but at a shared end.
std::vector<Shortcut> meetingShortcuts(const PlanarMap& map, const std::vector<std::vector<char>>& keep) {
    std::vector<Shortcut> segs;
    for (size_t c = 0; c < map.chains.size(); ++c) {
        const auto& p = map.chains[c].points;
        size_t prev = 0;
        for (size_t k = 1; k < p.size(); ++k)
            if (keep[c][k]) {
                segs.push_back({static_cast<int>(c), prev, k, p[prev], p[k]});
                prev = k;
            }
    }
    std::sort(segs.begin(), segs.end(), [](const Shortcut& s, const Shortcut& t) {
        return std::min(s.a.x, s.b.x) < std::min(t.a.x, t.b.x);
    });
    std::vector<char> meets(segs.size(), 0);
    for (size_t i = 0; i < segs.size(); ++i) {
        const int right = std::max(segs[i].a.x, segs[i].b.x);
        for (size_t j = i + 1; j < segs.size() && std::min(segs[j].a.x, segs[j].b.x) <= right; ++j)
            if (segmentsMeet(segs[i].a, segs[i].b, segs[j].a, segs[j].b)) meets[i] = meets[j] = 1;
    }
    std::vector<Shortcut> out;
    for (size_t i = 0; i < segs.size(); ++i)
        if (meets[i]) out.push_back(segs[i]);
    return out;
}

// Each border is simplified on its own, so two of them (or two stretches of one) may now cross
// where they ran close. Such a shortcut gets back the corner of the original border farthest from
// it, until nothing crosses; the unsimplified borders never cross, so this ends.
void restoreUntilNothingCrosses(const PlanarMap& map, std::vector<std::vector<char>>& keep) {
    for (;;) {
        bool restored = false;
        for (const Shortcut& s : meetingShortcuts(map, keep)) {
            if (s.last <= s.first + 1) continue; // already the original stretch
            const auto& p = map.chains[s.chain].points;
            keep[s.chain][farthestFrom(p, s.first + 1, s.last - 1, p[s.first], p[s.last])] = 1;
            restored = true;
        }
        if (!restored) return;
    }
}

} // namespace

PlanarMap traceBoundaries(const LabelGrid& grid) {
    return Tracer(grid).run();
}

bool bordersMeet(const PlanarMap& map) {
    std::vector<std::vector<char>> all(map.chains.size());
    for (size_t c = 0; c < map.chains.size(); ++c)
        all[c].assign(map.chains[c].points.size(), 1);
    return !meetingShortcuts(map, all).empty();
}

std::vector<GridPoint> ringPoints(const PlanarMap& map, const BoundaryRing& ring) {
    std::vector<GridPoint> out;
    for (const ChainStep& s : ring.steps) {
        const auto& p = map.chains[s.chain].points;
        // Each chain's last corner is the next chain's first: leave it out.
        if (s.forward)
            out.insert(out.end(), p.begin(), p.end() - 1);
        else
            out.insert(out.end(), p.rbegin(), p.rend() - 1);
    }
    return out;
}

void simplifyChains(PlanarMap& map, double tolerance) {
    std::map<std::pair<int, int>, int> between; // chains per unordered node pair
    for (const Chain& c : map.chains)
        ++between[std::minmax(c.from, c.to)];
    std::vector<std::vector<char>> keep(map.chains.size());
    for (size_t i = 0; i < map.chains.size(); ++i) {
        const Chain& c = map.chains[i];
        const auto& p = c.points;
        const size_t n = p.size();
        keep[i].assign(n, n <= 2 ? 1 : 0);
        if (n <= 2) continue;
        std::vector<char>& k = keep[i];
        k[0] = k[n - 1] = 1;
        if (c.from == c.to) {
            // A loop: split at the corner farthest from its node, then at the farthest from that
            // chord, so at least a triangle remains.
            const size_t mid = farthestFrom(p, 1, n - 2, p[0], p[0]);
            k[mid] = 1;
            const size_t side = mid > 1 ? farthestFrom(p, 1, mid - 1, p[0], p[mid]) : 0;
            const size_t other = mid + 1 < n - 1 ? farthestFrom(p, mid + 1, n - 2, p[mid], p[0]) : 0;
            const bool sideWins = side && (!other || distanceToSegment(p[side], p[0], p[mid]) >=
                                                         distanceToSegment(p[other], p[mid], p[0]));
            k[sideWins ? side : other] = 1;
            douglasPeucker(p, 0, mid, tolerance, k);
            douglasPeucker(p, mid, n - 1, tolerance, k);
        } else {
            douglasPeucker(p, 0, n - 1, tolerance, k);
            const bool shared = between[std::minmax(c.from, c.to)] > 1;
            if (shared && std::count(k.begin(), k.end(), 1) == 2)
                k[farthestFrom(p, 1, n - 2, p[0], p[n - 1])] = 1;
        }
    }
    restoreUntilNothingCrosses(map, keep);
    for (size_t i = 0; i < map.chains.size(); ++i) {
        std::vector<GridPoint> kept;
        for (size_t k = 0; k < keep[i].size(); ++k)
            if (keep[i][k]) kept.push_back(map.chains[i].points[k]);
        map.chains[i].points = std::move(kept);
    }
}

void orientChains(PlanarMap& map) {
    // Which rings walk each chain (at most one per side).
    std::vector<std::vector<int>> walkers(map.chains.size());
    for (int r = 0; r < static_cast<int>(map.rings.size()); ++r)
        for (const ChainStep& s : map.rings[r].steps)
            walkers[s.chain].push_back(r);
    auto flip = [&](int chain) {
        Chain& c = map.chains[chain];
        std::reverse(c.points.begin(), c.points.end());
        std::swap(c.from, c.to);
        std::swap(c.left, c.right);
        for (int r : walkers[chain])
            for (ChainStep& s : map.rings[r].steps)
                if (s.chain == chain) s.forward = !s.forward;
    };
    auto forwardCount = [&](int r) {
        int n = 0;
        for (const ChainStep& s : map.rings[r].steps)
            n += s.forward;
        return n;
    };
    // A chain only one ring walks (a coast) can face that ring's way for free.
    for (int c = 0; c < static_cast<int>(map.chains.size()); ++c)
        if (walkers[c].size() == 1)
            for (const ChainStep& s : map.rings[walkers[c][0]].steps)
                if (s.chain == c && !s.forward) {
                    flip(c);
                    break;
                }
    // Rings still walking everything backwards take a chain from a neighbour that can spare one.
    for (int r = 0; r < static_cast<int>(map.rings.size()); ++r) {
        if (forwardCount(r) > 0) continue;
        bool done = false;
        for (const ChainStep& s : map.rings[r].steps) {
            bool spare = true;
            for (int other : walkers[s.chain])
                if (other != r && forwardCount(other) < 2) spare = false;
            if (spare) {
                flip(s.chain);
                done = true;
                break;
            }
        }
        if (!done) {
            // Nobody can spare one: walk this ring the other way round instead.
            auto& steps = map.rings[r].steps;
            std::reverse(steps.begin(), steps.end());
            for (ChainStep& s : steps)
                s.forward = !s.forward;
        }
    }
    for (BoundaryRing& ring : map.rings) {
        auto first =
            std::find_if(ring.steps.begin(), ring.steps.end(), [](const ChainStep& s) { return s.forward; });
        std::rotate(ring.steps.begin(), first, ring.steps.end());
    }
}

} // namespace mapgen
