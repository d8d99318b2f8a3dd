#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/PhysicsMovement.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Json.h"
#include "support/AssertCapture.h"
#include "support/CoreWorld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using testing::ElementsAre;

namespace
{
// One component read from JSON text: the check runs on a good read; a malformed row names the
// key that the JSON error must report.
struct JsonCase
{
    const char* component;
    const char* json;
    const char* errorKey; // null: the read succeeds
    std::function<void(ISerializable&)> check = nullptr;
    std::function<void(ISerializable&)> before = nullptr; // state the read starts from
};

template <class T, class Check>
std::function<void(ISerializable&)> As(Check check)
{
    return [check](ISerializable& component) { check(dynamic_cast<T&>(component)); };
}

const std::string RequiredRenderer = R"("shaderName": "All", "modelID": 1, "textureName": "wall", "layer": 2)";
const std::string RequiredCollision = R"("IsMovable": true, "IsTrigger": false, "cLayer": 3, "cHeight": 10, "cWidth": 40, "ColliderType": 1)";
const std::string FontKeys = R"("message": "Hi", "screenXPos": 100, "screenYPos": 0, "worldXPos": 5, "worldYPos": 6, "xScale": 1, "yScale": 1.0, "colorR": 1, "colorG": 0.5, "colorB": 0, "layout": "Horizontal")";

std::string Wrap(const std::string& members) { return "{" + members + "}"; }

std::vector<JsonCase> Cases()
{
    static const std::string renderer = Wrap(RequiredRenderer);
    static const std::string rendererFull = Wrap(RequiredRenderer + R"(, "fillPercent": 50, "opacity": 0.5, "tintR": 0.1, "tintG": 0.2, "tintB": 0.3, "lightingFactor": 0, "ignoreLighting": true, "scaleX": 64, "scaleY": 32.5, "tileMode": 1, "tileSizeX": 2, "tileSizeY": 3)");
    static const std::string rendererBadModel = Wrap(R"("shaderName": "All", "modelID": 9, "textureName": "t", "layer": 0)");
    static const std::string rendererNegModel = Wrap(R"("shaderName": "All", "modelID": -1, "textureName": "t", "layer": 0)");
    static const std::string rendererFracModel = Wrap(R"("shaderName": "All", "modelID": 1.5, "textureName": "t", "layer": 0)");
    static const std::string rendererHalfTint = Wrap(RequiredRenderer + R"(, "tintR": 0.5)");
    static const std::string collision = Wrap(RequiredCollision + R"(, "Offset_Y": 12, "IsReflective": 1)");
    static const std::string collisionFull = Wrap(RequiredCollision + R"(, "Offset_X": -4, "IsReflective": true, "Ignore": "PLAYER")");
    static const std::string collisionBadType = Wrap(R"("IsMovable": true, "IsTrigger": 1, "cLayer": 0, "cHeight": 1, "cWidth": 1, "ColliderType": 3)");
    static const std::string collisionFracLayer = Wrap(R"("IsMovable": true, "IsTrigger": 1, "cLayer": 1.5, "cHeight": 1, "cWidth": 1, "ColliderType": 0)");
    static const std::string collisionNoTrigger = Wrap(R"("IsMovable": true, "cLayer": 0, "cHeight": 1, "cWidth": 1, "ColliderType": 0)");
    static const std::string font = Wrap(FontKeys + R"(, "type": "DejaVuSans")");
    static const std::string fontNoType = Wrap(FontKeys);

    return {
        // Transform
        {"Transform", R"({"xPos": 1, "yPos": 2.5, "xScale": 3, "yScale": 4, "rot": 90, "ParentID": "Root", "Children": ["A", "B", "A"]})", nullptr,
         As<Transform>([](Transform& t) {
             EXPECT_EQ(t.position.x, 1.0f);
             EXPECT_EQ(t.position.y, 2.5f);
             EXPECT_EQ(t.scale.x, 3.0f);
             EXPECT_EQ(t.scale.y, 4.0f);
             EXPECT_EQ(t.rotation, 1.5707964f);
             EXPECT_EQ(t.previousPosition.x, 1.0f);
             EXPECT_EQ(t.previousPosition.y, 2.5f);
             EXPECT_EQ(t.parentName, "Root");
             EXPECT_THAT(t.childNames, ElementsAre("A", "B"));
         })},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1, "rot": 450, "Children": ["B"]})", nullptr,
         As<Transform>([](Transform& t) {
             EXPECT_EQ(t.rotation, 6.2831898f) << "clamped, not wrapped";
             EXPECT_EQ(t.parentName, "Old") << "absent ParentID keeps the name";
             EXPECT_THAT(t.childNames, ElementsAre("A", "B")) << "children are appended without repeats";
         }),
         As<Transform>([](Transform& t) {
             t.parentName = "Old";
             t.childNames = {"A", "B"};
         })},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1, "rot": -90})", nullptr,
         As<Transform>([](Transform& t) { EXPECT_EQ(t.rotation, 0.0f); })},
        {"Transform", R"({"yPos": 0, "xScale": 1, "yScale": 1, "rot": 0})", "xPos"},
        {"Transform", R"({"xPos": "1", "yPos": 0, "xScale": 1, "yScale": 1, "rot": 0})", "xPos"},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1})", "rot"},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1, "rot": 0, "Children": "A"})", "Children"},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1, "rot": 0, "Children": ["A", 2]})", "Children"},
        {"Transform", R"({"xPos": 0, "yPos": 0, "xScale": 1, "yScale": 1, "rot": 0, "ParentID": 7})", "ParentID"},

        // Renderer
        {"Renderer", renderer.c_str(), nullptr,
         As<Renderer>([](Renderer& r) {
             EXPECT_EQ(r.shaderName, "All");
             EXPECT_EQ(r.modelID, 1);
             EXPECT_EQ(r.textureName, "wall");
             EXPECT_EQ(r.layer, 2.0f);
             EXPECT_EQ(r.fillPercent, 100.0f);
             EXPECT_EQ(r.opacity, 1.0f);
             EXPECT_THAT(r.tint, ElementsAre(1.0f, 1.0f, 1.0f));
             EXPECT_THAT(r.baseTint, ElementsAre(1.0f, 1.0f, 1.0f));
             EXPECT_EQ(r.lightingFactor, 1.0f);
             EXPECT_EQ(r.scaleX, 1.0f);
             EXPECT_EQ(r.scaleY, 1.0f);
             EXPECT_FALSE(r.tileMode);
             EXPECT_EQ(r.tileSizeX, 1.0f);
             EXPECT_FALSE(r.ignoreLighting);
             EXPECT_FALSE(r.tintFlashActive) << "a read resets the runtime fields";
             EXPECT_EQ(r.textureSize.x, 0.0f);
             EXPECT_EQ(r.renderKind, 0);
         }),
         As<Renderer>([](Renderer& r) {
             r.tintFlashActive = true;
             r.tintFlashTime = 1.0f;
             r.textureSize = {8, 8};
             r.renderKind = 2;
             r.animated = true;
         })},
        {"Renderer", rendererFull.c_str(), nullptr,
         As<Renderer>([](Renderer& r) {
             EXPECT_EQ(r.fillPercent, 50.0f);
             EXPECT_EQ(r.opacity, 0.5f);
             EXPECT_THAT(r.tint, ElementsAre(0.1f, 0.2f, 0.3f));
             EXPECT_THAT(r.baseTint, ElementsAre(0.1f, 0.2f, 0.3f));
             EXPECT_EQ(r.lightingFactor, 0.0f);
             EXPECT_TRUE(r.ignoreLighting);
             EXPECT_EQ(r.scaleX, 64.0f);
             EXPECT_EQ(r.scaleY, 32.5f);
             EXPECT_FALSE(r.tileMode) << "only the literal true is true";
             EXPECT_EQ(r.tileSizeY, 3.0f);
         })},
        {"Renderer", rendererBadModel.c_str(), "modelID"},
        {"Renderer", rendererNegModel.c_str(), "modelID"},
        {"Renderer", rendererFracModel.c_str(), "modelID"},
        {"Renderer", rendererHalfTint.c_str(), "tintG"},
        {"Renderer", R"({"modelID": 0, "textureName": "t", "layer": 0})", "shaderName"},
        {"Renderer", R"({"shaderName": "All", "modelID": 0, "textureName": "t", "layer": "top"})", "layer"},

        // Lighting
        {"Lighting", R"({"radius": 300})", nullptr,
         As<Lighting>([](Lighting& l) {
             EXPECT_EQ(l.radius, 300.0f);
             EXPECT_THAT(l.color, ElementsAre(1.0f, 1.0f, 1.0f));
             EXPECT_THAT(l.intensity, ElementsAre(1.0f, 1.0f, 1.0f));
             EXPECT_THAT(l.baseIntensity, ElementsAre(0.0f, 0.0f, 0.0f));
             EXPECT_TRUE(l.enabled);
             EXPECT_EQ(l.lifeSpan, 0.0f);
         })},
        {"Lighting", R"({"radius": 1, "colorR": 0.9, "colorG": 0.8, "colorB": 0.7, "intensityR": 0.5, "intensityG": 0.4, "intensityB": 0.3, "enabled": 1, "lifeSpan": 2})", nullptr,
         As<Lighting>([](Lighting& l) {
             EXPECT_THAT(l.color, ElementsAre(0.9f, 0.8f, 0.7f));
             EXPECT_THAT(l.intensity, ElementsAre(0.5f, 0.4f, 0.3f));
             EXPECT_THAT(l.baseIntensity, ElementsAre(0.5f, 0.4f, 0.3f));
             EXPECT_FALSE(l.enabled);
             EXPECT_EQ(l.lifeSpan, 2.0f);
         })},
        {"Lighting", R"({"colorR": 1, "colorG": 1, "colorB": 1})", "radius"},
        {"Lighting", R"({"radius": 1, "colorR": 1, "colorB": 1})", "colorG"},
        {"Lighting", R"({"radius": 1, "intensityR": 1, "intensityG": 1})", "intensityB"},

        // Identifier
        {"Identifier", R"({"type": "Zombie", "tags": "A, B"})", nullptr,
         As<Identifier>([](Identifier& i) {
             EXPECT_EQ(i.name, "Zombie");
             EXPECT_THAT(i.tags, ElementsAre("OLD", "A", " B")) << "appended, not trimmed";
         }),
         As<Identifier>([](Identifier& i) { i.tags = {"OLD"}; })},
        {"Identifier", R"({"type": "Box", "tags": "A,B,"})", nullptr,
         As<Identifier>([](Identifier& i) { EXPECT_THAT(i.tags, ElementsAre("A", "B")); })},
        {"Identifier", R"({"type": "Box", "tags": ""})", nullptr,
         As<Identifier>([](Identifier& i) { EXPECT_TRUE(i.tags.empty()); })},
        {"Identifier", R"({"tags": "A"})", "type"},
        {"Identifier", R"({"type": "Box", "tags": 5})", "tags"},

        // Font
        {"Font", font.c_str(), nullptr,
         As<Font>([](Font& f) {
             EXPECT_EQ(f.message, "Hi");
             EXPECT_EQ(f.screenXPos, 100.0f);
             EXPECT_EQ(f.worldYPos, 6.0f);
             EXPECT_EQ(f.xScale, 1.0f);
             EXPECT_EQ(f.yScale, 1.0f);
             EXPECT_THAT(f.color, ElementsAre(1.0f, 0.5f, 0.0f));
             EXPECT_EQ(f.layout, "Horizontal");
             EXPECT_EQ(f.type, "DejaVuSans");
         })},
        {"Font", fontNoType.c_str(), "type"},
        {"Font", R"({"message": 3})", "message"},

        // PhysicsMovement
        {"PhysicsMovement", R"({"xVel": 1, "yVel": -2.5, "Speed": 300, "AccelToVelDirection": 1})", nullptr,
         As<PhysicsMovement>([](PhysicsMovement& m) {
             EXPECT_EQ(m.velocity.x, 1.0f);
             EXPECT_EQ(m.velocity.y, -2.5f);
             EXPECT_EQ(m.Speed, 300.0f);
             EXPECT_FALSE(m.AccelToVelDirection);
             EXPECT_EQ(m.mass, 1.0f);
         }),
         As<PhysicsMovement>([](PhysicsMovement& m) { m.AccelToVelDirection = true; })},
        {"PhysicsMovement", R"({"xVel": 0, "yVel": 0, "Speed": 1})", nullptr,
         As<PhysicsMovement>([](PhysicsMovement& m) { EXPECT_TRUE(m.AccelToVelDirection) << "absent keeps"; }),
         As<PhysicsMovement>([](PhysicsMovement& m) { m.AccelToVelDirection = true; })},
        {"PhysicsMovement", R"({"xVel": 0, "yVel": 0})", "Speed"},
        {"PhysicsMovement", R"({"xVel": true, "yVel": 0, "Speed": 1})", "xVel"},

        // PhysicsCollision
        {"PhysicsCollision", collision.c_str(), nullptr,
         As<PhysicsCollision>([](PhysicsCollision& c) {
             EXPECT_EQ(c.colliderType, ColliderCircle);
             EXPECT_EQ(c.shapeData.size.x, 40.0f);
             EXPECT_EQ(c.shapeData.size.y, 10.0f);
             EXPECT_EQ(c.shapeData.radius, 20.0f);
             EXPECT_EQ(c.shapeData.layer, 3);
             EXPECT_TRUE(c.isMovable);
             EXPECT_FALSE(c.isTrigger);
             EXPECT_FALSE(c.isReflective) << "only the literal true is true";
             EXPECT_EQ(c.offset.x, 0.0f);
             EXPECT_EQ(c.offset.y, 12.0f);
             EXPECT_TRUE(c.handled.empty()) << "a read resets the runtime fields";
             EXPECT_TRUE(c.ignoreTag.empty());
             EXPECT_FALSE(c.extentsSwapped);
             EXPECT_FALSE(c.screenPlaced);
             EXPECT_EQ(c.shapeData.angle, 0.0f);
             EXPECT_EQ(c.shape, &c.shapeData);
         }),
         As<PhysicsCollision>([](PhysicsCollision& c) {
             c.handled = {1, 2};
             c.ignoreTag = "WALL";
             c.extentsSwapped = true;
             c.screenPlaced = true;
             c.shapeData.angle = 1.0f;
         })},
        {"PhysicsCollision", collisionFull.c_str(), nullptr,
         As<PhysicsCollision>([](PhysicsCollision& c) {
             EXPECT_TRUE(c.isReflective);
             EXPECT_EQ(c.offset.x, -4.0f);
             EXPECT_EQ(c.offset.y, 0.0f);
             EXPECT_EQ(c.ignoreTag, "PLAYER");
         })},
        {"PhysicsCollision", collisionBadType.c_str(), "ColliderType"},
        {"PhysicsCollision", collisionFracLayer.c_str(), "cLayer"},
        {"PhysicsCollision", collisionNoTrigger.c_str(), "IsTrigger"},

        // Animation
        {"Animation", R"({"AnimationTag": "Zombie", "AnimationSpeed": 1, "AnimationState": 11, "HoldState": true})", nullptr,
         As<Animation>([](Animation& a) {
             EXPECT_EQ(a.AnimationTag, "Zombie");
             EXPECT_EQ(a.AnimationSpeed, 1.0f);
             EXPECT_EQ(a.AnimationState, 12);
             EXPECT_EQ(a.GetStateName(), "GreenBloodDamage");
             EXPECT_TRUE(a.HoldState);
         })},
        {"Animation", R"({"AnimationState": 12})", nullptr,
         As<Animation>([](Animation& a) { EXPECT_EQ(a.AnimationState, 13); })},
        {"Animation", R"({"AnimationState": 5, "HoldState": 1})", nullptr,
         As<Animation>([](Animation& a) {
             EXPECT_EQ(a.AnimationState, 7) << "untranslated numbers leave the state";
             EXPECT_FALSE(a.HoldState);
             EXPECT_EQ(a.AnimationTag, "Kept") << "absent keys keep their fields";
         }),
         As<Animation>([](Animation& a) {
             a.AnimationState = 7;
             a.AnimationTag = "Kept";
         })},
        {"Animation", R"({})", nullptr,
         As<Animation>([](Animation& a) {
             EXPECT_EQ(a.AnimationState, 0);
             EXPECT_EQ(a.AnimationTag, "");
         })},
        {"Animation", R"({"AnimationState": 2.5})", "AnimationState"},
        {"Animation", R"({"AnimationTag": 4})", "AnimationTag"},
    };
}
}

