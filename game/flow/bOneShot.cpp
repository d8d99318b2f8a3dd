#include "game/flow/bOneShot.h"

#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/sLightingSystem.h"

namespace
{
// Only the first tag counts: an effect that merely carries a light among other tags is no light.
const std::string AmbientLightTag = "AMBIENTLIGHT";
}

void bOneShot::Awake(Coordinator&)
{
}

void bOneShot::Start(Coordinator&)
{
}

void bOneShot::Update(Coordinator& coordinator)
{
    const Animation* animation = coordinator.GetComponent<Animation>(entity);
    if (DestroyQueued || animation == nullptr || !animation->finished)
        return;
    DestroyQueued = true;
    coordinator.DestroyEntity(entity);
    const Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    if (identifier != nullptr && !identifier->tags.empty() && identifier->tags.front() == AmbientLightTag)
        coordinator.GetSystem<sLightingSystem>()->RefreshLightLists(coordinator);
}

void bOneShot::OnSceneUnload(Coordinator&)
{
}

void bOneShot::Deserialize(const rapidjson::Value&)
{
}

void bOneShot::Serialize(rapidjson::Value&, rapidjson::Document::AllocatorType&) const
{
}

void bOneShot::Inspect()
{
}
