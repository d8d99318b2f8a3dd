#include "engine/systems/CollisionQueries.h"
#include "engine/systems/PathSearch.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "game/squad/LineOfSight.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"
#include "support/ContactRecorder.h"
#include "support/GlTestContext.h"
#include "support/PhysicsWorld.h"
#include "support/RenderWorld.h"
#include "support/TempWorkingFolder.h"
#include "support/TestGame.h"
#include "support/ZombieCrowd.h"
#include "systems/DrawingAssets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

// Every allocation of this test program is counted: the whole binary gets this operator new.
namespace
{
std::atomic<long> allocationCount{0};

void* Allocate(std::size_t size)
{
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    ++allocationCount;
    const std::size_t align = std::max(static_cast<std::size_t>(alignment), sizeof(void*));
    void* memory = nullptr;
    if (posix_memalign(&memory, align, size == 0 ? 1 : size) == 0)
        return memory;
    throw std::bad_alloc();
}
}

// Every form is replaced, so that whatever a library allocates with is freed the same way (the
// GL driver's shader compiler uses several).

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}
void operator delete(void* memory, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept
{
    std::free(memory);
}

namespace
{
// A behaviour that answers contacts without allocating.
class QuietContact : public IBehaviour
{
public:
    static constexpr const char* ClassName = "QuietContact";
    void Awake(Coordinator&) override {}
    void Start(Coordinator&) override {}
    void Update(Coordinator&) override {}
    void OnSceneUnload(Coordinator&) override {}
    void OnCollision(Coordinator&, Entity) override { ++contacts; }
    void OnTrigger(Coordinator&, Entity) override { ++contacts; }
    long contacts = 0;
};
}

// Walls, crates and triggers with circles and boxes bouncing among them and turning: once the
// scene has run for a while, further collision and movement steps allocate nothing.
TEST(AllocationTest, SteadyCollisionAndMovementStepsAllocateNothing)
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    long contacts = 0;
    std::vector<std::shared_ptr<QuietContact>> listeners;
    for (int i = 0; i < 40; ++i)
    {
        const float x = -500.0f + static_cast<float>(i % 10) * 360.0f;
        const float y = -500.0f + static_cast<float>(i / 10) * 450.0f;
        world.Collider("Wall", ColliderRectangle, {x, y}, {200, 30});
        const Entity post = world.Collider("Post", ColliderLineSegment, {x + 120, y + 200}, {160, 4});
        world.TransformOf(post).rotation = 0.3f * static_cast<float>(i);
        const Entity zone = world.Collider("Zone", ColliderCircle, {x + 60, y + 120}, {80, 80});
        world.CollisionOf(zone).isTrigger = true;
        listeners.push_back(world.Attach<QuietContact>(zone));
    }
    for (int i = 0; i < 200; ++i)
    {
        const float x = -400.0f + static_cast<float>(i % 20) * 170.0f;
        const float y = -400.0f + static_cast<float>(i / 20) * 180.0f;
        const bool round = i % 3 != 0;
        const Entity mover = world.Collider("Mover", round ? ColliderCircle : ColliderRectangle, {x, y}, {24, 24},
                                            {static_cast<float>((i * 37) % 400 - 200), static_cast<float>((i * 53) % 400 - 200)});
        world.CollisionOf(mover).isReflective = i % 2 == 0;
        world.CollisionOf(mover).isMovable = i % 5 == 0;
        world.MovementOf(mover).Speed = 400.0f;
        if (i % 4 == 0)
            world.MovementOf(mover).AddForce(1, 1.0e9f, 0.0f, {0, 0}, 0.5f, "bRotate");
        if (i % 7 == 0)
            listeners.push_back(world.Attach<QuietContact>(mover));
    }
    auto frame = [&](int steps) {
        coordinator.StepCount = steps;
        world.collision->Update(coordinator);
        world.movement->Update(coordinator);
    };
    for (int i = 0; i < 120; ++i)
        frame(1 + i % 2);

    const long before = allocationCount.load();
    for (int i = 0; i < 240; ++i)
        frame(1 + i % 2);
    const long allocated = allocationCount.load() - before;
    for (const auto& listener : listeners)
        contacts += listener->contacts;
    EXPECT_EQ(allocated, 0);
    EXPECT_GT(contacts, 100) << "the scene must actually collide";
}