TEST(ComponentJson, EveryComponentReadsItsKeysAndRejectsMalformedOnes)
{
    int row = 0;
    for (const JsonCase& c : Cases())
    {
        SCOPED_TRACE(testing::Message() << "row " << row++ << ": " << c.component << " " << c.json);
        CoreWorld world;
        const Entity entity = world.coordinator.CreateEntity();
        ISerializable& component = *world.coordinator.AddComponentByName(std::string("class ") + c.component, entity);
        if (c.before)
            c.before(component);
        rapidjson::Document document;
        document.Parse(c.json);
        ASSERT_FALSE(document.HasParseError());

        JsonFileScope file("scene.json");
        testing::internal::CaptureStderr();
        const std::string message = AssertMessageOf([&] { component.Deserialize(document); });
        const std::string stderrText = testing::internal::GetCapturedStderr();
        if (c.errorKey == nullptr)
        {
            EXPECT_EQ(message, "");
            c.check(component);
            continue;
        }
        EXPECT_EQ(message, "JSON ERROR");
        EXPECT_NE(stderrText.find(std::string("scene.json: \"") + c.errorKey + "\""), std::string::npos) << stderrText;
    }
}

TEST(ComponentJson, RegistrationFixesTheEntryTypeIds)
{
    CoreWorld world;
    const ComponentManager& components = world.coordinator.ComponentManager;
    EXPECT_EQ(components.GetComponentType<Transform>(), 0);
    EXPECT_EQ(components.GetComponentType<Renderer>(), 1);
    EXPECT_EQ(components.GetComponentType<Lighting>(), 2);
    EXPECT_EQ(components.GetComponentType<Identifier>(), 3);
    EXPECT_EQ(components.GetComponentType<Font>(), 4);
    EXPECT_EQ(components.GetComponentType<PhysicsMovement>(), 5);
    EXPECT_EQ(components.GetComponentType<PhysicsCollision>(), 6);
    EXPECT_EQ(components.GetComponentType<Animation>(), 7);
}

