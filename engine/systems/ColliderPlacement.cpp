#include "engine/systems/ColliderPlacement.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"
#include "engine/systems/ShapeTests.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
// The two quarter turns at which width and height are exchanged, once.
constexpr float QuarterTurn = 1.5707964f;
constexpr float ThreeQuarterTurn = 4.712389f;

void ApplyRotation(float rotation, PhysicsCollision& collision)
{
    if (rotation == 0.0f)
        return;
    CollisionShape& shape = *collision.shape;
    shape.angle = rotation;
    const float c = std::cos(rotation);
    const float s = std::sin(rotation);
    shape.rotation.columns[0] = {c, s};
    shape.rotation.columns[1] = {-s, c};
    if ((rotation == QuarterTurn || rotation == ThreeQuarterTurn) && !collision.extentsSwapped)
    {
        std::swap(shape.size.x, shape.size.y);
        collision.extentsSwapped = true;
    }
}

void SetCorner(CollisionShape& shape)
{
    shape.position = {shape.center.x - shape.size.x * 0.5f, shape.center.y - shape.size.y * 0.5f};
}

void Widen(GridSpec::Box& box, float x, float y)
{
    box.minX = std::min(box.minX, x);
    box.minY = std::min(box.minY, y);
    box.maxX = std::max(box.maxX, x);
    box.maxY = std::max(box.maxY, y);
}

// Far more than the rounding of the shape tests, far less than a unit.
float RoundingRoom(float value)
{
    return 0.01f + 1.0e-5f * std::abs(value);
}

// The broadphase learns what was just inserted into it; any other placement leaves it with a shape
// that has moved on.
void TellBroadphase(Coordinator& coordinator, Entity entity, const GridSpec* inserted, const PhysicsCollision& collision)
{
    GridSpec* broadphase = coordinator.BroadphaseGrid.get();
    if (broadphase == nullptr)
        return;
    GridSpec::Box reach;
    if (inserted != broadphase || !ColliderReach(collision, reach))
    {
        broadphase->ForgetReach(entity);
        return;
    }
    if (collision.colliderType != ColliderLineSegment)
    {
        broadphase->KnowReach(entity, reach);
        return;
    }
    Segment segment;
    SegmentFromCollider(segment, *collision.shape);
    broadphase->KnowLineReach(entity, reach, {segment.p1.x - segment.p0.x, segment.p1.y - segment.p0.y});
}
}

bool ColliderReach(const PhysicsCollision& collision, GridSpec::Box& reach)
{
    const CollisionShape& shape = *collision.shape;
    switch (collision.colliderType)
    {
    case ColliderCircle:
    {
        const float r = std::abs(shape.radius);
        reach = {shape.center.x - r, shape.center.y - r, shape.center.x + r, shape.center.y + r};
        break;
    }
    case ColliderRectangle:
    {
        const float hw = std::abs(shape.size.x * 0.5f);
        const float hh = std::abs(shape.size.y * 0.5f);
        reach = {shape.center.x - hw, shape.center.y - hh, shape.center.x + hw, shape.center.y + hh};
        Widen(reach, shape.position.x, shape.position.y);
        Widen(reach, shape.position.x + shape.size.x, shape.position.y + shape.size.y);
        break;
    }
    case ColliderLineSegment:
    {
        Segment segment;
        SegmentFromCollider(segment, shape);
        reach = {segment.p0.x, segment.p0.y, segment.p0.x, segment.p0.y};
        Widen(reach, segment.p1.x, segment.p1.y);
        break;
    }
    default:
        return false;
    }
    reach.minX -= RoundingRoom(reach.minX);
    reach.minY -= RoundingRoom(reach.minY);
    reach.maxX += RoundingRoom(reach.maxX);
    reach.maxY += RoundingRoom(reach.maxY);
    return true;
}

void PlaceCollider(Coordinator& coordinator, Entity entity, GridSpec& grid, const Transform& transform,
                   PhysicsCollision& collision, bool bindToCamera)
{
    CollisionShape& shape = *collision.shape;
    if (bindToCamera)
    {
        if (collision.screenPlaced)
        {
            grid.Insert(entity, shape.position, shape.size);
            TellBroadphase(coordinator, entity, &grid, collision);
            return;
        }
        collision.screenPlaced = true;
        Vector2 camera;
        if (const Transform* view = coordinator.GetComponent<Transform>(coordinator.CameraEntity))
            camera = view->position;
        shape.center = {960.0f - camera.x + transform.position.x + collision.offset.x,
                        540.0f - camera.y + transform.position.y + collision.offset.y};
        ApplyRotation(transform.rotation, collision);
        SetCorner(shape);
        TellBroadphase(coordinator, entity, nullptr, collision);
        return;
    }
    shape.center = {transform.position.x + collision.offset.x, transform.position.y + collision.offset.y};
    ApplyRotation(transform.rotation, collision);
    SetCorner(shape);
    grid.Insert(entity, shape.position, shape.size);
    TellBroadphase(coordinator, entity, &grid, collision);
}

void InsertColliderIntoGrid(Coordinator& coordinator, Entity entity, GridSpec& grid)
{
    const Transform* transform = coordinator.GetComponent<Transform>(entity);
    PhysicsCollision* collision = coordinator.GetComponent<PhysicsCollision>(entity);
    if (transform == nullptr || collision == nullptr)
        return;
    std::shared_ptr<IBehaviour> behaviour;
    const bool bound = coordinator.GetBehaviour(entity, behaviour) && behaviour->BindToCamera;
    PlaceCollider(coordinator, entity, grid, *transform, *collision, bound);
}
