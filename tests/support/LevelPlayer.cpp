#include "support/LevelPlayer.h"
#include "support/PathMap.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/systems/sIdentifierSystem.h"
#include "game/flow/PublishedInstances.h"
#include "game/flow/bCameraBehaviour.h"
#include "game/flow/bDoorBehaviour.h"
#include "game/flow/bGameLogic.h"
#include "game/flow/bTutorialLogic.h"
#include "game/squad/bGameController.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{
constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;
// Clicks stay this far inside the window: the outermost pixels pan the view.
constexpr long Margin = 40;
// Move orders reach this many path cells ahead at most, so every soldier's own path search
// stays short.
constexpr int StepsPerOrder = 10;

float Distance(Vector2 a, Vector2 b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// With DUSKVANE_PLAY_TRACE set, what the player decides as it decides it (to follow a play
// that does not end as it should).
[[gnu::format(printf, 1, 2)]] void Trace(const char* format, ...)
{
    if (std::getenv("DUSKVANE_PLAY_TRACE") == nullptr)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}

bool Over(GameState state)
{
    return state == GameState::Win || state == GameState::Lose;
}
}

bool LevelPlayer::RunUntil(const std::function<bool()>& condition, int limitFrames)
{
    for (int frame = 0; frame < limitFrames; ++frame)
    {
        if (condition())
            return true;
        game.RunFrames(1);
    }
    return condition();
}

GameState LevelPlayer::State() const
{
    const bGameLogic* logic = GameLogicInstance();
    return logic != nullptr ? logic->CurrentState : GameState::None;
}

bool LevelPlayer::WaitUntilPlaying(int limitFrames)
{
    return RunUntil([this] { return State() == GameState::Playing; }, limitFrames);
}

int LevelPlayer::TutorialStep() const
{
    const bTutorialLogic* tutorial = TutorialLogicInstance();
    return tutorial != nullptr ? tutorial->TutorialStep : 0;
}

bool LevelPlayer::WaitForCamera(int limitFrames)
{
    return RunUntil(
        [this] {
            const auto camera = game.coordinator->GetBehaviourAs<bCameraBehaviour>(game.coordinator->CameraEntity);
            return camera == nullptr || (camera->MoveTimeLeft() <= 0.0f && camera->QueuedMoveCount() == 0);
        },
        limitFrames);
}

std::vector<Entity> LevelPlayer::Tagged(const std::string& tag) const
{
    Coordinator& coordinator = *game.coordinator;
    const std::set<Entity> found = coordinator.GetSystem<sIdentifierSystem>()->FindEntitiesWithTag(coordinator, tag);
    return {found.begin(), found.end()};
}

std::vector<Entity> LevelPlayer::Soldiers() const
{
    std::vector<Entity> living;
    for (Entity soldier : Tagged("PLAYER"))
    {
        const auto behaviour = game.coordinator->GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour != nullptr && behaviour->active && behaviour->ActionState != bPlayerBehaviour::ActionDead &&
            behaviour->CurrentHealth > 0.0f)
            living.push_back(soldier);
    }
    return living;
}

std::vector<Entity> LevelPlayer::Zombies() const
{
    std::vector<Entity> living;
    for (Entity zombie : Tagged("ENEMY"))
    {
        const auto behaviour = game.coordinator->GetBehaviourAs<bCharacterBehaviour>(zombie);
        if (behaviour != nullptr && behaviour->active && behaviour->CurrentHealth > 0.0f)
            living.push_back(zombie);
    }
    return living;
}

Vector2 LevelPlayer::PositionOf(Entity entity) const
{
    const Transform* place = game.coordinator->GetComponent<Transform>(entity);
    return place != nullptr ? place->position : Vector2{};
}

Vector2 LevelPlayer::SquadCentre() const
{
    const std::vector<Entity> soldiers = Soldiers();
    Vector2 sum;
    for (Entity soldier : soldiers)
    {
        sum.x += PositionOf(soldier).x;
        sum.y += PositionOf(soldier).y;
    }
    if (soldiers.empty())
        return sum;
    const float count = static_cast<float>(soldiers.size());
    return {sum.x / count, sum.y / count};
}

