#include "engine/systems/sAnimationSystem.h"
#include "engine/components/Animation.h"
#include "engine/components/Identifier.h"
#include "engine/core/Coordinator.h"

void sAnimationSystem::Update(Coordinator& coordinator)
{
    cComponentContainer<Animation>& animations = coordinator.ComponentManager.GetContainer<Animation>();
    cComponentContainer<Identifier>& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    for (Entity entity : entities)
    {
        Animation* animation = animations.Find(entity);
        if (animation == nullptr)
            continue;
        animation->timer += coordinator.DeltaTime;
        if (animation->timer >= animation->AnimationSpeed)
        {
            animation->timer = 0.0f;
            ++animation->frameIndex;
        }
        const Identifier* identifier = identifiers.Find(entity);
        if (identifier == nullptr)
            continue;
        key.second = animation->StateNameText();
        for (const std::string& tag : identifier->tags)
        {
            key.first = tag;
            const SpritesheetResult* sheet = coordinator.ResourceManager.GetSpritesheet(
                key, animation->frameIndex, animation->finished, animation->HoldState);
            if (sheet->found)
            {
                animation->AnimationSpeed = sheet->data.frameDelay;
                break;
            }
        }
    }
}
