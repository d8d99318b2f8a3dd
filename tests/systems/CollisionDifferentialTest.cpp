// The queries and the collision step answer exactly as the whole-band walk they replaced: the
// walk is kept here as the reference (every band a query touches gives candidates, each tested
// exactly; every mover of a cell tests every other collider of the cell), and both run on random
// scenes full of the awkward cases: colliders outside the grid or in the gaps between its bands,
// circles wider than their boxes, turned segments and quarter-turned boxes, shapes placed anew for
// another grid, raw inserts, removals, late members, screen-space colliders, and behaviours that
// change velocities, shapes and the grid in the middle of a step.
#include "engine/systems/ColliderPlacement.h"
#include "engine/systems/CollisionQueries.h"
#include "engine/systems/ContactResponse.h"
#include "engine/systems/ShapeTests.h"
#include "support/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <set>

namespace
{
const std::vector<std::string> TagPool = {"PLAYER", "ZOMBIE", "WALL"};

// --- The reference: the queries and the pass as first written --------------------------------

bool NaN(const Vector2& v)
{
    return std::isnan(v.x) || std::isnan(v.y);
}

bool Carries(Coordinator& coordinator, Entity entity, const std::vector<std::string>& tags)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (identifier == nullptr)
        return false;
    for (const std::string& tag : identifier->tags)
        if (std::find(tags.begin(), tags.end(), tag) != tags.end())
            return true;
    return false;
}

std::vector<Entity> ReferenceOverlapCircle(Coordinator& coordinator, const GridSpec& grid, const Vector2& centre,
                                           float radius, const std::vector<std::string>& tags)
{
    if (NaN(centre) || std::isnan(radius))
        return {};
    EntityBits all;
    for (const EntityBits& band : grid.QueryCircle(centre, radius))
        all |= band;
    std::vector<Entity> found = BitsetToEntities(all);
    FilterByCircle(coordinator, centre, radius, found, tags);
    return found;
}

std::vector<Entity> ReferenceRaycast(Coordinator& coordinator, const GridSpec& grid, const Vector2& from,
                                     const Vector2& to, const std::set<Entity>& ignore, bool wantContacts,
                                     std::vector<Vector2>* points, std::vector<Vector2>* normals,
                                     const std::vector<std::string>* tags)
{
    if (NaN(from) || NaN(to))
        return {};
    EntityBits all;
    for (const EntityBits& band : grid.QuerySegment(from, to))
        all |= band;
    for (Entity entity : ignore)
        if (entity < MAX_ENTITIES)
            all.Reset(entity);
    std::vector<Entity> found = BitsetToEntities(all);
    if (tags != nullptr)
        found.erase(std::remove_if(found.begin(), found.end(),
                                   [&](Entity entity) { return !Carries(coordinator, entity, *tags); }),
                    found.end());
    FilterBySegment(coordinator, from, to, found, wantContacts, points, normals);
    return found;
}

std::set<Entity> ReferenceOverlapBox(PhysicsWorld& world, const Vector2& centre, const Vector2& size,
                                     const std::vector<std::string>& tags)
{
    std::set<Entity> found;
    for (const std::string& tag : tags)
        for (Entity entity : world.names->FindEntitiesWithTag(world.coordinator, tag))
        {
            if (world.collision->entities.count(entity) == 0)
                continue;
            const PhysicsCollision* collision = world.coordinator.GetComponent<PhysicsCollision>(entity);
            if (collision != nullptr && BoxMeetsCollider(centre, size, *collision))
                found.insert(entity);
        }
    return found;
}

ColliderParts PartsOf(Coordinator& coordinator, Entity entity)
{
    ColliderParts parts;
    parts.transform = coordinator.GetComponent<Transform>(entity);
    parts.collision = coordinator.GetComponent<PhysicsCollision>(entity);
    parts.movement = coordinator.GetComponent<PhysicsMovement>(entity);
    parts.identifier = coordinator.GetComponent<Identifier>(entity);
    return parts;
}

