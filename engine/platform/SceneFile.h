#pragma once
#include "engine/core/EngineTypes.h"

#include <rapidjson/document.h>

#include <string>

class Coordinator;

// Scene files: a JSON object whose "entities" array holds entity objects. An entity object may
// carry one object per component keyed by the component's class name ("Transform", "Renderer",
// ...), a "Behaviour" object naming its class in "NameOfThisBehaviour" (the whole object is
// handed to the behaviour), and "Systems", an array of system class names. Class names carry no
// "class " prefix. Other members are ignored.

// Builds the scene in a cleared world: every entity, unique names, the systems' scene-loaded
// step (Awake and Start of every behaviour), the "Cursor" prefab as the cursor entity, and the
// system cursor hidden. A path that does not exist as written is looked up without regard to
// case. A file that cannot be opened or parsed, a root without an "entities" array, an element
// that is not an object, or a wrongly shaped key ends in the JSON error (entities built before
// it stay).
void LoadScene(const std::string& path, Coordinator& coordinator);

// Builds one entity from an entity object: its components with their data, its behaviour (in a
// running scene it has had Awake and Start before its data is read), then its systems. A system
// that is unknown, or whose components the entity lacks, is left out silently. Keys of the wrong
// shape ("Behaviour" not an object, "NameOfThisBehaviour" not a string, "Systems" not an array
// of strings, a component that is not an object) are the JSON error naming the key.
Entity EntityFromJson(Coordinator& coordinator, const rapidjson::Value& object);
