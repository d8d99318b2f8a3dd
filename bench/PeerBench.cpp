// The engine side by side with established peers, on the same scenes in one process: the
// collision queries and the crowd step against Box2D 2.4's dynamic AABB tree, and the path search
// against Boost Graph's A* with the same costs, heuristic and round cap.
//
// Each benchmark iteration is one round: a batch of operations timed on the engine and then on
// the peer (the two take turns at going first), after which the answers of both are compared;
// any disagreement stops the benchmark with an error. The counters give the median time per
// operation of each side ("engine_us", "peer_us") and the median of the rounds' ratios
// ("ratio" = engine / peer; below 1 the engine is faster).
// Run from a Release build: ./bench/bench_PeerBench
#include "bench/PhysicsScenes.h"
#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/ContactResponse.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/PathSearch.h"
#include "engine/systems/ShapeTests.h"
#include "game/squad/bUniqueGrid.h"

#include <benchmark/benchmark.h>
#include <box2d/b2_dynamic_tree.h>
#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/astar_search.hpp>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

// Times both sides round by round and reports the medians.
class SideBySide
{
public:
    explicit SideBySide(int operationsPerRound) : operations(operationsPerRound) {}

    template <class Engine, class Peer>
    void Round(Engine&& engine, Peer&& peer)
    {
        double engineTime = 0.0;
        double peerTime = 0.0;
        auto time = [](auto&& side) {
            const Clock::time_point start = Clock::now();
            side();
            return Seconds(start, Clock::now());
        };
        if (rounds++ % 2 == 0)
        {
            engineTime = time(engine);
            peerTime = time(peer);
        }
        else
        {
            peerTime = time(peer);
            engineTime = time(engine);
        }
        engineTimes.push_back(engineTime / operations);
        peerTimes.push_back(peerTime / operations);
        ratios.push_back(engineTime / peerTime);
    }

    void Report(benchmark::State& state) const
    {
        state.counters["engine_us"] = Median(engineTimes) * 1.0e6;
        state.counters["peer_us"] = Median(peerTimes) * 1.0e6;
        state.counters["ratio"] = Median(ratios);
    }

private:
    int operations;
    int rounds = 0;
    std::vector<double> engineTimes;
    std::vector<double> peerTimes;
    std::vector<double> ratios;
};

// --- Queries -------------------------------------------------------------------------------------

b2AABB ToAabb(const GridSpec::Box& box)
{
    b2AABB aabb;
    aabb.lowerBound = {box.minX, box.minY};
    aabb.upperBound = {box.maxX, box.maxY};
    return aabb;
}

Entity EntityOf(const b2DynamicTree& tree, int32 proxy)
{
    return static_cast<Entity>(reinterpret_cast<std::uintptr_t>(tree.GetUserData(proxy)));
}

// Gathers the entities of the proxies a tree query or ray cast reports.
struct TreeCollector
{
    const b2DynamicTree* tree = nullptr;
    std::vector<Entity>* found = nullptr;

    bool QueryCallback(int32 proxy)
    {
        found->push_back(EntityOf(*tree, proxy));
        return true;
    }
    float RayCastCallback(const b2RayCastInput& input, int32 proxy)
    {
        found->push_back(EntityOf(*tree, proxy));
        return input.maxFraction;
    }
};

bool CarriesAny(const Identifier* identifier, const std::vector<std::string>& tags)
{
    if (identifier == nullptr)
        return false;
    for (const std::string& tag : identifier->tags)
        if (std::find(tags.begin(), tags.end(), tag) != tags.end())
            return true;
    return false;
}

// The level scene after one broadphase rebuild, and the same colliders in a dynamic tree, each
// proxy holding the box every query can meet the collider in.
struct QueryWorld : PhysicsScene
{
    b2DynamicTree tree;
    std::vector<Entity> candidates;

    QueryWorld() : PhysicsScene(42)
    {
        BuildLevel();
        world.collision->RebuildGrid(world.coordinator, world.Grid());
        for (Entity e : all)
        {
            GridSpec::Box reach;
            if (ColliderReach(world.CollisionOf(e), reach))
                tree.CreateProxy(ToAabb(reach), reinterpret_cast<void*>(static_cast<std::uintptr_t>(e)));
        }
        candidates.reserve(MAX_ENTITIES);
    }

    // The tree's candidates for a box, ascending, as the grid's would be.
    void TreeCandidates(const GridSpec::Box& box)
    {
        candidates.clear();
        TreeCollector collector{&tree, &candidates};
        tree.Query(&collector, ToAabb(box));
        std::sort(candidates.begin(), candidates.end());
    }

