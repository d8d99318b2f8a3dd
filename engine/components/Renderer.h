#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <cstdint>
#include <string>

class Coordinator;

// What makes an entity visible: shader program, built-in mesh, texture, layer, tint, opacity,
// lighting, size and tiling, plus the tint flash and the fields the renderer derives from tags.
class Renderer : public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "Renderer";
    static constexpr int MeshCount = 9;

    // Resets to the defaults, then reads "shaderName", "modelID" (integer 0..8), "textureName"
    // and "layer" (required) and the optional keys; "tintR" brings "tintG" and "tintB".
    void Deserialize(const rapidjson::Value& object) override;
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Shows the named texture: textureName takes the name and textureSize the texture's half width
    // and half height from the resource manager, whose lookup decides about a name it lacks.
    void SetTexture(Coordinator& coordinator, std::string name);

    std::string shaderName;
    std::int32_t modelID = 0;
    std::string textureName;
    float layer = 0.0f;
    float fillPercent = 100.0f;
    float opacity = 1.0f;
    float tint[3] = {1.0f, 1.0f, 1.0f};
    float baseTint[3] = {1.0f, 1.0f, 1.0f};
    bool tintFlashActive = false;
    float tintFlashTime = 0.0f;
    float lightingFactor = 1.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    Vector2 textureSize;
    bool ignoreLighting = false;
    bool tileMode = false;
    float tileSizeX = 1.0f;
    float tileSizeY = 1.0f;
    std::int32_t renderKind = 0; // 0 sprite, 1 image or button, 2 text
    bool animated = false;
    // The renderer has read the entity's tags for its kind; an element that joins the renderer
    // after its scene loaded (a text shown later) is read when it is first drawn.
    bool renderKindAssigned = false;
};
