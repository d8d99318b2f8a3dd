#pragma once
#include "engine/core/EngineTypes.h"

#include <string>

// Keep the editor's outliner (EditorState::hierarchy) in step with the scene. Each works on
// EditorStateInstance() and does nothing while there is none.

// Rebuilds the list: one record per named entity (ascending id), each with the child names of
// its Transform; every entity that is some entity's child is marked as a child.
void RebuildEditorHierarchy();

// Appends a record for the entity; the name "PointerDown" is never listed.
void AddEditorHierarchyRecord(const std::string& name, Entity entity);

// After renames: every record takes its entity's current name, child lists follow the rename,
// and the Identifier's name-edited flag is cleared.
void RefreshEditorEntityList();
