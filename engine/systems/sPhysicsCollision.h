#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/sSystemBase.h"
#include "engine/systems/CellPairIndex.h"
#include "engine/systems/ContactResponse.h"
#include "engine/systems/EntityBits.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

class GridSpec;

// Detects contacts between colliders once per fixed step, tells both behaviours and pushes
// solid colliders apart. Signature: PhysicsCollision, Identifier, PhysicsMovement, Transform.
//
// Each step rebuilds the Coordinator's broadphase grid from every member, then walks the cells
// (row bands ascending, then column bands ascending) and resolves the ids of each non-empty cell
// in ascending order; entities destroyed by contact callbacks are removed after the step. A pair
// resolved once is recorded in both colliders' handled lists and is not resolved again in
// another cell or another step of the same frame; the lists are emptied after the frame's steps.
class sPhysicsCollision : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sPhysicsCollision";

    sPhysicsCollision();

    // Rebuilds the broadphase grid once.
    void Init(Coordinator& coordinator) override;
    // Asserts "MORE THAN MAXIMUM NUMBER OF COLLIDERS ALLOWED" beyond MAX_ENTITIES members; runs
    // one pass per fixed step of the frame (none when the step count is 0).
    void Update(Coordinator& coordinator) override;

    // Clears the grid and inserts every member's collider, in ascending id order.
    void RebuildGrid(Coordinator& coordinator, GridSpec& grid);
    // Inserts the collider of every member that carries at least one of the tags (the path grid).
    void InsertTaggedIntoGrid(Coordinator& coordinator, GridSpec& grid, const std::set<std::string>& tags);
    // Forgets every member's quarter-turn swap of width and height (the sizes keep their values),
    // so that a collider inserted into a new grid is swapped afresh.
    void ClearExtentsSwapped(Coordinator& coordinator);
    // Tests every moving id of one cell (ascending) against every other id of it and answers the
    // contacts found.
    void ResolveCell(Coordinator& coordinator, const std::vector<Entity>& cell);
    // Members (of this system and of the identifier system) carrying one of the tags whose
    // rectangle or circle collider touches the box of that centre and size; line segments never
    // match. Colliders whose reach the broadphase knows are looked for near the box only.
    std::set<Entity> OverlapBox(Coordinator& coordinator, const Vector2& centre, const Vector2& size,
                                const std::vector<std::string>& tags);

private:
    // One collider's components, looked up once per pass epoch.
    ColliderParts& PartsOf(Coordinator& coordinator, Entity entity);
    // The handled list of an entity mirrored as bits for this epoch (built from the list on first use).
    EntityBits& HandledBitsOf(Entity entity, const PhysicsCollision& collision);
    void MarkHandled(Entity a, ColliderParts& partsA, Entity b, ColliderParts& partsB);
    void RebuildBroadphase(Coordinator& coordinator, GridSpec& grid);
    void ResolveCellInEpoch(Coordinator& coordinator, const std::vector<Entity>& cell);
    // Sets every place's box from its collider as it is now.
    void IndexCell(Coordinator& coordinator, const std::vector<Entity>& cell);
    void BeginEpoch();
    // The members that OverlapBox may return: those of this system that are also members of the
    // identifier system, remade only when either membership has changed.
    const EntityBits& BoxCandidates(const sSystemBase& names);

    // An epoch is one fixed step (or one direct ResolveCell call): within it no entity is
    // destroyed, so component pointers and the mirrored handled lists stay valid.
    std::uint32_t epoch = 0;
    std::array<std::uint32_t, MAX_ENTITIES> partsEpoch{};
    std::array<ColliderParts, MAX_ENTITIES> parts{};
    std::array<std::uint32_t, MAX_ENTITIES> handledEpoch{};
    std::array<EntityBits, MAX_ENTITIES> handledBits{};
    // The ids of the cell being resolved; reserved once so that a step allocates nothing.
    std::vector<Entity> cellScratch;
    // Where each collider of the cell being resolved can be met, so that a mover tests only the
    // partners its motion can reach.
    CellPairIndex cellIndex;
    EntityBits boxCandidates;
    const sSystemBase* boxCandidatesNames = nullptr;
    std::uint64_t boxCandidatesOwnRevision = 0;
    std::uint64_t boxCandidatesNamesRevision = 0;
    bool boxCandidatesKnown = false;
};