void ReferenceResolveCell(Coordinator& coordinator, const std::vector<Entity>& cell)
{
    for (Entity a : cell)
    {
        ColliderParts partsA = PartsOf(coordinator, a);
        if (!partsA.Complete())
            continue;
        const Vector2 velocity = partsA.movement->velocity;
        const Vector2 position = partsA.transform->position;
        const Vector2 previous = partsA.transform->previousPosition;
        const bool movedBoth = position.x != previous.x && position.y != previous.y;
        const bool hasVelocity = velocity.x != 0.0f || velocity.y != 0.0f;
        if (!hasVelocity && partsA.movement->angularVelocity == 0.0f && !movedBoth)
            continue;
        const Vector2 motion =
            !hasVelocity && movedBoth ? Vector2{position.x - previous.x, position.y - previous.y} : velocity;
        for (Entity b : cell)
        {
            if (b == a)
                continue;
            const std::vector<Entity>& handled = partsA.collision->handled;
            if (std::find(handled.begin(), handled.end(), b) != handled.end())
                continue;
            ColliderParts partsB = PartsOf(coordinator, b);
            if (!partsB.Complete() || partsB.collision->shape->layer != partsA.collision->shape->layer ||
                partsB.identifier->HasTag(partsA.collision->ignoreTag))
                continue;
            if (TestAndRespond(coordinator, a, partsA, b, partsB, motion))
            {
                partsA.collision->handled.push_back(b);
                partsB.collision->handled.push_back(a);
            }
        }
    }
}

void ReferenceUpdate(PhysicsWorld& world)
{
    Coordinator& coordinator = world.coordinator;
    GridSpec& grid = world.Grid();
    for (int step = 0; step < coordinator.StepCount; ++step)
    {
        world.collision->RebuildGrid(coordinator, grid);
        for (std::uint32_t row = 0; row < grid.rows; ++row)
        {
            if (grid.rowBits[row].None())
                continue;
            for (std::uint32_t column = 0; column < grid.columns; ++column)
            {
                const EntityBits cell = grid.rowBits[row] & grid.columnBits[column];
                if (cell.Any())
                    ReferenceResolveCell(coordinator, BitsetToEntities(cell));
            }
        }
        coordinator.ProcessDestroyedEntities();
    }
    for (Entity entity : world.collision->entities)
        if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
            collision->handled.clear();
}

// --- Scenes ------------------------------------------------------------------------------------

// A behaviour that marks its collider as living in screen space.
class ScreenElement : public IBehaviour
{
public:
    static constexpr const char* ClassName = "ScreenElement";
    ScreenElement() { BindToCamera = true; }
    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
};

// Writes every contact into its world's journal and, by a rule of the pair, meddles: turns the
// partner's velocity, reverses its own, grows its own shape, places the partner anew in the
// broadphase, or destroys the partner.
class Meddler : public IBehaviour
{
public:
    static constexpr const char* ClassName = "Meddler";
    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void OnCollision(Coordinator& coordinator, Entity other) override { Meddle(coordinator, other, 'c'); }
    void OnTrigger(Coordinator& coordinator, Entity other) override { Meddle(coordinator, other, 't'); }

    std::vector<std::string>* journal = nullptr;

private:
    void Meddle(Coordinator& coordinator, Entity other, char how)
    {
        journal->push_back(std::to_string(entity) + how + std::to_string(other));
        PhysicsMovement* partner = coordinator.GetComponent<PhysicsMovement>(other);
        PhysicsMovement* own = coordinator.GetComponent<PhysicsMovement>(entity);
        switch ((entity * 7 + other * 3 + journal->size()) % 9)
        {
        case 0:
            if (partner != nullptr)
                partner->velocity = {partner->velocity.y * 1.5f, -partner->velocity.x * 1.5f};
            break;
        case 1:
            if (own != nullptr)
                own->velocity = {-own->velocity.x * 3.0f, -own->velocity.y * 3.0f};
            break;
        case 2:
            if (PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity))
            {
                collision->shape->radius += 9.0f;
                collision->shape->size.x += 18.0f;
            }
            break;
        case 3:
            if (coordinator.BroadphaseGrid)
            {
                if (Transform* transform = coordinator.GetComponent<Transform>(other))
                    transform->position.x += 40.0f;
                InsertColliderIntoGrid(coordinator, other, *coordinator.BroadphaseGrid);
            }
            break;
        case 4:
            if (journal->size() % 4 == 0)
                coordinator.DestroyEntity(other);
            break;
        default:
            break;
        }
    }
};