    Vector2 AnyPoint() { return {Uniform(-600, 3200), Uniform(-650, 1400)}; }
};

void OverlapCircleSideBySide(benchmark::State& state)
{
    QueryWorld scene;
    const std::vector<std::string> tags =
        state.range(0) == 0 ? std::vector<std::string>{} : std::vector<std::string>{"ZOMBIE"};
    constexpr int Batch = 64;
    std::vector<Vector2> centres;
    std::vector<float> radii;
    for (int i = 0; i < Batch; ++i)
    {
        centres.push_back(scene.AnyPoint());
        radii.push_back(scene.Uniform(100, 400));
    }
    std::vector<std::vector<Entity>> engineFound(Batch);
    std::vector<std::vector<Entity>> peerFound(Batch);
    Coordinator& coordinator = scene.world.coordinator;
    SideBySide timing(Batch);
    for (auto _ : state)
    {
        timing.Round(
            [&] {
                for (int i = 0; i < Batch; ++i)
                    engineFound[i] = OverlapCircle(coordinator, scene.world.Grid(), centres[i], radii[i], tags);
            },
            [&] {
                for (int i = 0; i < Batch; ++i)
                {
                    const Vector2 c = centres[i];
                    const float r = radii[i];
                    scene.TreeCandidates({c.x - r, c.y - r, c.x + r, c.y + r});
                    FilterByCircle(coordinator, c, r, scene.candidates, tags);
                    peerFound[i] = scene.candidates;
                }
            });
        if (engineFound != peerFound)
        {
            state.SkipWithError("OverlapCircle: the engine and the tree disagree");
            return;
        }
    }
    timing.Report(state);
}
BENCHMARK(OverlapCircleSideBySide)->Arg(0)->Arg(1)->ArgName("tagged")->Iterations(400);

void OverlapBoxSideBySide(benchmark::State& state)
{
    QueryWorld scene;
    const std::vector<std::string> tags = {"PLAYER"};
    constexpr int Batch = 64;
    std::vector<Vector2> centres;
    std::vector<Vector2> sizes;
    for (int i = 0; i < Batch; ++i)
    {
        centres.push_back(scene.AnyPoint());
        sizes.push_back({scene.Uniform(50, 700), scene.Uniform(50, 500)});
    }
    std::vector<std::set<Entity>> engineFound(Batch);
    std::vector<std::set<Entity>> peerFound(Batch);
    Coordinator& coordinator = scene.world.coordinator;
    sPhysicsCollision& collision = *scene.world.collision;
    auto& collisions = coordinator.ComponentManager.GetContainer<PhysicsCollision>();
    auto& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    SideBySide timing(Batch);
    for (auto _ : state)
    {
        timing.Round(
            [&] {
                for (int i = 0; i < Batch; ++i)
                    engineFound[i] = collision.OverlapBox(coordinator, centres[i], sizes[i], tags);
            },
            [&] {
                for (int i = 0; i < Batch; ++i)
                {
                    const Vector2 c = centres[i];
                    const Vector2 half = {sizes[i].x * 0.5f, sizes[i].y * 0.5f};
                    scene.TreeCandidates({c.x - half.x, c.y - half.y, c.x + half.x, c.y + half.y});
                    std::set<Entity> found;
                    for (Entity e : scene.candidates)
                    {
                        if (collision.entities.count(e) == 0 || !CarriesAny(identifiers.Find(e), tags))
                            continue;
                        const PhysicsCollision* collider = collisions.Find(e);
                        if (collider != nullptr && BoxMeetsCollider(c, sizes[i], *collider))
                            found.insert(found.end(), e);
                    }
                    peerFound[i] = std::move(found);
                }
            });
        if (engineFound != peerFound)
        {
            state.SkipWithError("OverlapBox: the engine and the tree disagree");
            return;
        }
    }
    timing.Report(state);
}
BENCHMARK(OverlapBoxSideBySide)->Iterations(400);