TEST(ComponentJson, NewComponentsHoldTheirDefaults)
{
    const Font font;
    EXPECT_EQ(font.type, "BebasNeue-Regular");
    EXPECT_EQ(font.message, "");
    EXPECT_EQ(font.xScale, 0.0f);
    EXPECT_THAT(font.color, ElementsAre(0.0f, 0.0f, 0.0f));
    const Identifier identifier;
    EXPECT_EQ(identifier.name, "GameObject");
    const Transform transform;
    EXPECT_EQ(transform.scale.x, 0.0f);
    EXPECT_THAT(transform.modelMatrix.m, testing::Each(0.0f));
    const PhysicsMovement movement;
    EXPECT_EQ(movement.timeStep, 1.0f / 60.0f);
    EXPECT_EQ(movement.mass, 1.0f);
}

TEST(ComponentJson, WrittenFormsOmitWhatIsNotSaved)
{
    rapidjson::Document document(rapidjson::kObjectType);
    auto& allocator = document.GetAllocator();

    Transform transform;
    transform.rotation = 1.5707964f;
    rapidjson::Value written(rapidjson::kObjectType);
    transform.Serialize(written, allocator);
    EXPECT_NEAR(written["rot"].GetDouble(), 90.0, 1e-4);
    EXPECT_STREQ(written["ParentID"].GetString(), "");
    EXPECT_FALSE(written.HasMember("Children"));

    Identifier identifier;
    rapidjson::Value named(rapidjson::kObjectType);
    identifier.Serialize(named, allocator);
    EXPECT_FALSE(named.HasMember("tags"));
    identifier.tags = {"A", "B"};
    rapidjson::Value tagged(rapidjson::kObjectType);
    identifier.Serialize(tagged, allocator);
    EXPECT_STREQ(tagged["tags"].GetString(), "A,B");

    PhysicsCollision collider;
    collider.isReflective = true;
    rapidjson::Value collision(rapidjson::kObjectType);
    collider.Serialize(collision, allocator);
    EXPECT_FALSE(collision.HasMember("IsReflective"));

    Animation animation;
    animation.AnimationState = 12;
    rapidjson::Value animated(rapidjson::kObjectType);
    animation.Serialize(animated, allocator);
    EXPECT_EQ(animated["AnimationState"].GetInt(), 12) << "written untranslated";
}