struct OddScene
{
    PhysicsWorld world;
    std::mt19937 random;
    std::vector<Entity> all;
    // A second grid, as the path grid is: placing a collider there moves its shape.
    GridSpec sideGrid = GridSpec(5000, 3000, -1000.0f, -1000.0f, 13, 9);

    explicit OddScene(unsigned seed) : random(seed) {}

    float Uniform(float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); }
    bool Chance(float p) { return Uniform(0, 1) < p; }

    std::vector<std::string> SomeTags(float p)
    {
        std::vector<std::string> tags;
        for (const std::string& tag : TagPool)
            if (Chance(p))
                tags.push_back(tag);
        return tags;
    }

    Vector2 Anywhere()
    {
        if (Chance(0.1f))
            return {Uniform(-3000, 6000), Uniform(-3000, 4000)};
        // Now and then inside one of the one-unit gaps between row bands (534 to 535 above the origin).
        if (Chance(0.05f))
            return {Uniform(-600, 3200), -700.0f + 534.0f + Uniform(0.1f, 0.9f)};
        return {Uniform(-630, 3250), Uniform(-700, 1440)};
    }

    Entity AddOdd(int i, Vector2 velocity = {})
    {
        const float kind = Uniform(0, 1);
        const ColliderType type = kind < 0.4f ? ColliderRectangle : (kind < 0.75f ? ColliderCircle : ColliderLineSegment);
        Vector2 size = {Uniform(0, 120), Uniform(0, 120)};
        if (Chance(0.05f))
            size = {0, 0};
        if (Chance(0.05f))
            size.x = -size.x;
        if (Chance(0.03f))
            size = {Uniform(0.05f, 0.6f), Uniform(0.05f, 0.6f)};
        const Entity e = world.Collider("C" + std::to_string(i), type, Anywhere(), size, velocity, SomeTags(0.4f));
        PhysicsCollision& collision = world.CollisionOf(e);
        if (Chance(0.03f))
            collision.colliderType = 5; // no kind the engine knows
        if (Chance(0.2f))
            collision.offset = {Uniform(-30, 30), Uniform(-30, 30)};
        Transform& transform = world.TransformOf(e);
        if (type == ColliderLineSegment)
            transform.rotation = Uniform(0.01f, 6.28f);
        else if (Chance(0.1f))
            transform.rotation = Chance(0.5f) ? 1.5707964f : Uniform(0.0f, 6.28f);
        if (Chance(0.04f))
            world.Attach<ScreenElement>(e);
        all.push_back(e);
        return e;
    }

    // Colliders placed (twice, so that screen-space ones are inserted too), then disturbed.
    void Build(int count)
    {
        for (int i = 0; i < count; ++i)
            AddOdd(i);
        world.collision->RebuildGrid(world.coordinator, world.Grid());
        world.collision->RebuildGrid(world.coordinator, world.Grid());
        Coordinator& coordinator = world.coordinator;
        for (Entity e : all)
        {
            if (Chance(0.1f))
                world.TransformOf(e).position = Anywhere();
            if (Chance(0.1f))
                InsertColliderIntoGrid(coordinator, e, sideGrid);
            if (Chance(0.04f))
                world.Grid().Remove(e);
            if (Chance(0.03f))
                world.Grid().Insert(e, Anywhere(), {Uniform(-20, 200), Uniform(-20, 200)});
        }
        if (Chance(0.5f))
        {
            world.collision->ClearExtentsSwapped(coordinator);
            world.collision->InsertTaggedIntoGrid(coordinator, sideGrid, {"WALL"});
        }
        // Late members, never placed; members that left one of the two systems.
        for (int i = 0; i < 12; ++i)
            AddOdd(count + i);
        for (int i = 0; i < 6; ++i)
        {
            coordinator.RemoveEntityFromSystem<sPhysicsCollision>(all[static_cast<std::size_t>(Uniform(0, 0.999f) * count)]);
            coordinator.RemoveEntityFromSystem<sIdentifierSystem>(all[static_cast<std::size_t>(Uniform(0, 0.999f) * count)]);
        }
    }

    float OddRadius()
    {
        if (Chance(0.05f))
            return 0.0f;
        if (Chance(0.05f))
            return -Uniform(0, 100);
        if (Chance(0.02f))
            return 1.0e7f;
        return Uniform(0, 400);
    }

    // A cast along (or nearly along) the line of some segment collider, often stopping short of
    // it or starting beyond it: where the crossing test rounds the most.
    void AlongALine(Vector2& from, Vector2& to)
    {
        for (int tries = 0; tries < 20; ++tries)
        {
            const Entity e = all[static_cast<std::size_t>(Uniform(0, 0.999f) * all.size())];
            const PhysicsCollision* collision = world.coordinator.GetComponent<PhysicsCollision>(e);
            if (collision == nullptr || collision->colliderType != ColliderLineSegment)
                continue;
            Segment segment;
            SegmentFromCollider(segment, *collision->shape);
            const Vector2 d = {segment.p1.x - segment.p0.x, segment.p1.y - segment.p0.y};
            const float turn = Chance(0.5f) ? 0.0f : Uniform(-1.0e-4f, 1.0e-4f);
            const Vector2 way = {d.x - turn * d.y, d.y + turn * d.x};
            const float start = Uniform(-3, 3);
            const float end = start + Uniform(-4, 4);
            from = {segment.p0.x + way.x * start, segment.p0.y + way.y * start};
            to = {segment.p0.x + way.x * end, segment.p0.y + way.y * end};
            return;
        }
    }

    Vector2 OddPoint()
    {
        if (Chance(0.03f))
            return {Uniform(-3.0e6f, 3.0e6f), Uniform(-3.0e6f, 3.0e6f)};
        return Anywhere();
    }
};