void RaycastSideBySide(benchmark::State& state)
{
    QueryWorld scene;
    const bool contacts = state.range(0) != 0;
    constexpr int Batch = 64;
    // Lines of sight and shots: from anywhere, 100 to 1500 units in any direction.
    std::vector<Vector2> from;
    std::vector<Vector2> to;
    for (int i = 0; i < Batch; ++i)
    {
        const Vector2 start = scene.AnyPoint();
        const float angle = scene.Uniform(0.0f, 6.2831853f);
        const float length = scene.Uniform(100.0f, 1500.0f);
        from.push_back(start);
        to.push_back({start.x + length * std::cos(angle), start.y + length * std::sin(angle)});
    }
    const std::set<Entity> ignore = {scene.all[0], scene.all[1]};
    std::vector<std::vector<Entity>> engineFound(Batch);
    std::vector<std::vector<Entity>> peerFound(Batch);
    std::vector<Vector2> enginePoints;
    std::vector<Vector2> engineNormals;
    std::vector<Vector2> peerPoints;
    std::vector<Vector2> peerNormals;
    Coordinator& coordinator = scene.world.coordinator;
    SideBySide timing(Batch);
    for (auto _ : state)
    {
        timing.Round(
            [&] {
                enginePoints.clear();
                engineNormals.clear();
                for (int i = 0; i < Batch; ++i)
                    engineFound[i] = Raycast(coordinator, scene.world.Grid(), from[i], to[i], &ignore, contacts,
                                             &enginePoints, &engineNormals);
            },
            [&] {
                peerPoints.clear();
                peerNormals.clear();
                for (int i = 0; i < Batch; ++i)
                {
                    scene.candidates.clear();
                    TreeCollector collector{&scene.tree, &scene.candidates};
                    b2RayCastInput input;
                    input.p1 = {from[i].x, from[i].y};
                    input.p2 = {to[i].x, to[i].y};
                    input.maxFraction = 1.0f;
                    scene.tree.RayCast(&collector, input);
                    std::sort(scene.candidates.begin(), scene.candidates.end());
                    scene.candidates.erase(std::remove_if(scene.candidates.begin(), scene.candidates.end(),
                                                          [&](Entity e) { return ignore.count(e) != 0; }),
                                           scene.candidates.end());
                    FilterBySegment(coordinator, from[i], to[i], scene.candidates, contacts, &peerPoints, &peerNormals);
                    peerFound[i] = scene.candidates;
                }
            });
        auto sameBits = [](const std::vector<Vector2>& a, const std::vector<Vector2>& b) {
            return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Vector2)) == 0);
        };
        if (engineFound != peerFound || !sameBits(enginePoints, peerPoints) || !sameBits(engineNormals, peerNormals))
        {
            state.SkipWithError("Raycast: the engine and the tree disagree");
            return;
        }
    }
    timing.Report(state);
}
BENCHMARK(RaycastSideBySide)->Arg(0)->Arg(1)->ArgName("contacts")->Iterations(400);

// --- The crowd -------------------------------------------------------------------------------------

constexpr float StepSeconds = FixedStepSeconds;

GridSpec::Box ShapeBox(const PhysicsCollision& collision)
{
    const CollisionShape& s = *collision.shape;
    if (collision.colliderType == ColliderCircle)
        return {s.center.x - s.radius, s.center.y - s.radius, s.center.x + s.radius, s.center.y + s.radius};
    return {s.position.x, s.position.y, s.position.x + s.size.x, s.position.y + s.size.y};
}

GridSpec::Box Swept(GridSpec::Box box, const Vector2& motion, float margin)
{
    const float dx = motion.x * StepSeconds;
    const float dy = motion.y * StepSeconds;
    box.minX = std::min(box.minX, box.minX + dx) - margin;
    box.minY = std::min(box.minY, box.minY + dy) - margin;
    box.maxX = std::max(box.maxX, box.maxX + dx) + margin;
    box.maxY = std::max(box.maxY, box.maxY + dy) + margin;
    return box;
}

// The same crowd, stepped by the tree: every collider's proxy is moved to where it may be met
// this step, then each mover, in ascending id order, asks the tree for the proxies its motion may
// reach and tests them in ascending id order with the engine's own pair tests and responses.
struct TreeCrowd
{
    PhysicsScene scene;
    b2DynamicTree tree;
    std::vector<int32> proxies;
    std::vector<ColliderParts> parts;
    std::vector<std::size_t> slotOf = std::vector<std::size_t>(MAX_ENTITIES, 0);
    std::vector<Entity> candidates;

    TreeCrowd() : scene(42)
    {
        scene.BuildCrowd();
        scene.Keep();
        for (Entity e : scene.all)
        {
            Place(e);
            proxies.push_back(
                tree.CreateProxy(ToAabb(TargetBox(e)), reinterpret_cast<void*>(static_cast<std::uintptr_t>(e))));
            slotOf[e] = parts.size();
            ColliderParts found;
            found.transform = &scene.world.TransformOf(e);
            found.collision = &scene.world.CollisionOf(e);
            found.movement = &scene.world.MovementOf(e);
            found.identifier = scene.world.coordinator.GetComponent<Identifier>(e);
            parts.push_back(found);
        }
        candidates.reserve(MAX_ENTITIES);
    }

