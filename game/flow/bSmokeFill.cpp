#include "game/flow/bSmokeFill.h"

#include "engine/components/Identifier.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/PrefabFile.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/bCameraBehaviour.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
const char* const RowPrefab = "FogEdge";
const char* const ColumnPrefab = "FogEdgeV";

std::string NameOf(Coordinator& coordinator, Entity entity)
{
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    return identifier != nullptr ? identifier->name : "entity " + std::to_string(entity);
}

void MoveTo(Coordinator& coordinator, Entity entity, Vector2 point)
{
    if (Transform* transform = coordinator.GetComponent<Transform>(entity))
        MoveByHand(*transform, point);
}
}

void bSmokeFill::Awake(Coordinator&)
{
}

void bSmokeFill::Start(Coordinator& coordinator)
{
    const char* prefab = Horizontal ? RowPrefab : ColumnPrefab;
    const Entity first = InstantiatePrefab(coordinator, prefab);
    const Renderer* renderer = coordinator.GetComponent<Renderer>(first);
    PieceLength = renderer == nullptr ? 0.0f : Horizontal ? renderer->scaleX : renderer->scaleY;

    Vector2 origin;
    if (const auto camera = coordinator.GetBehaviourAs<bCameraBehaviour>(coordinator.CameraEntity))
    {
        if (Horizontal)
        {
            FillWidth = camera->maxX - camera->minX;
            origin = {camera->minX - PieceLength, Top ? camera->maxY : camera->minY};
        }
        else
        {
            FillWidth = camera->maxY - camera->minY;
            origin = {Top ? camera->maxX : camera->minX, camera->minY - PieceLength};
        }
    }

    // A strip with no length along the row would never cover it, and one so short that the row
    // needs more strips than there are free entities would end the program mid-load; both are
    // faults of the strip's prefab data, said as such.
    const double pieces = static_cast<double>(FillWidth) / static_cast<double>(PieceLength);
    const double freeEntities = static_cast<double>(MAX_ENTITIES - coordinator.EntityManager.LivingCount());
    if (!(PieceLength > 0.0f) || !(std::trunc(pieces) + 2.0 <= freeEntities))
    {
        JsonFileScope scope(coordinator.PrefabPath);
        JsonAssertFail("fog \"" + NameOf(coordinator, entity) + "\": its strip \"" + prefab + "\" has length " +
                       std::to_string(PieceLength) + " along the edge, which cannot cover " + std::to_string(FillWidth) +
                       " within the entity limit");
    }
    const int count = std::max(1, static_cast<int>(std::trunc(pieces)) + 3);

    Strips.assign(static_cast<std::size_t>(count), NO_ENTITY);
    Strips[0] = first;
    MoveTo(coordinator, entity, origin);
    for (int i = 0; i < count; ++i)
    {
        if (i >= 1)
            Strips[static_cast<std::size_t>(i)] = InstantiatePrefab(coordinator, prefab);
        const float along = static_cast<float>(i) * PieceLength;
        MoveTo(coordinator, Strips[static_cast<std::size_t>(i)],
               Horizontal ? Offset(origin, along, 0.0f) : Offset(origin, 0.0f, along));
    }
    WrapLimit = FillWidth + (Horizontal ? origin.x : origin.y) + 2.0f * PieceLength;
}

void bSmokeFill::Update(Coordinator& coordinator)
{
    const float step = coordinator.DeltaTime * ScrollSpeed;
    Vector2 start;
    if (!PositionOf(coordinator, entity, start))
        return;
    for (Entity strip : Strips)
    {
        Transform* transform = coordinator.GetComponent<Transform>(strip);
        if (transform == nullptr)
            continue;
        MoveByHand(*transform, Horizontal ? Offset(transform->position, step, 0.0f)
                                          : Offset(transform->position, 0.0f, step));
        const float along = Horizontal ? transform->position.x : transform->position.y;
        if (along > WrapLimit)
            MoveByHand(*transform, start);
    }
}

void bSmokeFill::OnSceneUnload(Coordinator&)
{
}

void bSmokeFill::Deserialize(const rapidjson::Value& object)
{
    FillWidth = Json::Float(object, "FillWidth", FillWidth);
    Top = Json::Bool(object, "Top", Top);
    Horizontal = Json::Bool(object, "Horizontal", Horizontal);
}

void bSmokeFill::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    object.AddMember("FillWidth", static_cast<double>(FillWidth), allocator);
    object.AddMember("Top", Top, allocator);
    object.AddMember("Horizontal", Horizontal, allocator);
}

void bSmokeFill::Inspect()
{
}