Entity LevelPlayer::NearestSoldier(Vector2 point) const
{
    Entity nearest = NO_ENTITY;
    float best = std::numeric_limits<float>::max();
    for (Entity soldier : Soldiers())
        if (const float distance = Distance(PositionOf(soldier), point); distance < best)
        {
            best = distance;
            nearest = soldier;
        }
    return nearest;
}

int LevelPlayer::NumberOf(Entity soldier) const
{
    const Identifier* identifier = game.coordinator->GetComponent<Identifier>(soldier);
    if (identifier == nullptr)
        return 0;
    for (int number = 1; number <= 4; ++number)
    {
        const std::string tag = "PLAYER" + std::to_string(number);
        for (const std::string& carried : identifier->tags)
            if (carried == tag)
                return '0' + number;
    }
    return 0;
}

bool LevelPlayer::IsSelected(Entity soldier) const
{
    const bGameController* controller = GameControllerInstance();
    if (controller == nullptr)
        return false;
    const auto found = controller->Players.find(soldier);
    return found != controller->Players.end() && found->second;
}

float LevelPlayer::HealthShare(Entity soldier) const
{
    const auto behaviour = game.coordinator->GetBehaviourAs<bCharacterBehaviour>(soldier);
    if (behaviour == nullptr || behaviour->MaxHealth <= 0.0f)
        return 0.0f;
    return behaviour->CurrentHealth / behaviour->MaxHealth;
}

CursorPoint LevelPlayer::BringOnScreen(Vector2 world)
{
    Coordinator& coordinator = *game.coordinator;
    WaitForCamera();
    // The widest view first: most of the level then shows at once.
    for (int notch = 0; notch < 40 && coordinator.ViewHeight < coordinator.ZoomMax; ++notch)
    {
        game.platform.Scroll(-1.0);
        game.RunFrames(1);
    }
    const long width = static_cast<long>(coordinator.WindowWidth);
    const long height = static_cast<long>(coordinator.WindowHeight);
    const auto onScreen = [&](const CursorPoint& p) {
        return p.x >= Margin && p.x < width - Margin && p.y >= Margin && p.y < height - Margin;
    };
    CursorPoint pixel = game.WindowPointOf(world.x, world.y);
    // The view follows a middle-button drag one world unit per pixel: drag by the point's offset
    // from the window's centre, a window's worth at most per drag.
    for (int drag = 0; drag < 6 && !onScreen(pixel); ++drag)
    {
        const float scale = coordinator.ViewHeight / static_cast<float>(height);
        const long worldDx = std::lround((pixel.x - width / 2) * scale);
        const long worldDy = std::lround((pixel.y - height / 2) * scale);
        const long dx = std::clamp(worldDx, -(width / 2 - Margin), width / 2 - Margin);
        const long dy = std::clamp(worldDy, -(height / 2 - Margin), height / 2 - Margin);
        const long fromX = width / 2 + dx / 2;
        const long fromY = height / 2 - dy / 2;
        game.Drag(MiddleButton, fromX, fromY, fromX - dx, fromY + dy, 4);
        pixel = game.WindowPointOf(world.x, world.y);
    }
    return pixel;
}

void LevelPlayer::SelectAll()
{
    game.Tap('5');
}

void LevelPlayer::SelectOne(Entity soldier)
{
    if (const int key = NumberOf(soldier); key != 0)
        game.Tap(key);
}

void LevelPlayer::BoxSelect(Vector2 worldFrom, Vector2 worldTo)
{
    BringOnScreen({(worldFrom.x + worldTo.x) * 0.5f, (worldFrom.y + worldTo.y) * 0.5f});
    const CursorPoint from = game.WindowPointOf(worldFrom.x, worldFrom.y);
    const CursorPoint to = game.WindowPointOf(worldTo.x, worldTo.y);
    game.Drag(LeftButton, from.x, from.y, to.x, to.y, 8);
}

void LevelPlayer::MoveTo(Vector2 world)
{
    const CursorPoint pixel = BringOnScreen(world);
    game.RightClick(pixel.x, pixel.y);
}

void LevelPlayer::Face(Vector2 direction)
{
    const CursorPoint centre = BringOnScreen(SquadCentre());
    const float length = std::hypot(direction.x, direction.y);
    if (length == 0.0f)
        return;
    // Window pixels run down where the world runs up.
    const long toX = centre.x + std::lround(direction.x / length * 200.0f);
    const long toY = centre.y - std::lround(direction.y / length * 200.0f);
    game.Drag(RightButton, centre.x, centre.y, toX, toY, 10);
}