    // The crowd's colliders are unturned world-space shapes: centre = position + offset.
    void Place(Entity e)
    {
        PhysicsCollision& collision = scene.world.CollisionOf(e);
        CollisionShape& shape = *collision.shape;
        const Vector2 p = scene.world.TransformOf(e).position;
        shape.center = {p.x + collision.offset.x, p.y + collision.offset.y};
        shape.position = {shape.center.x - shape.size.x * 0.5f, shape.center.y - shape.size.y * 0.5f};
    }

    GridSpec::Box TargetBox(Entity e)
    {
        const PhysicsCollision& collision = scene.world.CollisionOf(e);
        const GridSpec::Box box = ShapeBox(collision);
        return Swept(box, scene.world.MovementOf(e).velocity, 1.5f);
    }

    void Step()
    {
        Coordinator& coordinator = scene.world.coordinator;
        const std::size_t count = scene.all.size();
        for (std::size_t i = 0; i < count; ++i)
        {
            const Entity e = scene.all[i];
            Place(e);
            const Vector2 v = parts[i].movement->velocity;
            tree.MoveProxy(proxies[i], ToAabb(TargetBox(e)), {v.x * StepSeconds, v.y * StepSeconds});
        }
        for (std::size_t i = 0; i < count; ++i)
        {
            const Entity a = scene.all[i];
            ColliderParts& A = parts[i];
            const Vector2 velocity = A.movement->velocity;
            const Vector2 position = A.transform->position;
            const Vector2 previous = A.transform->previousPosition;
            const bool movedBoth = position.x != previous.x && position.y != previous.y;
            const bool hasVelocity = velocity.x != 0.0f || velocity.y != 0.0f;
            if (!hasVelocity && A.movement->angularVelocity == 0.0f && !movedBoth)
                continue;
            const Vector2 motion =
                !hasVelocity && movedBoth ? Vector2{position.x - previous.x, position.y - previous.y} : velocity;
            candidates.clear();
            TreeCollector collector{&tree, &candidates};
            tree.Query(&collector, ToAabb(Swept(ShapeBox(*A.collision), motion, 1.5f)));
            std::sort(candidates.begin(), candidates.end());
            for (Entity b : candidates)
            {
                if (b == a)
                    continue;
                const std::vector<Entity>& handled = A.collision->handled;
                if (std::find(handled.begin(), handled.end(), b) != handled.end())
                    continue;
                ColliderParts& B = parts[slotOf[b]];
                if (B.collision->shape->layer != A.collision->shape->layer || B.identifier->HasTag(A.collision->ignoreTag))
                    continue;
                if (TestAndRespond(coordinator, a, A, b, B, motion))
                {
                    A.collision->handled.push_back(b);
                    B.collision->handled.push_back(a);
                }
            }
            if (A.movement->velocity.x != velocity.x || A.movement->velocity.y != velocity.y)
                tree.MoveProxy(proxies[i], ToAabb(TargetBox(a)), {0.0f, 0.0f});
        }
        for (ColliderParts& found : parts)
            found.collision->handled.clear();
    }
};

bool SameState(PhysicsScene& a, PhysicsScene& b)
{
    for (std::size_t i = 0; i < a.all.size(); ++i)
    {
        const Transform& ta = a.world.TransformOf(a.all[i]);
        const Transform& tb = b.world.TransformOf(b.all[i]);
        const Vector2& va = a.world.MovementOf(a.all[i]).velocity;
        const Vector2& vb = b.world.MovementOf(b.all[i]).velocity;
        if (std::memcmp(&ta.position, &tb.position, sizeof(Vector2)) != 0 ||
            std::memcmp(&ta.previousPosition, &tb.previousPosition, sizeof(Vector2)) != 0 ||
            std::memcmp(&va, &vb, sizeof(Vector2)) != 0)
            return false;
    }
    return true;
}

