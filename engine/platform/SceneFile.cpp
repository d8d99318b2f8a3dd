#include "engine/platform/SceneFile.h"

#include "engine/core/Coordinator.h"
#include "engine/core/ISerializable.h"
#include "engine/core/Json.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/EditorHierarchy.h"
#include "engine/platform/EditorState.h"
#include "engine/platform/PrefabFile.h"
#include "engine/platform/native/CaseInsensitivePath.h"
#include "engine/platform/native/Platform.h"
#include "engine/systems/sIdentifierSystem.h"

namespace
{
// Scene data names classes without the registry's "class " prefix.
const std::string ClassPrefix = "class ";

void AddComponents(Coordinator& coordinator, Entity entity, const rapidjson::Value& object)
{
    coordinator.ComponentManager.ForEachContainer([&](const std::string& typeName, cComponentContainerBase&) {
        const std::string key = typeName.substr(ClassPrefix.size());
        const rapidjson::Value* data = Json::Find(object, key.c_str());
        if (data == nullptr)
            return;
        if (!data->IsObject())
            Json::Error(key, "must be an object");
        coordinator.AddComponentByName(typeName, entity)->Deserialize(*data);
    });
}

void AddBehaviour(Coordinator& coordinator, Entity entity, const rapidjson::Value& object)
{
    const rapidjson::Value* data = Json::Find(object, "Behaviour");
    if (data == nullptr)
        return;
    if (!data->IsObject())
        Json::Error("Behaviour", "must be an object");
    const std::string name = Json::String(*data, "NameOfThisBehaviour");
    if (coordinator.BehaviourSystem == nullptr)
        coordinator.ResolveBehaviourSystem();
    std::shared_ptr<IBehaviour> behaviour = coordinator.BehaviourSystem->AddBehaviour(ClassPrefix + name, entity, coordinator);
    if (auto* serializable = dynamic_cast<ISerializable*>(behaviour.get()))
        serializable->Deserialize(*data);
}

void JoinSystems(Coordinator& coordinator, Entity entity, const rapidjson::Value& object)
{
    const rapidjson::Value* systems = Json::OptionalArray(object, "Systems");
    if (systems == nullptr)
        return;
    for (const rapidjson::Value& name : systems->GetArray())
        coordinator.AddEntityToSystemByName(entity, ClassPrefix + Json::AsString(name, "Systems"));
}
}

Entity EntityFromJson(Coordinator& coordinator, const rapidjson::Value& object)
{
    const Entity entity = coordinator.CreateEntity();
    AddComponents(coordinator, entity, object);
    AddBehaviour(coordinator, entity, object);
    JoinSystems(coordinator, entity, object);
    return entity;
}

void LoadScene(const std::string& path, Coordinator& coordinator)
{
    const std::string file = ResolvePathIgnoringCase(path);
    rapidjson::Document document;
    Json::ParseFile(file, document);
    {
        JsonFileScope scope(file);
        const rapidjson::Value& entities = Json::Array(document, "entities");
        for (rapidjson::SizeType i = 0; i < entities.Size(); ++i)
        {
            if (!entities[i].IsObject())
                Json::Error("entities", "element " + std::to_string(i) + " must be an object");
            EntityFromJson(coordinator, entities[i]);
        }
    }
    coordinator.GetSystem<sIdentifierSystem>()->MakeNamesUnique(coordinator);
    coordinator.OnSceneLoaded();
    if (EditorStateInstance() != nullptr)
        RebuildEditorHierarchy();
    coordinator.CursorEntity = InstantiatePrefab(coordinator, "Cursor");
    // The game draws the cursor entity instead.
    CurrentPlatform().HideSystemCursor();
}