// Queries allocate only what they return: a vector of ids (none when nothing is found), one node
// per id of OverlapBox's set, and contacts in the caller's vectors; a crowd packed into one cell
// steps without allocating; path searches after the first allocate only the cells of their path.
TEST(AllocationTest, QueriesCrowdsAndPathSearchesAllocateOnlyTheirAnswers)
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    for (int i = 0; i < 400; ++i)
    {
        const float x = -600.0f + static_cast<float>((i * 193) % 3800);
        const float y = -650.0f + static_cast<float>((i * 71) % 2000);
        const ColliderType kind = i % 3 == 0 ? ColliderRectangle : (i % 3 == 1 ? ColliderCircle : ColliderLineSegment);
        const Entity e = world.Collider("Thing", kind, {x, y}, {40, 30}, {}, {i % 2 == 0 ? "PLAYER" : "ZOMBIE"});
        world.TransformOf(e).rotation = kind == ColliderLineSegment ? 0.7f : 0.0f;
    }
    // The crowd: 80 movers inside the cell of row 2, column 1.
    for (int i = 0; i < 80; ++i)
        world.Collider("Crowd", i % 2 == 0 ? ColliderCircle : ColliderRectangle,
                       {-100.0f + static_cast<float>((i * 37) % 390), -120.0f + static_cast<float>((i * 53) % 180)},
                       {24, 24}, {static_cast<float>((i * 41) % 300 - 150), static_cast<float>((i * 29) % 300 - 150)});
    auto frame = [&] {
        world.collision->Update(coordinator);
        world.movement->Update(coordinator);
    };
    for (int i = 0; i < 30; ++i)
        frame();
    long before = allocationCount.load();
    for (int i = 0; i < 60; ++i)
        frame();
    EXPECT_EQ(allocationCount.load() - before, 0) << "collision and movement steps";

    const std::vector<std::string> tags = {"ZOMBIE"};
    const std::vector<std::string> noTags;
    const std::vector<std::string> players = {"PLAYER"};
    const std::set<Entity> ignore = {1, 2};
    std::vector<Vector2> points;
    std::vector<Vector2> normals;
    points.reserve(4096);
    normals.reserve(4096);
    long expected = 0;
    std::size_t found = 0;
    before = allocationCount.load();
    for (int i = 0; i < 200; ++i)
    {
        const Vector2 at = {-600.0f + static_cast<float>((i * 211) % 3800), -650.0f + static_cast<float>((i * 89) % 2000)};
        const std::vector<Entity> circle = OverlapCircle(coordinator, world.Grid(), at, 250.0f, i % 2 == 0 ? tags : noTags);
        const std::vector<Entity> ray =
            Raycast(coordinator, world.Grid(), at, {at.x + 700.0f, at.y + 300.0f}, &ignore, i % 2 == 0, &points, &normals);
        const std::set<Entity> box = world.collision->OverlapBox(coordinator, at, {500, 300}, players);
        expected += (circle.empty() ? 0 : 1) + (ray.empty() ? 0 : 1) + static_cast<long>(box.size());
        found += circle.size() + ray.size() + box.size();
    }
    EXPECT_EQ(allocationCount.load() - before, expected);
    EXPECT_GT(found, 1000u) << "the queries must find things";

    bUniqueGrid owner;
    owner.Grid = std::make_unique<GridSpec>(640, 360, 0.0f, 0.0f, 64, 36);
    owner.OccupancyMap.assign(64 * 36, ' ');
    for (int y = 0; y < 30; ++y)
        owner.OccupancyMap[static_cast<std::size_t>(y * 64 + 20)] = '1';
    Path path;
    FindPath(owner, path, {2, 2}, {60, 33});
    before = allocationCount.load();
    long cells = 0;
    for (int i = 0; i < 50; ++i)
    {
        FindPath(owner, path, {static_cast<int>(i % 10), 2}, {60, 33 - i % 3});
        cells += std::distance(path.begin(), path.end());
    }
    EXPECT_GT(cells, 0);
    EXPECT_EQ(allocationCount.load() - before, cells);
}