bool SameBits(const std::vector<Vector2>& a, const std::vector<Vector2>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Vector2)) == 0);
}
}

TEST(CollisionDifferentialTest, QueriesAnswerAsTheWholeBandWalkOnOddScenes)
{
    for (unsigned seed : {11u, 12u, 13u, 14u, 15u, 16u})
    {
        OddScene scene(seed);
        scene.Build(420);
        Coordinator& coordinator = scene.world.coordinator;
        const GridSpec& grid = scene.world.Grid();
        for (int query = 0; query < 250; ++query)
        {
            const std::vector<std::string> tags = scene.SomeTags(0.3f);

            const Vector2 centre = scene.OddPoint();
            const float radius = scene.OddRadius();
            ASSERT_EQ(OverlapCircle(coordinator, grid, centre, radius, tags),
                      ReferenceOverlapCircle(coordinator, grid, centre, radius, tags))
                << "seed " << seed << " circle " << query;

            Vector2 from = scene.OddPoint();
            Vector2 to = scene.Chance(0.05f) ? from : scene.OddPoint();
            if (scene.Chance(0.3f))
                to = {from.x + scene.Uniform(-150, 150), from.y + scene.Uniform(-150, 150)};
            if (scene.Chance(0.15f))
                scene.AlongALine(from, to);
            std::set<Entity> ignore;
            for (int i = 0; i < 4; ++i)
                ignore.insert(scene.all[static_cast<std::size_t>(scene.Uniform(0, 0.999f) * scene.all.size())]);
            const bool useTags = query % 3 == 0;
            const std::set<std::string> tagSet(tags.begin(), tags.end());
            for (bool contacts : {false, true})
            {
                std::vector<Vector2> points;
                std::vector<Vector2> normals;
                std::vector<Vector2> expectedPoints;
                std::vector<Vector2> expectedNormals;
                const std::vector<Entity> found = Raycast(coordinator, grid, from, to, &ignore, contacts, &points, &normals,
                                                          useTags ? &tagSet : nullptr);
                const std::vector<Entity> expected = ReferenceRaycast(coordinator, grid, from, to, ignore, contacts,
                                                                      &expectedPoints, &expectedNormals,
                                                                      useTags ? &tags : nullptr);
                ASSERT_EQ(found, expected) << "seed " << seed << " ray " << query << " contacts " << contacts;
                ASSERT_TRUE(SameBits(points, expectedPoints)) << "seed " << seed << " ray " << query;
                ASSERT_TRUE(SameBits(normals, expectedNormals)) << "seed " << seed << " ray " << query;
            }

            const Vector2 boxCentre = scene.OddPoint();
            Vector2 size = {scene.Uniform(0, 700), scene.Uniform(0, 500)};
            if (scene.Chance(0.05f))
                size = {-size.x, size.y};
            ASSERT_EQ(scene.world.collision->OverlapBox(coordinator, boxCentre, size, tags),
                      ReferenceOverlapBox(scene.world, boxCentre, size, tags))
                << "seed " << seed << " box " << query;
        }
    }
}

