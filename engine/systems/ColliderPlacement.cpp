#include "engine/systems/ColliderPlacement.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/GridSpec.h"

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
        return;
    }
    shape.center = {transform.position.x + collision.offset.x, transform.position.y + collision.offset.y};
    ApplyRotation(transform.rotation, collision);
    SetCorner(shape);
    grid.Insert(entity, shape.position, shape.size);
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