void CrowdOf250InOneCellSideBySide(benchmark::State& state)
{
    PhysicsScene engine(42);
    engine.BuildCrowd();
    engine.Keep();
    TreeCrowd peer;
    Coordinator& coordinator = engine.world.coordinator;
    coordinator.StepCount = 1;
    peer.scene.world.coordinator.StepCount = 1;
    // Three steps from the same start each round: the crowd moves (and the tree's proxies with
    // it) but stays inside its cell.
    constexpr int StepsPerRound = 3;
    int step = 0;
    SideBySide timing(1);
    for (auto _ : state)
    {
        if (step % StepsPerRound == 0)
        {
            engine.Restore();
            peer.scene.Restore();
        }
        ++step;
        timing.Round([&] { engine.world.collision->Update(coordinator); }, [&] { peer.Step(); });
        if (!SameState(engine, peer.scene))
        {
            state.SkipWithError("Crowd: the engine and the tree disagree");
            return;
        }
        engine.world.movement->Update(coordinator);
        peer.scene.world.movement->Update(peer.scene.world.coordinator);
    }
    timing.Report(state);
}
BENCHMARK(CrowdOf250InOneCellSideBySide)->Iterations(600);

// --- Paths -----------------------------------------------------------------------------------------

// A 64 by 36 path grid with rooms: long walls with doorways and their '.' margins, as the level's
// grid owner builds them; optionally the goal's corner walled in, so that the search floods the
// level until its rounds are spent.
std::unique_ptr<bUniqueGrid> LevelGrid(bool encloseGoal)
{
    const int columns = 64;
    const int rows = 36;
    std::vector<std::string> map(rows, std::string(columns, ' '));
    for (int x = 0; x < columns; ++x)
        if (x % 20 != 5)
        {
            map[12][static_cast<std::size_t>(x)] = '1';
            map[24][static_cast<std::size_t>(x)] = '1';
        }
    for (int y = 0; y < rows; ++y)
        if (y % 12 != 6)
        {
            map[static_cast<std::size_t>(y)][20] = '1';
            map[static_cast<std::size_t>(y)][42] = '1';
        }
    if (encloseGoal)
        for (int y = 28; y <= 34; ++y)
            for (int x = 52; x <= 62; ++x)
                if (y == 28 || y == 34 || x == 52 || x == 62)
                    map[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '1';
    auto owner = std::make_unique<bUniqueGrid>();
    owner->Grid = std::make_unique<GridSpec>(4096, 2304, 0.0f, 0.0f, columns, rows);
    for (const std::string& row : map)
        owner->OccupancyMap.insert(owner->OccupancyMap.end(), row.begin(), row.end());
    std::vector<char>& cells = owner->OccupancyMap;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
        {
            char& cell = cells[static_cast<std::size_t>(y * columns + x)];
            if (cell != ' ')
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < columns && ny < rows &&
                        cells[static_cast<std::size_t>(ny * columns + nx)] == '1')
                        cell = '.';
                }
        }
    return owner;
}

using PathGraph = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                       boost::property<boost::edge_weight_t, int>>;
using PathVertex = boost::graph_traits<PathGraph>::vertex_descriptor;

// The path grid as a graph: an edge into every free neighbour (eight of them), weighted with the
// cost of entering it (straight 0 on ' ', 2 on '.'; diagonal 2 and 4).
PathGraph GraphOf(const bUniqueGrid& owner)
{
    const int columns = static_cast<int>(owner.Grid->columns);
    const int rows = static_cast<int>(owner.Grid->rows);
    PathGraph graph(static_cast<std::size_t>(columns * rows));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= columns || ny >= rows)
                        continue;
                    const char cell = owner.OccupancyMap[static_cast<std::size_t>(ny * columns + nx)];
                    if (cell == '1')
                        continue;
                    const bool diagonal = dx != 0 && dy != 0;
                    const int cost = (diagonal ? 2 : 0) + (cell == '.' ? 2 : 0);
                    boost::add_edge(static_cast<PathVertex>(y * columns + x), static_cast<PathVertex>(ny * columns + nx),
                                    cost, graph);
                }
    return graph;
}

class ManhattanToGoal : public boost::astar_heuristic<PathGraph, int>
{
public:
    ManhattanToGoal(int columns, Cell goal) : columns(columns), goal(goal) {}
    int operator()(PathVertex v) const
    {
        const int x = static_cast<int>(v) % columns;
        const int y = static_cast<int>(v) / columns;
        return std::abs(goal.x - x) + std::abs(goal.y - y);
    }

private:
    int columns;
    Cell goal;
};

struct GoalReached
{
};
struct RoundsSpent
{
};

