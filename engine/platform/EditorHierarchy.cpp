#include "engine/platform/EditorHierarchy.h"

#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/platform/EditorState.h"
#include "engine/systems/sIdentifierSystem.h"

#include <algorithm>

namespace
{
// The entity's Identifier; an entity of the identifier system without one is the component
// lookup's "ERROR" assert.
Identifier& IdentifierOf(Coordinator& coordinator, Entity entity)
{
    Identifier* identifier = coordinator.GetComponent<Identifier>(entity);
    AssertFail(identifier == nullptr, "ERROR");
    return *identifier;
}

bool HasRecord(const EditorState& editor, Entity entity)
{
    return std::any_of(editor.hierarchy.begin(), editor.hierarchy.end(),
                       [entity](const HierarchyRecord& record) { return record.entity == entity; });
}
}

void AddEditorHierarchyRecord(const std::string& name, Entity entity)
{
    EditorState* editor = EditorStateInstance();
    if (editor == nullptr || name == "PointerDown")
        return;
    HierarchyRecord record;
    record.name = name;
    record.entity = entity;
    editor->hierarchy.push_back(std::move(record));
}

void RebuildEditorHierarchy()
{
    EditorState* editor = EditorStateInstance();
    if (editor == nullptr || editor->coordinator == nullptr)
        return;
    Coordinator& coordinator = *editor->coordinator;
    sIdentifierSystem& names = *coordinator.GetSystem<sIdentifierSystem>();
    editor->hierarchy.clear();
    for (Entity entity : names.entities)
        if (!HasRecord(*editor, entity))
            AddEditorHierarchyRecord(IdentifierOf(coordinator, entity).name, entity);

    // The transform system is looked up by name: the outliner lists children only of entities
    // that take part in it.
    const sSystemBase* transforms = coordinator.SystemManager.FindSystemByName("class sTransformSystem");
    if (transforms == nullptr)
        return;
    for (Entity entity : transforms->entities)
    {
        const Transform* transform = coordinator.GetComponent<Transform>(entity);
        AssertFail(transform == nullptr, "ERROR");
        for (HierarchyRecord& record : editor->hierarchy)
        {
            if (record.entity != entity)
                continue;
            record.children = transform->childNames;
            for (const std::string& child : record.children)
            {
                const auto [found, childEntity] = names.FindEntityByName(coordinator, child);
                if (!found)
                    continue;
                for (HierarchyRecord& other : editor->hierarchy)
                    if (other.entity == childEntity)
                        other.isChild = true;
            }
        }
    }
}

void RefreshEditorEntityList()
{
    EditorState* editor = EditorStateInstance();
    if (editor == nullptr || editor->coordinator == nullptr)
        return;
    Coordinator& coordinator = *editor->coordinator;
    for (Entity entity : coordinator.GetSystem<sIdentifierSystem>()->entities)
    {
        Identifier& identifier = IdentifierOf(coordinator, entity);
        for (HierarchyRecord& record : editor->hierarchy)
        {
            if (record.entity != entity)
                continue;
            for (HierarchyRecord& other : editor->hierarchy)
                std::replace(other.children.begin(), other.children.end(), record.name, identifier.name);
            record.name = identifier.name;
            identifier.nameEdited = false;
        }
    }
}