// A busy scene of sprites (plain, tiled, turned, animated, camera-bound), texts, lights and walls:
// once it has been drawn a few times, the transform step and the renderer's frame allocate
// nothing.
TEST(AllocationTest, SteadyFramesOfTheRendererAndTheTransformStepAllocateNothing)
{
    ASSERT_TRUE(GlTestContext::Get().Ready());
    TempWorkingFolder folder;
    DrawingAssets::Write();
    OffscreenTarget target;
    RenderWorld world;
    Coordinator& coordinator = world.coordinator;
    world.behaviours->RegisterBehaviour<bImageBehaviour>();
    const char* textures[] = {"Red", "Green", "Blue", "White", "Halves"};
    const float white[3] = {1, 1, 1};
    for (int i = 0; i < 300; ++i)
    {
        const Vector2 at = {static_cast<float>((i * 97) % 2400) - 200.0f, static_cast<float>((i * 61) % 1400) - 150.0f};
        const Entity sprite = world.Sprite(textures[i % 5], at, {40, 30}, static_cast<float>(i % 7));
        Renderer& drawn = world.RendererOf(sprite);
        drawn.tileMode = i % 11 == 0;
        drawn.tileSizeX = 3.0f;
        drawn.modelID = i % 13 == 0 ? 2 : 1;
        world.TransformOf(sprite).rotation = static_cast<float>(i % 5) * 0.4f;
        if (i % 17 == 0)
            world.behaviours->AddBehaviour(TypeName<bImageBehaviour>(), sprite, coordinator)->BindToCamera = true;
        if (i % 9 == 0)
        {
            coordinator.GetComponent<Identifier>(sprite)->tags = {"Sheet", "ANIMATED"};
            Animation* animation = coordinator.AddComponent<Animation>(sprite);
            animation->AnimationTag = "Sheet";
            coordinator.AddEntityToSystem<sAnimationSystem>(sprite);
        }
    }
    for (int i = 0; i < 6; ++i)
        world.Text("Frames without allocations " + std::to_string(i), {100.0f + 250.0f * static_cast<float>(i), 900},
                   0.6f, white, 8, "DejaVuSans");
    for (int i = 0; i < 24; ++i)
        world.Light(i % 6 == 0 ? "SPOTLIGHT" : "AMBIENTLIGHT",
                    {static_cast<float>(i * 90), static_cast<float>((i * 53) % 1080)}, 250);
    for (int i = 0; i < 60; ++i)
        world.Wall({static_cast<float>((i * 131) % 2000), static_cast<float>((i * 71) % 1100)}, {30, 8});
    world.Load();
    coordinator.DeltaTime = 1.0f / 60.0f;

    for (int i = 0; i < 10; ++i)
        world.Frame();
    // Each step counted on its own; the camera moves and shakes meanwhile.
    world.renderer->shakeDuration = 1.0f;
    world.renderer->shakeMagnitude = 1.0f;
    world.renderer->shakeRotation = 1.0f;
    world.renderer->shakeOrigin = {960, 540};
    long transformAllocations = 0;
    long rendererAllocations = 0;
    for (int i = 0; i < 60; ++i)
    {
        world.TransformOf(world.camera).position.x += 2.0f;
        long before = allocationCount.load();
        world.transforms->Update(coordinator);
        transformAllocations += allocationCount.load() - before;
        world.animation->Update(coordinator);
        world.lighting->Update(coordinator);
        world.fonts->Update(coordinator);
        before = allocationCount.load();
        world.renderer->Update(coordinator);
        rendererAllocations += allocationCount.load() - before;
    }
    EXPECT_EQ(transformAllocations, 0);
    EXPECT_EQ(rendererAllocations, 0);
    EXPECT_GT(world.renderer->wallCount, 0);
    EXPECT_GT(world.renderer->ambientCount, 0);
}

// A shown button, hovered and then left alone: once its look has settled, its frames allocate
// nothing.
TEST(AllocationTest, SteadyFramesOfAButtonAllocateNothing)
{
    TestGame game(TestGame::Fixture("scenes/screen/Buttons.json"), std::string(DUSKVANE_BUILD_DIR) + "/Resources/Prefab.json");
    game.RunFrames(2);
    Coordinator& coordinator = *game.coordinator;
    const auto button = game.Behaviour<bUIButtonBehaviour>("Menu_Button");
    ASSERT_NE(button, nullptr);
    auto allocationsOf = [&](auto&& frames) {
        const long before = allocationCount.load();
        frames();
        return allocationCount.load() - before;
    };
    button->OnHover(coordinator);
    const long hovered = allocationsOf([&] {
        for (int i = 0; i < 120; ++i)
        {
            button->Update(coordinator);
            button->OnHover(coordinator);
        }
    });
    for (int i = 0; i < 10; ++i)
        button->Update(coordinator);
    const long idle = allocationsOf([&] {
        for (int i = 0; i < 120; ++i)
            button->Update(coordinator);
    });
    EXPECT_EQ(hovered, 0);
    EXPECT_EQ(idle, 0);
    EXPECT_EQ(game.Component<Renderer>("Menu_Button")->textureName, "MM_NewGame");
}