// Ends the search at the goal, or when the 801st vertex taken from the open set is not the goal.
class CappedVisitor : public boost::default_astar_visitor
{
public:
    CappedVisitor(PathVertex goal, int* rounds) : goal(goal), rounds(rounds) {}
    void examine_vertex(PathVertex v, const PathGraph&)
    {
        if (v == goal)
            throw GoalReached();
        if (++*rounds >= 801)
            throw RoundsSpent();
    }

private:
    PathVertex goal;
    int* rounds;
};

// Boost's A* on the graph, its property maps kept from call to call.
struct TreeOfPaths
{
    const bUniqueGrid& owner;
    PathGraph graph;
    std::vector<PathVertex> predecessors;
    std::vector<int> distances;
    std::vector<int> costs;
    std::vector<boost::default_color_type> colours;

    explicit TreeOfPaths(const bUniqueGrid& owner)
        : owner(owner), graph(GraphOf(owner)), predecessors(boost::num_vertices(graph)),
          distances(boost::num_vertices(graph)), costs(boost::num_vertices(graph)),
          colours(boost::num_vertices(graph))
    {
    }

    // The cells from the one after start to the goal, or none.
    std::vector<Cell> Find(Cell start, Cell goal)
    {
        const int columns = static_cast<int>(owner.Grid->columns);
        const PathVertex from = static_cast<PathVertex>(start.y * columns + start.x);
        const PathVertex to = static_cast<PathVertex>(goal.y * columns + goal.x);
        std::vector<Cell> path;
        if (from == to || owner.OccupancyMap[to] == '1')
            return path;
        int rounds = 0;
        try
        {
            boost::astar_search(graph, from, ManhattanToGoal(columns, goal),
                                boost::visitor(CappedVisitor(to, &rounds))
                                    .predecessor_map(predecessors.data())
                                    .distance_map(distances.data())
                                    .rank_map(costs.data())
                                    .color_map(colours.data()));
        }
        catch (const GoalReached&)
        {
            for (PathVertex v = to; v != from; v = predecessors[v])
                path.push_back({static_cast<int>(v) % columns, static_cast<int>(v) / columns});
            std::reverse(path.begin(), path.end());
        }
        catch (const RoundsSpent&)
        {
        }
        return path;
    }
};

// A path is sound when every step moves to a neighbouring cell that is not blocked and it ends at
// the goal.
bool Sound(const bUniqueGrid& owner, Cell start, Cell goal, const std::vector<Cell>& path)
{
    if (path.empty())
        return true;
    Cell at = start;
    for (const Cell& next : path)
    {
        if (std::abs(next.x - at.x) > 1 || std::abs(next.y - at.y) > 1 || next == at ||
            owner.OccupancyMap[static_cast<std::size_t>(next.y) * owner.Grid->columns + static_cast<std::size_t>(next.x)] ==
                '1')
            return false;
        at = next;
    }
    return at == goal;
}

void FindPathSideBySide(benchmark::State& state)
{
    struct Case
    {
        bool enclosed;
        Cell start;
        Cell goal;
    };
    // Through a doorway, across the level, and a walled-in goal that spends all 801 rounds.
    const Case cases[] = {{false, {3, 3}, {33, 18}}, {false, {2, 2}, {60, 33}}, {true, {2, 2}, {57, 31}}};
    const Case& c = cases[state.range(0)];
    const auto owner = LevelGrid(c.enclosed);
    TreeOfPaths peer(*owner);
    Path path;
    std::vector<Cell> engineCells;
    std::vector<Cell> peerCells;
    constexpr int Batch = 16;
    SideBySide timing(Batch);
    for (auto _ : state)
    {
        timing.Round(
            [&] {
                for (int i = 0; i < Batch; ++i)
                    FindPath(*owner, path, c.start, c.goal);
            },
            [&] {
                for (int i = 0; i < Batch; ++i)
                    peerCells = peer.Find(c.start, c.goal);
            });
        engineCells.assign(path.begin(), path.end());
        if (engineCells.empty() != peerCells.empty() || !Sound(*owner, c.start, c.goal, engineCells) ||
            !Sound(*owner, c.start, c.goal, peerCells))
        {
            state.SkipWithError("FindPath: the engine and Boost's A* disagree");
            return;
        }
    }
    state.counters["engine_cells"] = static_cast<double>(engineCells.size());
    state.counters["peer_cells"] = static_cast<double>(peerCells.size());
    timing.Report(state);
}
BENCHMARK(FindPathSideBySide)->Arg(0)->Arg(1)->Arg(2)->ArgName("case")->Iterations(300);
}