void LevelPlayer::Key(int virtualKey)
{
    game.Tap(virtualKey);
}

void LevelPlayer::AimThrow(int key, Vector2 target)
{
    const CursorPoint pixel = BringOnScreen(target);
    game.MoveCursor(pixel.x, pixel.y);
    game.Tap(key);
    // Aiming pans the view to the thrower, which moves the world under a still cursor: once the
    // view rests, the player points at the target again.
    WaitForCamera();
    const CursorPoint again = game.WindowPointOf(target.x, target.y);
    game.MoveCursor(again.x, again.y);
    game.RunFrames(10);
    Trace("aim at %6.0f %6.0f (pixel %ld %ld) from the squad at %6.0f %6.0f\n", target.x, target.y, again.x,
          again.y, SquadCentre().x, SquadCentre().y);
}

void LevelPlayer::ReleaseThrow()
{
    game.Press(LeftButton);
    game.RunFrames(2);
}

bool LevelPlayer::WalkTo(Vector2 world, float radius, int limitFrames)
{
    MoveTo(world);
    std::vector<Entity> walkers;
    for (Entity soldier : Soldiers())
        if (IsSelected(soldier))
            walkers.push_back(soldier);
    // Every walker still alive stands within the radius.
    const auto arrived = [&] {
        const std::vector<Entity> living = Soldiers();
        for (Entity soldier : walkers)
            if (std::count(living.begin(), living.end(), soldier) != 0 && Distance(PositionOf(soldier), world) > radius)
                return false;
        return true;
    };
    Vector2 last = SquadCentre();
    int still = 0;
    for (int frame = 0; frame < limitFrames; frame += 20)
    {
        if (Over(State()) || arrived())
            return arrived();
        game.RunFrames(20);
        const Vector2 now = SquadCentre();
        still = Distance(now, last) < 4.0f ? still + 20 : 0;
        last = now;
        // Stopped short (a wall, a closed door, a fight): the order is spent.
        if (still >= 60)
            return arrived();
    }
    return arrived();
}

void LevelPlayer::LookAfterSquad()
{
    bool reload = false;
    Entity hurt = NO_ENTITY;
    for (Entity soldier : Soldiers())
    {
        const auto behaviour = game.coordinator->GetBehaviourAs<bPlayerBehaviour>(soldier);
        if (behaviour->ClipRounds == 0 && behaviour->AmmoTotal > 0 &&
            behaviour->ActionState != bPlayerBehaviour::ActionReloading &&
            behaviour->ActionState != bPlayerBehaviour::ActionReloadingMoving)
            reload = true;
        if (hurt == NO_ENTITY && HealthShare(soldier) < 0.5f && behaviour->HealthPacks > 0)
            hurt = soldier;
    }
    SelectAll();
    if (reload)
        Key('R');
    if (hurt != NO_ENTITY)
    {
        SelectOne(hurt);
        Key('E');
        SelectAll();
    }
}

void LevelPlayer::BreachDoor(Entity door)
{
    const bUniqueGrid* grid = PathGrid();
    if (grid == nullptr)
        return;
    const Vector2 place = PositionOf(door);
    const auto behaviour = game.coordinator->GetBehaviourAs<bDoorBehaviour>(door);
    const float reach = behaviour != nullptr && behaviour->TriggerRange > 0.0f ? behaviour->TriggerRange : 100.0f;
    // The squad walks up to the door's near side a stretch at a time; the soldier nearest to the
    // door kicks it in once it is inside its reach.
    for (int leg = 0; leg < 12 && game.coordinator->IsAlive(door) && !Over(State()); ++leg)
    {
        const PathMap walks = WalksFromSquad(*grid);
        const int steps = walks.Steps(place);
        if (steps < 0)
            break;
        const Vector2 nearSide = walks.NearSide(place);
        const Entity kicker = NearestSoldier(nearSide);
        if (kicker == NO_ENTITY)
            break;
        Trace("  breach door %u at %.0f %.0f (%d steps): kicker at %.0f %.0f, near side %.0f %.0f\n", door, place.x,
              place.y, steps, PositionOf(kicker).x, PositionOf(kicker).y, nearSide.x, nearSide.y);
        if (Distance(PositionOf(kicker), place) < reach)
        {
            SelectOne(kicker);
            Key('F');
            game.RunFrames(30);
            if (!game.coordinator->IsAlive(door))
                break;
        }
        SelectAll();
        WalkTo(steps > StepsPerOrder ? walks.Toward(place, StepsPerOrder) : nearSide, 40.0f, 300);
    }
    SelectAll();
}

