#pragma once
#include "engine/components/Matrix3.h"
#include "engine/components/Vector2.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <set>
#include <string>
#include <vector>

class Coordinator;

// Places an entity: position, scale, rotation (radians from +x towards +y), the model matrix
// the transform system builds, the previous step's position, and a parent-child relation kept
// by Identifier names. The subtree setters resolve each child name at use; a name no live
// entity carries, or whose entity has no Transform, is skipped, and a name met twice in one
// walk (a cycle, or a transform listing itself) is visited once.
class Transform : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Transform";

    // "xPos", "yPos", "xScale", "yScale", "rot" (degrees) required; "ParentID", "Children"
    // optional. The rotation is clamped to [0, 6.2831898]; previous position = position.
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Moves this transform to p and every descendant by the same offset.
    void SetPosition(const Vector2& p, Coordinator& coordinator);
    // Turns this transform to r (wrapped below 6.28319 from above) and every descendant by the
    // same change of angle; positions are not turned.
    void SetRotation(float r, Coordinator& coordinator);
    // Sets the scale to s and adds the same change to every descendant's scale.
    void SetScale(const Vector2& s, Coordinator& coordinator);
    // Points the transform along d; children untouched. A zero direction changes nothing.
    void SetRotationFromDirection(const Vector2& d);
    // The same for the whole subtree, deepest first.
    void SetRotationFromDirectionRecursive(const Vector2& d, Coordinator& coordinator);
    // Names of all descendants, depth first in pre-order.
    std::vector<std::string> GetAllChildren(Coordinator& coordinator);

    Vector2 position;
    Vector2 scale;
    float rotation = 0.0f;
    Matrix3 modelMatrix = ZeroMatrix();
    Vector2 previousPosition;
    std::string parentName;
    std::vector<std::string> childNames;

private:
    static Matrix3 ZeroMatrix();
    using Visited = std::set<const Transform*>;
    // Live children in list order, each at most once per walk.
    std::vector<Transform*> Children(Coordinator& coordinator, Visited& visited);
    void SetPositionWalk(const Vector2& p, Coordinator& coordinator, Visited& visited);
    void SetRotationWalk(float r, Coordinator& coordinator, Visited& visited);
    void SetScaleWalk(const Vector2& s, Coordinator& coordinator, Visited& visited);
    void SetDirectionWalk(const Vector2& d, Coordinator& coordinator, Visited& visited);
    void CollectChildren(Coordinator& coordinator, Visited& visited, std::vector<std::string>& out);
};
