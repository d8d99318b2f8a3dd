#pragma once
#include <array>
#include <cstdint>

// The uniforms of the "All" program that the renderer sets, in the order their locations are
// looked up.
enum class Uniform : int
{
    TextureLoaded,
    Type,
    Tint,
    Color,
    Depth,
    Opacity,
    Animation,
    Index,
    SpriteSheetData,
    VaoToWorld,
    CamMtxWorldToNDC,
    CamUIMtxWorldToNDC,
    BaseLighting,
    NumAmbientLights,
    NumDirectionalLights,
    NumWallSegments,
    BindToCam,
    ScreenProjection,
    WorldProjection,
    TextColor,
    FontType,
    IgnoreLighting,
    TileEnabled,
    TileSize,
    Instanced,
    InstanceIndex,
    Count
};

// The uniform locations of one program and the values last uploaded to them. A value equal to
// the one the program already holds is not uploaded again; Forget makes the next upload of every
// uniform go through (at the start of a frame, since other code may have touched the program).
// A location of -1 (a uniform the program lacks) ignores every upload.
class RendererUniforms
{
public:
    static constexpr int UniformCount = static_cast<int>(Uniform::Count);

    // Looks every location up in `program` (0 leaves them all at -1) and forgets the values.
    void Locate(std::uint32_t program);
    void Forget();

    void SetInt(Uniform uniform, int value);
    void SetFloat(Uniform uniform, float value);
    void SetVec2(Uniform uniform, float x, float y);
    void SetVec3(Uniform uniform, float x, float y, float z);
    void SetVec3(Uniform uniform, const float (&value)[3]) { SetVec3(uniform, value[0], value[1], value[2]); }
    // Column-major, not transposed.
    void SetMat3(Uniform uniform, const float* value);
    void SetMat4(Uniform uniform, const float* value);

    int Location(Uniform uniform) const { return locations[static_cast<std::size_t>(uniform)]; }
    std::uint32_t Program() const { return program; }

    // The uniform names, in the order of Uniform.
    static const char* Name(Uniform uniform);

private:
    enum class Kind : std::uint8_t
    {
        None,
        Int,
        Float,
        Vec2,
        Vec3,
        Mat3,
        Mat4
    };
    struct Held
    {
        Kind kind = Kind::None;
        std::array<float, 16> values{};
        int intValue = 0;
    };
    // True when the upload can be skipped; otherwise records the new value.
    bool Unchanged(Uniform uniform, Kind kind, const float* values, int count);

    std::uint32_t program = 0;
    std::array<int, UniformCount> locations{};
    std::array<Held, UniformCount> held{};
};