// Soldiers and zombies ask every frame whether they see each other: among walls, glass, triggers
// and other zombies, once the query buffers have grown, those checks allocate nothing.
TEST(AllocationTest, SteadyLineOfSightChecksAllocateNothing)
{
    PhysicsWorld world;
    Coordinator& coordinator = world.coordinator;
    for (int i = 0; i < 150; ++i)
    {
        const float x = -500.0f + static_cast<float>(i % 15) * 240.0f;
        const float y = -600.0f + static_cast<float>(i / 15) * 200.0f;
        const bool glass = i % 9 == 0;
        const Entity wall = world.Collider(glass ? "Glass_Window" : "Wall", ColliderRectangle, {x, y},
                                           {i % 2 == 0 ? 120.0f : 20.0f, i % 2 == 0 ? 20.0f : 120.0f}, {},
                                           {glass ? "GLASS" : "WALL"});
        world.CollisionOf(wall).isTrigger = i % 13 == 0;
    }
    const Entity soldierEntity = world.Collider("Player_1", ColliderCircle, {1000, 300}, {40, 40}, {}, {"PLAYER"});
    bPlayerBehaviour soldier;
    soldier.SetEntity(soldierEntity);
    std::vector<Entity> zombies;
    for (int i = 0; i < 20; ++i)
    {
        const float angle = static_cast<float>(i) * 0.314f;
        zombies.push_back(world.Collider("Zombie", ColliderCircle,
                                         {1000.0f + 450.0f * std::cos(angle), 300.0f + 450.0f * std::sin(angle)},
                                         {40, 40}, {}, {"ENEMY"}));
    }
    world.collision->RebuildGrid(coordinator, world.Grid());
    const std::vector<std::string> sightTags = {"ENEMY", "PICKUP", "DOOR", "DANGER"};
    std::vector<Entity> sight;
    int clear = 0;
    auto look = [&] {
        CircleHits(coordinator, world.Grid(), {1000, 300}, 600.0f, sightTags, sight);
        for (Entity zombie : zombies)
        {
            const Vector2 at = world.TransformOf(zombie).position;
            clear += soldier.LineOfSight(coordinator, world.Grid(), at, zombie) == 1;
            clear += HasLineOfSightBetween(coordinator, zombie, soldierEntity, world.Grid());
            clear += HasLineOfSight(soldier, coordinator, at, soldierEntity);
        }
    };
    for (int i = 0; i < 3; ++i)
        look();
    clear = 0;
    const long before = allocationCount.load();
    for (int i = 0; i < 100; ++i)
        look();
    EXPECT_EQ(allocationCount.load() - before, 0);
    EXPECT_EQ(sight.size(), zombies.size());
    EXPECT_GT(clear, 0) << "some lines must be open";
    EXPECT_LT(clear, 100 * 60) << "and some blocked";
}

// The zombies' worst frame, frame after frame: sight of the soldiers around them, a charger's
// path search that keeps failing and a spitter's hiding place that cannot be found are judged
// again without allocating.
TEST(AllocationTest, SteadyFramesOfACrowdOfZombiesAllocateNothing)
{
    ZombieCrowd crowd;
    for (int frame = 0; frame < 20; ++frame)
        crowd.Frame();
    const long before = allocationCount.load();
    for (int frame = 0; frame < 100; ++frame)
        crowd.Frame();
    EXPECT_EQ(allocationCount.load() - before, 0);
    int searching = 0;
    for (const auto& charger : crowd.chargers)
        searching += charger->ChargerState == bChargerZombie::StateSearching && charger->Path.empty();
    EXPECT_EQ(searching, 12) << "every charger keeps asking for its path";
}
