#include "engine/components/Identifier.h"
#include "engine/components/Transform.h"
#include "engine/platform/EditorHierarchy.h"
#include "engine/platform/EditorState.h"
#include "support/CoreWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace
{
// Stands in for the transform system, which the outliner finds by its name.
class sTransformSystem : public sSystemBase
{
public:
    static constexpr const char* ClassName = "sTransformSystem";
    void Update(Coordinator&) override {}
};

struct EditorHierarchyTest : testing::Test
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    EditorState editor;

    void SetUp() override
    {
        coordinator.SystemManager.RegisterSystem<sTransformSystem>();
        coordinator.SystemManager.SetSignature<sTransformSystem>(coordinator.ComponentManager.GetComponentType<Transform>());
        editor.coordinator = &coordinator;
        EditorStateInstance() = &editor;
    }
    void TearDown() override { EditorStateInstance() = nullptr; }

    // A named entity with a Transform listing these children, in both systems.
    Entity Node(const std::string& name, std::vector<std::string> children = {})
    {
        const Entity entity = world.Named(name);
        coordinator.AddComponent<Transform>(entity)->childNames = std::move(children);
        coordinator.AddEntityToSystem<sTransformSystem>(entity);
        return entity;
    }
};
}

TEST_F(EditorHierarchyTest, TheOutlinerListsNamedEntitiesWithTheirChildren)
{
    Node("Player", {"Gun", "Missing"});
    Node("Gun");
    world.Named("PointerDown");
    Node("Lamp");

    RebuildEditorHierarchy();
    ASSERT_EQ(editor.hierarchy.size(), 3u);
    EXPECT_EQ(editor.hierarchy[0].name, "Player");
    EXPECT_THAT(editor.hierarchy[0].children, ElementsAre("Gun", "Missing"));
    EXPECT_FALSE(editor.hierarchy[0].isChild);
    EXPECT_EQ(editor.hierarchy[1].name, "Gun");
    EXPECT_TRUE(editor.hierarchy[1].isChild);
    EXPECT_EQ(editor.hierarchy[2].name, "Lamp");
    EXPECT_EQ(editor.hierarchy[2].entity, 3);

    // A rename reaches the record and every child list that named the old name.
    Identifier& gun = *coordinator.GetComponent<Identifier>(1);
    gun.name = "Rifle";
    gun.nameEdited = true;
    RefreshEditorEntityList();
    EXPECT_EQ(editor.hierarchy[1].name, "Rifle");
    EXPECT_THAT(editor.hierarchy[0].children, ElementsAre("Rifle", "Missing"));
    EXPECT_FALSE(gun.nameEdited);
}

TEST_F(EditorHierarchyTest, WithoutAnEditorTheHooksDoNothing)
{
    Node("Player");
    EditorStateInstance() = nullptr;
    RebuildEditorHierarchy();
    AddEditorHierarchyRecord("Player", 0);
    RefreshEditorEntityList();
    EXPECT_TRUE(editor.hierarchy.empty());
}
