#include "engine/core/CommaList.h"
#include "engine/systems/TagFilter.h"
#include "support/CoreWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace
{
struct NamesCase
{
    const char* what;
    std::vector<std::string> names; // in id order
    std::vector<std::string> expected;
};
}

TEST(Identifier, MakeNamesUnique)
{
    const std::string thirtyDigits = "Tag123456789012345678901234567890";
    const NamesCase cases[] = {
        {"lowest id keeps the plain name", {"Zombie", "Zombie", "Zombie"}, {"Zombie", "Zombie1", "Zombie2"}},
        {"starts from the trailing number", {"Door2", "Door3", "Door2"}, {"Door2", "Door3", "Door4"}},
        {"leading zeros dropped", {"Box007", "Box007"}, {"Box007", "Box7"}},
        {"digits only", {"42", "42"}, {"42", "43"}},
        {"above 1000 keeps its name", {"Crate1500", "Crate1500"}, {"Crate1500", "Crate1500"}},
        {"exactly 1000 finds the next free", {"Crate1000", "Crate1000"}, {"Crate1000", "Crate1001"}},
        {"999 may pass 1000", {"Box999", "Box999", "Box999"}, {"Box999", "Box1000", "Box1001"}},
        {"long digit runs never overflow", {thirtyDigits, thirtyDigits}, {thirtyDigits, thirtyDigits}},
        {"long zero runs read small", {"P0000000000000000000000000000005", "P0000000000000000000000000000005"},
         {"P0000000000000000000000000000005", "P5"}},
        {"a renamed name is taken", {"A", "A", "A1"}, {"A", "A2", "A1"}},
        {"distinct names untouched", {"A", "B", ""}, {"A", "B", ""}},
    };
    for (const NamesCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        CoreWorld world;
        std::vector<Entity> ids;
        for (const std::string& name : c.names)
            ids.push_back(world.Named(name));
        world.names->MakeNamesUnique(world.coordinator);
        std::vector<std::string> result;
        for (Entity id : ids)
            result.push_back(world.coordinator.GetComponent<Identifier>(id)->name);
        EXPECT_EQ(result, c.expected);
    }
}

TEST(Identifier, TheLowestIdKeepsAContestedNameWhateverTheCreationOrder)
{
    CoreWorld world;
    for (int i = 0; i < 3; ++i)
        world.Named("Old" + std::to_string(i));
    world.coordinator.DestroyEntity(0);
    world.coordinator.ProcessDestroyedEntities();
    world.coordinator.GetComponent<Identifier>(2)->name = "Marker";
    const Entity recycled = world.Named("Marker"); // reuses id 0
    ASSERT_EQ(recycled, 0);
    world.names->MakeNamesUnique(world.coordinator);
    EXPECT_EQ(world.coordinator.GetComponent<Identifier>(0)->name, "Marker");
    EXPECT_EQ(world.coordinator.GetComponent<Identifier>(2)->name, "Marker1");
}

TEST(Identifier, LookupsSeeOnlyMembersAndCompareExactly)
{
    CoreWorld world;
    Coordinator& coordinator = world.coordinator;
    const Entity outsider = coordinator.CreateEntity();
    Identifier* hidden = coordinator.AddComponent<Identifier>(outsider);
    hidden->name = "Soldier";
    hidden->tags = {"PLAYER"};
    const Entity a = world.Named("Soldier");
    const Entity b = world.Named("Soldier");
    coordinator.GetComponent<Identifier>(a)->tags = {"PLAYER", "PLAYER1"};
    coordinator.GetComponent<Identifier>(b)->tags = {"ENEMY", "PLAYER"};

    EXPECT_EQ(world.names->FindEntityByName(coordinator, "Soldier"), std::make_pair(true, a));
    EXPECT_EQ(world.names->FindEntityByName(coordinator, "soldier"), std::make_pair(false, Entity{0}));
    EXPECT_THAT(world.names->FindEntitiesWithTag(coordinator, "PLAYER"), ElementsAre(a, b));
    EXPECT_TRUE(world.names->FindEntitiesWithTag(coordinator, "Player").empty());

    world.names->MakeNamesUnique(coordinator);
    EXPECT_EQ(hidden->name, "Soldier") << "non-members keep duplicate names";
    EXPECT_EQ(coordinator.GetComponent<Identifier>(b)->name, "Soldier1");

    EXPECT_THAT(FilterEntitiesByTag(coordinator, {b, outsider, a, b, 999}, "PLAYER"), ElementsAre(b, outsider, a, b));
}

TEST(Identifier, CommaListsAndTagRemoval)
{
    struct Row
    {
        const char* text;
        std::vector<std::string> pieces;
    };
    const Row rows[] = {
        {"A,B", {"A", "B"}}, {"A,,B", {"A", "", "B"}}, {",A", {"", "A"}},
        {"A,B,", {"A", "B"}}, {"", {}},            {"A, B", {"A", " B"}},
    };
    for (const Row& row : rows)
    {
        std::vector<std::string> out = {"kept"};
        SplitCommaList(row.text, out);
        std::vector<std::string> expected = {"kept"};
        expected.insert(expected.end(), row.pieces.begin(), row.pieces.end());
        EXPECT_EQ(out, expected) << row.text;
    }

    Identifier identifier;
    identifier.tags = {"A", "B", "A", "C"};
    identifier.RemoveTag("A");
    EXPECT_THAT(identifier.tags, ElementsAre("B", "A", "C"));
    identifier.RemoveTag("Z");
    EXPECT_EQ(identifier.tags.size(), 3u);
}
