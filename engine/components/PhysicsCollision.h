#pragma once
#include "engine/components/CollisionShape.h"
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A collider: shape kind, size, offset, layer, the contact flags and a tag whose carriers are
// ignored. `shape` always points at this component's own shapeData: copies and moves (the
// component store moves components when entities are destroyed) re-point it.
class PhysicsCollision : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "PhysicsCollision";

    PhysicsCollision() = default;
    PhysicsCollision(const PhysicsCollision& other) : ISerializable(other), IInspector(other) { AssignFrom(other); }
    PhysicsCollision(PhysicsCollision&& other) noexcept { AssignFrom(std::move(other)); }
    PhysicsCollision& operator=(const PhysicsCollision& other)
    {
        AssignFrom(other);
        return *this;
    }
    PhysicsCollision& operator=(PhysicsCollision&& other) noexcept
    {
        AssignFrom(std::move(other));
        return *this;
    }
    ~PhysicsCollision() override = default;

    // Resets, then reads "IsMovable", "IsTrigger", "cLayer" (integer), "cHeight", "cWidth" and
    // "ColliderType" (integer 0..2), all required; "IsReflective", "Offset_X", "Offset_Y" and
    // "Ignore" optional.
    void Deserialize(const rapidjson::Value& object) override;
    // Writes the unrotated extents (exchanged back at the two quarter-turn angles).
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    std::int32_t colliderType = ColliderRectangle;
    CollisionShape* shape = &shapeData;
    CollisionShape shapeData;
    bool isTrigger = false;
    bool isMovable = false;
    bool isReflective = false;
    Vector2 offset;
    std::vector<Entity> handled;
    std::string ignoreTag;
    bool extentsSwapped = false;
    bool screenPlaced = false;

private:
    // Copies or moves every field but `shape`, which keeps pointing at this object's data.
    template <class Other>
    void AssignFrom(Other&& other)
    {
        if (static_cast<const void*>(&other) == static_cast<const void*>(this))
            return;
        colliderType = other.colliderType;
        shapeData = other.shapeData;
        isTrigger = other.isTrigger;
        isMovable = other.isMovable;
        isReflective = other.isReflective;
        offset = other.offset;
        handled = std::forward<Other>(other).handled;
        ignoreTag = std::forward<Other>(other).ignoreTag;
        extentsSwapped = other.extentsSwapped;
        screenPlaced = other.screenPlaced;
        shape = &shapeData;
    }
};
