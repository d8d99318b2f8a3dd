#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"

#include <string>

class Coordinator;

// Small pieces the squad controller's files share: where the cursor is, showing and hiding a
// marker through its behaviour, sounds, the tutorial's hook and the level's state.

// Key and mouse button codes the controller reads (Windows virtual-key numbers) and key states.
namespace SquadKeys
{
constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int Escape = 27;
constexpr int Alt = 18;
constexpr int Digit1 = 49;
constexpr int Digit5 = 53;
constexpr int Digit7 = 55;

// Key states as Coordinator::GetKeyState reports them.
constexpr int Pressed = 1;
constexpr int Held = 2;
constexpr int ReleasedShort = 3;
constexpr int Completed = 4;
} // namespace SquadKeys

// The cursor's world position (whole world units).
Vector2 CursorWorldPoint(const Coordinator& coordinator);
// The cursor's window position (pixels, y from the bottom).
Vector2 CursorWindowPoint(const Coordinator& coordinator);
// Sets the active flag of the entity's behaviour; nothing for an entity without one.
void SetBehaviourActive(Coordinator& coordinator, Entity entity, bool active);
// Whether the entity has a behaviour and its active flag is set.
bool IsBehaviourActive(Coordinator& coordinator, Entity entity);
// The lowest float in x and y, where a marker hidden by position waits.
void HideByPosition(Coordinator& coordinator, Entity entity);
// Plays a sound effect when the scene has a sound system.
void PlaySound(Coordinator& coordinator, const std::string& id);
// Advances the running tutorial, when there is one.
void AdvanceTutorial(Coordinator& coordinator);
// Whether the scene's level rules exist and are in Deploy.
bool LevelInDeploy();