TEST(CollisionDifferentialTest, QueriesFollowMembershipAndPlacementChangesBetweenThem)
{
    OddScene scene(21);
    scene.Build(300);
    Coordinator& coordinator = scene.world.coordinator;
    for (int round = 0; round < 60; ++round)
    {
        // Between queries: a new member, a member leaving, a shape placed for the other grid, a
        // removal from the broadphase, the broadphase rebuilt.
        switch (round % 5)
        {
        case 0:
            scene.AddOdd(1000 + round);
            break;
        case 1:
            coordinator.RemoveEntityFromSystem<sPhysicsCollision>(scene.all[static_cast<std::size_t>(round * 7) % 300]);
            break;
        case 2:
            InsertColliderIntoGrid(coordinator, scene.all[static_cast<std::size_t>(round * 13) % 300], scene.sideGrid);
            break;
        case 3:
            scene.world.Grid().Remove(scene.all[static_cast<std::size_t>(round * 5) % 300]);
            break;
        default:
            scene.world.collision->RebuildGrid(coordinator, scene.world.Grid());
            break;
        }
        for (int query = 0; query < 40; ++query)
        {
            const std::vector<std::string> tags = scene.SomeTags(0.5f);
            const Vector2 centre = scene.Anywhere();
            const Vector2 size = {scene.Uniform(0, 900), scene.Uniform(0, 900)};
            ASSERT_EQ(scene.world.collision->OverlapBox(coordinator, centre, size, tags),
                      ReferenceOverlapBox(scene.world, centre, size, tags))
                << "round " << round << " query " << query;
            const float radius = scene.Uniform(0, 500);
            ASSERT_EQ(OverlapCircle(coordinator, scene.world.Grid(), centre, radius, tags),
                      ReferenceOverlapCircle(coordinator, scene.world.Grid(), centre, radius, tags))
                << "round " << round << " query " << query;
        }
    }
}

namespace
{
// One world of the stepping comparison: a level of resting and moving colliders, a crowd packed
// into one broadphase cell, and meddling behaviours on some of them.
struct SteppedWorld
{
    OddScene scene;
    std::vector<std::string> journal;

    explicit SteppedWorld(unsigned seed) : scene(seed)
    {
        PhysicsWorld& world = scene.world;
        for (int i = 0; i < 260; ++i)
        {
            const bool moving = scene.Chance(0.4f);
            const Vector2 velocity = moving ? Vector2{scene.Uniform(-400, 400), scene.Uniform(-400, 400)} : Vector2{};
            Setup(scene.AddOdd(i, velocity));
        }
        // The crowd: inside the cell of row 2, column 1 (x -145..340, y -165..102).
        for (int i = 0; i < 90; ++i)
        {
            const bool round = i % 3 != 0;
            const Entity e = world.Collider("Crowd" + std::to_string(i), round ? ColliderCircle : ColliderRectangle,
                                            {scene.Uniform(-100, 290), scene.Uniform(-120, 60)}, {24, 24},
                                            {scene.Uniform(-300, 300), scene.Uniform(-300, 300)}, scene.SomeTags(0.4f));
            scene.all.push_back(e);
            Setup(e);
        }
    }

