#pragma once
#include "support/PathMap.h"
#include "support/TestGame.h"

#include "engine/components/Vector2.h"
#include "game/definitions/GameStates.h"

#include <functional>
#include <string>
#include <vector>

// Plays a level as a player does, with the mouse and keys only: selects soldiers with a box or
// the number keys, orders them with right clicks at world points (zooming out and dragging the
// view with the middle button to bring a point on screen first), turns them with a right drag,
// breaches, reloads, heals and throws with the hotkeys. It reads the world (positions, health,
// the level's state, the tutorial's step) to decide what to do next, the way a player reads the
// screen; it never calls into a behaviour.
class LevelPlayer
{
public:
    explicit LevelPlayer(TestGame& game) : game(game) {}

    // ---- Waiting ----
    // Runs frames until the condition holds; false when it did not within the limit.
    bool RunUntil(const std::function<bool()>& condition, int limitFrames);
    // The level's state, None without game logic.
    GameState State() const;
    // Runs frames until the opening has played and the level is Playing.
    bool WaitUntilPlaying(int limitFrames = 1200);
    // The running tutorial's step, 0 without one.
    int TutorialStep() const;
    // Runs frames until no scripted camera move plays or waits (the view then takes the
    // player's input again).
    bool WaitForCamera(int limitFrames = 900);

    // ---- Reading the world ----
    // Soldiers alive ("PLAYER" with an active soldier behaviour), in ascending id.
    std::vector<Entity> Soldiers() const;
    // Zombies alive ("ENEMY" with an active behaviour), in ascending id.
    std::vector<Entity> Zombies() const;
    // Entities carrying the tag, in ascending id.
    std::vector<Entity> Tagged(const std::string& tag) const;
    Vector2 PositionOf(Entity entity) const;
    // The mean position of the living soldiers.
    Vector2 SquadCentre() const;
    // The living soldier nearest to the point, NO_ENTITY when none lives.
    Entity NearestSoldier(Vector2 point) const;
    // The number ('1' to '4') a soldier is selected with: its "PLAYERn" tag.
    int NumberOf(Entity soldier) const;
    bool IsSelected(Entity soldier) const;
    // A soldier's health over its maximum.
    float HealthShare(Entity soldier) const;

    // ---- Input ----
    // The point of the world where the cursor must be to point at it, bringing it on screen first
    // (zooming out to the widest view, then dragging the view with the middle button).
    CursorPoint BringOnScreen(Vector2 world);
    // Every soldier with '5'.
    void SelectAll();
    // One soldier by its number key.
    void SelectOne(Entity soldier);
    // A left drag over a box of the world (corners on screen first).
    void BoxSelect(Vector2 worldFrom, Vector2 worldTo);
    // A short right click at the world point: the selected soldiers walk there.
    void MoveTo(Vector2 world);
    // A right drag from the selection's centre toward the direction, longer than 100 pixels.
    void Face(Vector2 direction);
    // A key tapped (press, then two settling frames).
    void Key(int virtualKey);
    // Q (grenade) or W (molotov) with the selection, the cursor on the target for a few frames,
    // then a left click when `release` (clicks do nothing at tutorial steps 12 and 13).
    void AimThrow(int key, Vector2 target);
    void ReleaseThrow();

    // ---- Tactics ----
    // Orders the selection to the point and waits until every selected soldier has stopped
    // within the radius of it, the limit has passed or the level is over; true when they got
    // there.
    bool WalkTo(Vector2 world, float radius, int limitFrames);
    // The careful player's upkeep: reload empty rifles, heal a soldier under half health, and
    // keep everyone selected.
    void LookAfterSquad();
    // Hunts every zombie down: walks the squad toward the zombie nearest by a walk over the path
    // grid, a short stretch at a time (stopping short of it so the rifles do the work), up to it
    // when it neither comes nor falls, breaching the nearest door when no zombie can be walked
    // to or the squad stays held up, and
    // with `throwing` clearing packs of zombies with grenades and molotovs, until the level is
    // won or lost, `stopWhen` holds or the limit passes. The state it ended in.
    GameState HuntZombies(int limitFrames, const std::function<bool()>& stopWhen = {}, bool throwing = false);
    // The careless player: the whole squad straight at the zombie nearest by a walk, breaching
    // the doors in the way, never reloading or healing, until the level is over or the limit
    // passes. The state it ended in.
    GameState ChargeIn(int limitFrames);
    // Throws a grenade (or a molotov when no one has grenades) from a soldier at a pack of three
    // or more zombies within a throw's reach, in a straight line over free cells and clear of the
    // squad; false when there is no such pack or soldier, or the throw did not happen.
    bool ThrowAtAPack();
    // The zombie nearest to the squad of those with two or more others near them (the nearest
    // zombie when no pack is left).
    Vector2 NearestPack() const;
    // The mean position of the living zombies.
    Vector2 ZombieCentre() const;

private:
    // The level's path grid, null when it has none.
    const bUniqueGrid* PathGrid() const;
    // The walks over the path grid from the living soldiers.
    PathMap WalksFromSquad(const bUniqueGrid& grid) const;
    // Of the entities, the one the fewest steps away (and the steps); NO_ENTITY (and -1) when no
    // walk reaches any.
    Entity NearestByWalk(const PathMap& walks, const std::vector<Entity>& among, int& steps) const;
    // Walks the soldier nearest to the door up to it and kicks it in with F.
    void BreachDoor(Entity door);

    TestGame& game;
};