namespace
{
constexpr float PackRadius = 160.0f;
constexpr float ThrowReach = 600.0f;

int Neighbours(const LevelPlayer& player, const std::vector<Entity>& zombies, Entity zombie)
{
    int count = 0;
    for (Entity other : zombies)
        count += other != zombie && Distance(player.PositionOf(other), player.PositionOf(zombie)) < PackRadius;
    return count;
}
}

Vector2 LevelPlayer::NearestPack() const
{
    const std::vector<Entity> zombies = Zombies();
    const Vector2 squad = SquadCentre();
    Entity best = NO_ENTITY;
    bool bestIsPack = false;
    for (Entity zombie : zombies)
    {
        const bool pack = Neighbours(*this, zombies, zombie) >= 2;
        if (best == NO_ENTITY || (pack && !bestIsPack) ||
            (pack == bestIsPack && Distance(PositionOf(zombie), squad) < Distance(PositionOf(best), squad)))
        {
            best = zombie;
            bestIsPack = pack;
        }
    }
    return best == NO_ENTITY ? squad : PositionOf(best);
}

Vector2 LevelPlayer::ZombieCentre() const
{
    const std::vector<Entity> zombies = Zombies();
    Vector2 sum;
    for (Entity zombie : zombies)
    {
        sum.x += PositionOf(zombie).x;
        sum.y += PositionOf(zombie).y;
    }
    if (zombies.empty())
        return SquadCentre();
    const float count = static_cast<float>(zombies.size());
    return {sum.x / count, sum.y / count};
}

bool LevelPlayer::ThrowAtAPack()
{
    const std::vector<Entity> zombies = Zombies();
    const std::vector<Entity> soldiers = Soldiers();
    const bUniqueGrid* grid = PathGrid();
    if (grid == nullptr)
        return false;
    const PathMap cells(*grid, {});
    for (Entity zombie : zombies)
    {
        if (Neighbours(*this, zombies, zombie) < 2)
            continue;
        const Vector2 pack = PositionOf(zombie);
        bool clear = true;
        for (Entity soldier : soldiers)
            clear = clear && Distance(PositionOf(soldier), pack) > 250.0f;
        if (!clear)
            continue;
        for (Entity soldier : soldiers)
        {
            const auto behaviour = game.coordinator->GetBehaviourAs<bPlayerBehaviour>(soldier);
            if (Distance(PositionOf(soldier), pack) > ThrowReach - 40.0f ||
                !cells.ClearLine(PositionOf(soldier), pack) ||
                (behaviour->Grenades == 0 && behaviour->Molotovs == 0 && !behaviour->InfiniteExplosives))
                continue;
            const int carried = behaviour->Grenades + behaviour->Molotovs;
            SelectOne(soldier);
            AimThrow(behaviour->Grenades > 0 || behaviour->InfiniteExplosives ? 'Q' : 'W', pack);
            ReleaseThrow();
            game.RunFrames(30);
            SelectAll();
            // A throw that did not leave the hand (the soldier busy, the click taken by the
            // interface) is not tried again and again: the hunt goes on.
            return behaviour->InfiniteExplosives || behaviour->Grenades + behaviour->Molotovs < carried;
        }
    }
    return false;
}

const bUniqueGrid* LevelPlayer::PathGrid() const
{
    const std::vector<Entity> grids = Tagged("GRID");
    return grids.empty() ? nullptr : game.coordinator->GetBehaviourAs<bUniqueGrid>(grids.front()).get();
}

PathMap LevelPlayer::WalksFromSquad(const bUniqueGrid& grid) const
{
    std::vector<Vector2> from;
    for (Entity soldier : Soldiers())
        from.push_back(PositionOf(soldier));
    return PathMap(grid, from);
}

Entity LevelPlayer::NearestByWalk(const PathMap& walks, const std::vector<Entity>& among, int& steps) const
{
    Entity nearest = NO_ENTITY;
    steps = -1;
    for (Entity entity : among)
        if (const int s = walks.Steps(PositionOf(entity)); s >= 0 && (nearest == NO_ENTITY || s < steps))
        {
            nearest = entity;
            steps = s;
        }
    return nearest;
}

