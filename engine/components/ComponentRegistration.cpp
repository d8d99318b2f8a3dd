#include "engine/components/ComponentRegistration.h"
#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"

void RegisterComponents(Coordinator& coordinator)
{
    ComponentManager& components = coordinator.ComponentManager;
    components.RegisterComponent<Transform>();
    components.RegisterComponent<Renderer>();
    components.RegisterComponent<Lighting>();
    components.RegisterComponent<Identifier>();
    components.RegisterComponent<Font>();
    components.RegisterComponent<PhysicsMovement>();
    components.RegisterComponent<PhysicsCollision>();
    components.RegisterComponent<Animation>();
}