    void Setup(Entity e)
    {
        PhysicsWorld& world = scene.world;
        PhysicsCollision& collision = world.CollisionOf(e);
        collision.isMovable = scene.Chance(0.3f);
        collision.isReflective = scene.Chance(0.3f);
        collision.isTrigger = scene.Chance(0.1f);
        collision.shape->layer = scene.Chance(0.1f) ? 1 : 0;
        if (scene.Chance(0.1f))
            collision.ignoreTag = TagPool[static_cast<std::size_t>(scene.Uniform(0, 2.999f))];
        world.MovementOf(e).Speed = 500.0f;
        if (scene.Chance(0.05f))
            world.MovementOf(e).angularVelocity = 0.1f;
        if (scene.Chance(0.05f))
            world.TransformOf(e).previousPosition = {world.TransformOf(e).position.x - 3.0f,
                                                     world.TransformOf(e).position.y + 2.0f};
        if (scene.Chance(0.2f) && world.coordinator.GetComponent<PhysicsCollision>(e) != nullptr &&
            !world.behaviours->Behaviours().count(e))
            world.Attach<Meddler>(e)->journal = &journal;
    }
};

bool SameColliders(SteppedWorld& a, SteppedWorld& b)
{
    for (std::size_t i = 0; i < a.scene.all.size(); ++i)
    {
        const Entity ea = a.scene.all[i];
        const Entity eb = b.scene.all[i];
        Transform* ta = a.scene.world.coordinator.GetComponent<Transform>(ea);
        Transform* tb = b.scene.world.coordinator.GetComponent<Transform>(eb);
        if ((ta == nullptr) != (tb == nullptr))
            return false;
        if (ta == nullptr)
            continue;
        const Vector2 va = a.scene.world.MovementOf(ea).velocity;
        const Vector2 vb = b.scene.world.MovementOf(eb).velocity;
        if (std::memcmp(&ta->position, &tb->position, sizeof(Vector2)) != 0 ||
            std::memcmp(&ta->previousPosition, &tb->previousPosition, sizeof(Vector2)) != 0 ||
            std::memcmp(&va, &vb, sizeof(Vector2)) != 0)
            return false;
    }
    return true;
}
}

TEST(CollisionDifferentialTest, TheCollisionStepMovesAndTellsExactlyAsTheFullCellWalk)
{
    for (unsigned seed : {31u, 32u, 33u, 34u, 35u})
    {
        SteppedWorld engine(seed);
        SteppedWorld reference(seed);
        for (int frame = 0; frame < 40; ++frame)
        {
            engine.scene.world.coordinator.StepCount = 1 + frame % 2;
            reference.scene.world.coordinator.StepCount = 1 + frame % 2;
            engine.scene.world.collision->Update(engine.scene.world.coordinator);
            ReferenceUpdate(reference.scene.world);
            ASSERT_EQ(engine.journal, reference.journal) << "seed " << seed << " frame " << frame;
            ASSERT_TRUE(SameColliders(engine, reference)) << "seed " << seed << " frame " << frame;
            engine.scene.world.movement->Update(engine.scene.world.coordinator);
            reference.scene.world.movement->Update(reference.scene.world.coordinator);
        }
        EXPECT_GT(engine.journal.size(), 200u) << "the scenes must actually collide";
    }
}