GameState LevelPlayer::HuntZombies(int limitFrames, const std::function<bool()>& stopWhen, bool throwing)
{
    // Within this many steps the rifles do the work: the squad holds there and fires.
    constexpr int FiringSteps = 3;
    const double start = game.platform.Time();
    const double limit = limitFrames * ScriptedPlatform::FrameSeconds;
    Entity lastTarget = NO_ENTITY;
    int lastSteps = -1;
    int stalled = 0;
    while (!Over(State()) && game.platform.Time() - start < limit && !(stopWhen && stopWhen()))
    {
        LookAfterSquad();
        if (throwing && ThrowAtAPack())
            continue;
        const std::vector<Entity> zombies = Zombies();
        const bUniqueGrid* grid = PathGrid();
        if (zombies.empty() || Soldiers().empty() || grid == nullptr)
        {
            game.RunFrames(30);
            continue;
        }
        const PathMap walks = WalksFromSquad(*grid);
        int steps = -1;
        const Entity target = NearestByWalk(walks, zombies, steps);
        Trace("%7.1f s  squad %zu at %6.0f %6.0f  zombies %2zu, nearest %d steps away\n", game.platform.Time() - start,
              Soldiers().size(), SquadCentre().x, SquadCentre().y, zombies.size(), steps);
        if (target == NO_ENTITY)
        {
            // Every zombie left is behind a closed door: the nearest door the squad can walk up to.
            int doorSteps = -1;
            const Entity door = NearestByWalk(walks, Tagged("DOOR"), doorSteps);
            if (door != NO_ENTITY)
                BreachDoor(door);
            else
                game.RunFrames(60);
            continue;
        }
        stalled = target == lastTarget && steps >= lastSteps ? stalled + 1 : 0;
        lastTarget = target;
        lastSteps = steps;
        const Vector2 place = PositionOf(target);
        if (steps > FiringSteps && stalled < 3)
            WalkTo(walks.Toward(place, std::min(steps - FiringSteps, StepsPerOrder)), 100.0f, 240);
        else if (stalled < 3)
            game.RunFrames(60);
        else
        {
            // It does not come and does not fall (out of sight behind a corner, or the squad
            // held up): right up to it.
            WalkTo(place, 60.0f, 240);
            if (stalled >= 6)
            {
                int doorSteps = -1;
                if (const Entity door = NearestByWalk(walks, Tagged("DOOR"), doorSteps); door != NO_ENTITY)
                    BreachDoor(door);
                stalled = 0;
            }
        }
    }
    return State();
}

GameState LevelPlayer::ChargeIn(int limitFrames)
{
    const double start = game.platform.Time();
    const double limit = limitFrames * ScriptedPlatform::FrameSeconds;
    while (!Over(State()) && game.platform.Time() - start < limit)
    {
        const std::vector<Entity> zombies = Zombies();
        const bUniqueGrid* grid = PathGrid();
        if (zombies.empty() || Soldiers().empty() || grid == nullptr)
        {
            game.RunFrames(30);
            continue;
        }
        const PathMap walks = WalksFromSquad(*grid);
        // The biggest pack that can be walked to.
        Entity target = NO_ENTITY;
        int most = -1;
        for (Entity zombie : zombies)
            if (const int near = Neighbours(*this, zombies, zombie);
                walks.Steps(PositionOf(zombie)) >= 0 && near > most)
            {
                target = zombie;
                most = near;
            }
        SelectAll();
        if (target == NO_ENTITY)
        {
            int doorSteps = -1;
            if (const Entity door = NearestByWalk(walks, Tagged("DOOR"), doorSteps); door != NO_ENTITY)
                BreachDoor(door);
            else
                game.RunFrames(60);
            continue;
        }
        Trace("%7.1f s  charging: squad %zu at %6.0f %6.0f  zombies %2zu, a pack of %d\n", game.platform.Time() - start,
              Soldiers().size(), SquadCentre().x, SquadCentre().y, zombies.size(), most + 1);
        // A new order every third of a second: the soldiers keep walking instead of stopping to
        // shoot.
        MoveTo(walks.Toward(PositionOf(target), StepsPerOrder));
        game.RunFrames(20);
    }
    return State();
}
