#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <cstdint>
#include <memory>

class Coordinator;

// Life-cycle state of a behaviour, written by sBehaviourSystem and the pause queue.
enum BehaviourState : std::int32_t
{
    BehaviourCreated = 0, // neither Awake nor Start has run
    BehaviourAwoken = 1,  // Awake has run, Start has not
    BehaviourRunning = 2, // Update is called every frame
    BehaviourPaused = 3,  // Update is skipped
};

// The base of every behaviour class; always the first base, so a behaviour and its IBehaviour
// part share one address. Behaviours are shared-owned by sBehaviourSystem, one per entity.
class IBehaviour
{
public:
    virtual ~IBehaviour() = default;

    virtual void Awake(Coordinator& coordinator) = 0;
    virtual void Start(Coordinator& coordinator) = 0;
    virtual void Update(Coordinator& coordinator) = 0;
    virtual void OnSceneUnload(Coordinator& coordinator) = 0;
    virtual void OnCollision(Coordinator&, Entity /*other*/) {}
    virtual void OnTrigger(Coordinator&, Entity /*other*/) {}
    virtual void OnHover(Coordinator&) {}
    virtual void SetEntity(Entity owner) { entity = owner; }

    BehaviourState state = BehaviourCreated;
    Entity entity = 0;
    // The behaviour's own switch: behaviours skip their work while it is clear, dead characters
    // and hidden interface elements clear it, picking skips inactive buttons.
    bool active = true;
    // Whether an interface element or damage area currently sits in its drawing systems.
    bool inSystems = true;
    // The entity an interface element follows (its "BindTo" name resolved).
    Entity boundEntity = NO_ENTITY;
    // Screen-space element: it stays at cameraOffset from the camera position.
    bool BindToCamera = false;
    Vector2 cameraOffset;
    Vector2 initialCameraOffset;
};

// Creates one default-constructed behaviour of one class.
using BehaviourFactory = std::shared_ptr<IBehaviour> (*)();

template <class T>
std::shared_ptr<IBehaviour> CreateBehaviour()
{
    return std::make_shared<T>();
}