TEST(CollisionDifferentialTest, TheQuickSegmentClipAgreesWithTheRecordingOne)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> any(-200.0f, 200.0f);
    for (int i = 0; i < 20000; ++i)
    {
        const Vector2 min = {any(random), any(random)};
        const Vector2 size = {any(random) * 0.5f, any(random) * 0.5f};
        Vector2 p0 = {any(random), any(random)};
        Vector2 p1 = {any(random), any(random)};
        if (i % 7 == 0)
            p1.x = p0.x;
        if (i % 11 == 0)
            p1.y = p0.y;
        ASSERT_EQ(SegmentCrossesBox(min, size, p0, p1), SegmentAabbClip(min, size, p0, p1)) << i;
    }
}

TEST(CollisionDifferentialTest, CastsAlongASegmentsLineBeyondItAnswerAsTheWalk)
{
    // Along a segment's own line the crossing test rounds without bound: a cast that stops short of
    // the segment, or starts beyond it, is now and then taken to cross it. The answers must still
    // be the walk's.
    OddScene scene(41);
    scene.Build(400);
    Coordinator& coordinator = scene.world.coordinator;
    const GridSpec& grid = scene.world.Grid();
    int farCrossings = 0;
    for (Entity e : scene.all)
    {
        const PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(e);
        if (collision == nullptr || collision->colliderType != ColliderLineSegment || !grid.KnowsReach(e))
            continue;
        Segment segment;
        SegmentFromCollider(segment, *collision->shape);
        const Vector2 d = {segment.p1.x - segment.p0.x, segment.p1.y - segment.p0.y};
        for (int cast = 0; cast < 60; ++cast)
        {
            const float start = scene.Chance(0.5f) ? scene.Uniform(1.2f, 6.0f) : scene.Uniform(-6.0f, -0.2f);
            const float end = start + (start > 0 ? scene.Uniform(0.0f, 5.0f) : -scene.Uniform(0.0f, 5.0f));
            const Vector2 from = {segment.p0.x + d.x * start, segment.p0.y + d.y * start};
            const Vector2 to = {segment.p0.x + d.x * end, segment.p0.y + d.y * end};
            const std::vector<Entity> expected =
                ReferenceRaycast(coordinator, grid, from, to, {}, false, nullptr, nullptr, nullptr);
            ASSERT_EQ(Raycast(coordinator, grid, from, to), expected) << "segment " << e << " cast " << cast;
            farCrossings += std::count(expected.begin(), expected.end(), e) > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(farCrossings, 0) << "the casts must meet the rounding they are about";
}

TEST(CollisionDifferentialTest, AMoverTurnedAfterABehaviourHeardIsMetWhereItNowGoes)
{
    // A circle heads right: it first passes through a trigger whose behaviour hears of it (which
    // has every box of the cell taken afresh), then bounces off a box, and so heads left. A box
    // resting just left of it, later in the cell's order, must then meet it where it now goes.
    struct Little
    {
        PhysicsWorld world;
        std::vector<std::string> journal;
        Entity box = NO_ENTITY;

        Little()
        {
            const Entity circle = world.Collider("Circle", ColliderCircle, {0, 0}, {20, 20}, {600, 0});
            world.CollisionOf(circle).isReflective = true;
            const Entity trigger = world.Collider("Trigger", ColliderCircle, {14, 0}, {10, 10});
            world.CollisionOf(trigger).isTrigger = true;
            world.Attach<Meddler>(trigger)->journal = &journal;
            world.Collider("Bumper", ColliderRectangle, {20, 0}, {10, 40});
            box = world.Collider("Box", ColliderRectangle, {-28, 0}, {20, 20}, {0, 0.6f});
        }
    };
    Little engine;
    Little reference;
    engine.world.collision->Update(engine.world.coordinator);
    ReferenceUpdate(reference.world);
    EXPECT_EQ(engine.journal, reference.journal);
    const Vector2 moved = engine.world.TransformOf(engine.box).position;
    const Vector2 expected = reference.world.TransformOf(reference.box).position;
    EXPECT_NE(expected.x, -28.0f) << "the box must be met";
    EXPECT_EQ(moved.x, expected.x);
    EXPECT_EQ(moved.y, expected.y);
}
