#include "engine/systems/sRendererSystem.h"
#include "engine/components/Identifier.h"
#include "engine/components/Lighting.h"
#include "engine/components/Renderer.h"
#include "engine/components/Transform.h"
#include "engine/core/Coordinator.h"
#include "engine/systems/BuiltInMeshes.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/ShaderVariant.h"
#include "engine/systems/TaggedEntities.h"
#include "engine/systems/sLightingSystem.h"

#include <GL/glew.h>

#include <algorithm>

// Set-up, the scene refresh, light packing and instanced batches. The frame itself is in
// sRendererSystemFrame.cpp.

namespace
{
const std::string AmbientLightTag = "AMBIENTLIGHT";
const std::string SpotLightTag = "SPOTLIGHT";
const std::string InterfaceTag = "UI";
const std::string ButtonTag = "UIBUTTON";
const std::string ImageTag = "IMAGE";
const std::string TextTag = "TEXT";
const std::string AnimatedTag = "ANIMATED";

constexpr GLuint AmbientBinding = 5;
constexpr GLuint SpotBinding = 6;
constexpr GLuint WallBinding = 7;

const sLightingSystem* FindLighting(Coordinator& coordinator)
{
    return dynamic_cast<const sLightingSystem*>(
        coordinator.SystemManager.FindSystemByName(TypeName<sLightingSystem>()));
}

void DeleteBuffer(std::uint32_t& buffer)
{
    if (buffer == 0)
        return;
    glInvalidateBufferData(buffer);
    glDeleteBuffers(1, &buffer);
    buffer = 0;
}

void DeleteVertexArray(std::uint32_t& vertexArray)
{
    if (vertexArray == 0)
        return;
    glDeleteVertexArrays(1, &vertexArray);
    vertexArray = 0;
}

// Whole-block uploads re-specify the buffer, so a block still read by earlier draws never makes
// the upload wait for them.
template <class Block>
void UploadBlock(std::uint32_t buffer, const Block& block)
{
    glNamedBufferData(buffer, sizeof(Block), &block, GL_DYNAMIC_DRAW);
}
}

// --- Set-up ---------------------------------------------------------------------------------------

void sRendererSystem::Init(Coordinator& coordinator)
{
    for (int i = 0; i < BuiltInMeshCount; ++i)
    {
        geometry.push_back(BuiltInMeshGeometry(i));
        meshes.push_back(CreateMesh(geometry.back()));
    }
    ApplyFixedState();
    CreateGridOutline(coordinator);
    CreateLightBuffers();
    CreateStream();
    lightSets.Create();

    const ShaderProgram all = coordinator.ResourceManager.GetShaderProgram("All");
    if (all.handle != 0 && all.linked)
        glUseProgram(all.handle);
    program = all.handle;
    uniforms.Locate(all.linked ? program : 0);

    glActiveTexture(GL_TEXTURE0);
    BindFrameLights();
    initialised = true;
    // Known before the first frame, for the systems that run before the renderer in it.
    coordinator.AspectRatio = WindowAspectRatio();
    AssignRenderKinds(coordinator);
}

void sRendererSystem::ApplyFixedState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(0.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GEQUAL);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void sRendererSystem::CreateGridOutline(Coordinator& coordinator)
{
    glCreateVertexArrays(1, &gridVertexArray);
    glCreateBuffers(1, &gridVertexBuffer);
    glCreateBuffers(1, &gridElementBuffer);
    glEnableVertexArrayAttrib(gridVertexArray, 0);
    glVertexArrayVertexBuffer(gridVertexArray, 0, gridVertexBuffer, 0, 2 * sizeof(float));
    glVertexArrayAttribFormat(gridVertexArray, 0, 2, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(gridVertexArray, 0, 0);
    glVertexArrayElementBuffer(gridVertexArray, gridElementBuffer);
    if (!coordinator.BroadphaseGrid)
        return;

    const std::vector<float> positions = GridOutlineVertices(*coordinator.BroadphaseGrid);
    gridVertexCount = static_cast<int>(positions.size() / 2);
    if (gridVertexCount == 0)
        return;
    // Each vertex also carries the colour (0, 1, 0) after the positions; only positions are read.
    std::vector<float> data = positions;
    for (int i = 0; i < gridVertexCount; ++i)
        data.insert(data.end(), {0.0f, 1.0f, 0.0f});
    std::vector<std::uint32_t> indices(static_cast<std::size_t>(gridVertexCount));
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<std::uint32_t>(i);
    glNamedBufferStorage(gridVertexBuffer, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
                         GL_DYNAMIC_STORAGE_BIT);
    glNamedBufferStorage(gridElementBuffer, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                         indices.data(), GL_DYNAMIC_STORAGE_BIT);
}

void sRendererSystem::CreateLightBuffers()
{
    GLuint buffers[3] = {0, 0, 0};
    glCreateBuffers(3, buffers);
    ambientLightBuffer = buffers[0];
    spotLightBuffer = buffers[1];
    wallBuffer = buffers[2];
    glNamedBufferData(ambientLightBuffer, sizeof(AmbientLightBlock), nullptr, GL_DYNAMIC_DRAW);
    glNamedBufferData(spotLightBuffer, sizeof(SpotLightBlock), nullptr, GL_DYNAMIC_DRAW);
    glNamedBufferData(wallBuffer, sizeof(WallBlock), nullptr, GL_DYNAMIC_DRAW);
}

void sRendererSystem::CreateStream()
{
    glCreateBuffers(1, &streamBuffer);
    GLuint arrays[2] = {0, 0};
    glCreateVertexArrays(2, arrays);
    spriteStream = arrays[0];
    textStream = arrays[1];
    // Sprites read (x, y) as the position (attribute 0) and (u, v) as texture coordinates
    // (attribute 1); text reads all four as its vertex (attribute 6), as the shader contract has it.
    glVertexArrayVertexBuffer(spriteStream, 0, streamBuffer, 0, 4 * sizeof(float));
    glEnableVertexArrayAttrib(spriteStream, 0);
    glVertexArrayAttribFormat(spriteStream, 0, 2, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(spriteStream, 0, 0);
    glEnableVertexArrayAttrib(spriteStream, 1);
    glVertexArrayAttribFormat(spriteStream, 1, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float));
    glVertexArrayAttribBinding(spriteStream, 1, 0);
    glVertexArrayVertexBuffer(textStream, 0, streamBuffer, 0, 4 * sizeof(float));
    glEnableVertexArrayAttrib(textStream, 6);
    glVertexArrayAttribFormat(textStream, 6, 4, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(textStream, 6, 0);
    frameVertices.reserve(4 * 6 * 2048);
    runs.reserve(256);

    GLuint samplers[2] = {0, 0};
    glCreateSamplers(2, samplers);
    clampSampler = samplers[0];
    repeatSampler = samplers[1];
    for (GLuint sampler : samplers)
    {
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    glSamplerParameteri(clampSampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(clampSampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(repeatSampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(repeatSampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void sRendererSystem::Exit()
{
    if (!initialised)
        return;
    for (MeshRecord& mesh : meshes)
        DeleteVertexArray(mesh.vertexArray);
    meshes.clear();
    DeleteVertexArray(gridVertexArray);
    DeleteBuffer(gridVertexBuffer);
    DeleteBuffer(gridElementBuffer);
    DeleteBuffer(ambientLightBuffer);
    DeleteBuffer(spotLightBuffer);
    DeleteBuffer(wallBuffer);
    DeleteVertexArray(spriteStream);
    DeleteVertexArray(textStream);
    DeleteBuffer(streamBuffer);
    streamCapacity = 0;
    for (auto& entry : atlases)
        entry.second.Release();
    atlases.clear();
    const GLuint samplers[2] = {clampSampler, repeatSampler};
    glDeleteSamplers(2, samplers);
    clampSampler = repeatSampler = 0;
    for (ProgramVariant& variant : variants)
    {
        DeleteShaderVariant(variant.program);
        variant = ProgramVariant{};
    }
    lightSets.Release();
    initialised = false;
}

void sRendererSystem::AssignRenderKinds(Coordinator& coordinator)
{
    cComponentContainer<Renderer>& renderers = coordinator.ComponentManager.GetContainer<Renderer>();
    cComponentContainer<Identifier>& identifiers = coordinator.ComponentManager.GetContainer<Identifier>();
    for (Entity entity : entities)
    {
        Renderer* renderer = renderers.Find(entity);
        const Identifier* identifier = identifiers.Find(entity);
        if (renderer != nullptr && identifier != nullptr)
            AssignRenderKind(*renderer, *identifier);
    }
}

void sRendererSystem::AssignRenderKind(Renderer& renderer, const Identifier& identifier)
{
    renderer.renderKindAssigned = true;
    for (const std::string& tag : identifier.tags)
    {
        if (tag == InterfaceTag || tag == ButtonTag || tag == ImageTag)
        {
            renderer.renderKind = 1;
            return;
        }
        if (tag == TextTag)
        {
            renderer.renderKind = 2;
            return;
        }
        if (tag == AnimatedTag)
        {
            renderer.renderKind = 0;
            renderer.animated = true;
        }
    }
}

// --- Lights -----------------------------------------------------------------------------------------

void sRendererSystem::RefreshLightsAndBatches(Coordinator& coordinator)
{
    ambientCount = 0;
    spotCount = 0;
    wallCount = 0;
    CollectTaggedEntities(coordinator, AmbientLightTag, ambientLights);
    CollectTaggedEntities(coordinator, SpotLightTag, spotLights);
    PackAllLights(coordinator);

    for (const std::string& name : instancedTextures)
        BuildInstanceBatch(coordinator, EntitiesWithTexture(coordinator, name), name);
    std::sort(batches.begin(), batches.end(),
              [](const InstanceBatch& a, const InstanceBatch& b) { return a.depth < b.depth; });
    if (Ready() && !batches.empty())
    {
        const ShaderProgram all = coordinator.ResourceManager.GetShaderProgram("All");
        for (std::size_t i = 0; i < batches.size(); ++i)
        {
            const int count = static_cast<int>(batches[i].instanceCount);
            for (int j = 0; j < count; ++j)
            {
                const std::string name = "uOffsets[" + std::to_string(i) + "][" + std::to_string(j) + "]";
                all.SetUniform(name.c_str(), batches[i].offsets[static_cast<std::size_t>(j)]);
            }
        }
    }

    if (const sLightingSystem* lighting = FindLighting(coordinator); lighting != nullptr && !lighting->occluders.empty())
        wallCount = PackWalls(wallBlock, lighting->occluders, nullptr);
    if (ambientCount > 0)
        UploadAmbientLights();
    if (spotCount > 0)
        UploadSpotLights();
    if (wallCount > 0)
        UploadWalls();
    SetLightCounts();
    AssignRenderKinds(coordinator);
}

void sRendererSystem::PackAllLights(Coordinator& coordinator)
{
    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    cComponentContainer<Lighting>& lights = coordinator.ComponentManager.GetContainer<Lighting>();
    for (Entity entity : ambientLights)
    {
        const Transform* transform = transforms.Find(entity);
        const Lighting* light = lights.Find(entity);
        if (transform == nullptr || light == nullptr || !light->enabled)
            continue;
        if (!PackAmbientLight(ambientBlock, ambientCount, transform->position, *light))
            break;
        ++ambientCount;
    }
    for (Entity entity : spotLights)
    {
        const Transform* transform = transforms.Find(entity);
        const Lighting* light = lights.Find(entity);
        if (transform == nullptr || light == nullptr || !light->enabled)
            continue;
        if (!PackSpotLight(spotBlock, spotCount, transform->position, SpotDirection(transform->rotation), *light))
            break;
        ++spotCount;
    }
}

void sRendererSystem::UploadVisibleLights(Coordinator& coordinator)
{
    const Vector2 centre = CameraPosition(coordinator);
    const float halfWidth = coordinator.ViewHeight * coordinator.AspectRatio * 0.5f;
    const float halfHeight = coordinator.ViewHeight * 0.5f;

    wallCount = 0;
    if (const sLightingSystem* lighting = FindLighting(coordinator); lighting != nullptr && !lighting->occluders.empty())
    {
        const ViewRectangle near = ViewRectangle::Around(centre, halfWidth, halfHeight, WallMargin);
        wallCount = PackWalls(wallBlock, lighting->occluders, &near);
        if (wallCount > 0)
            UploadWalls();
    }

    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    cComponentContainer<Lighting>& lights = coordinator.ComponentManager.GetContainer<Lighting>();
    ambientCount = 0;
    const ViewRectangle ambientReach = ViewRectangle::Around(centre, halfWidth, halfHeight, AmbientLightMargin);
    for (Entity entity : ambientLights)
    {
        const Transform* transform = transforms.Find(entity);
        const Lighting* light = lights.Find(entity);
        if (transform == nullptr || light == nullptr || !light->enabled || !ambientReach.Contains(transform->position))
            continue;
        if (!PackAmbientLight(ambientBlock, ambientCount, transform->position, *light))
            break;
        ++ambientCount;
    }
    if (ambientCount > 0)
        UploadAmbientLights();

    spotCount = 0;
    const ViewRectangle spotReach = ViewRectangle::Around(centre, halfWidth, halfHeight, SpotLightMargin);
    for (Entity entity : spotLights)
    {
        const Transform* transform = transforms.Find(entity);
        const Lighting* light = lights.Find(entity);
        if (transform == nullptr || light == nullptr || !light->enabled || !spotReach.Contains(transform->position))
            continue;
        if (!PackSpotLight(spotBlock, spotCount, transform->position, SpotDirection(transform->rotation), *light))
            break;
        ++spotCount;
    }
    if (spotCount > 0)
        UploadSpotLights();
    SetLightCounts();
}

// Before Init there are no buffers: the packed data waits for the next upload.
void sRendererSystem::UploadAmbientLights()
{
    if (Ready())
        UploadBlock(ambientLightBuffer, ambientBlock);
}

void sRendererSystem::UploadSpotLights()
{
    if (Ready())
        UploadBlock(spotLightBuffer, spotBlock);
}

void sRendererSystem::UploadWalls()
{
    if (Ready())
        UploadBlock(wallBuffer, wallBlock);
}

void sRendererSystem::BindFrameLights()
{
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, AmbientBinding, ambientLightBuffer);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, SpotBinding, spotLightBuffer);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, WallBinding, wallBuffer);
}

void sRendererSystem::SetLightCounts()
{
    uniforms.SetFloat(Uniform::NumAmbientLights, static_cast<float>(ambientCount));
    uniforms.SetFloat(Uniform::NumDirectionalLights, static_cast<float>(spotCount));
    uniforms.SetFloat(Uniform::NumWallSegments, static_cast<float>(wallCount));
}

// --- Instanced batches ---------------------------------------------------------------------------------

std::set<Entity> sRendererSystem::EntitiesWithTexture(Coordinator& coordinator, const std::string& textureName)
{
    std::set<Entity> found;
    cComponentContainer<Renderer>& renderers = coordinator.ComponentManager.GetContainer<Renderer>();
    for (Entity entity : entities)
    {
        const Renderer* renderer = renderers.Find(entity);
        if (renderer != nullptr && renderer->textureName == textureName)
            found.insert(entity);
    }
    return found;
}

void sRendererSystem::BuildInstanceBatch(Coordinator& coordinator, const std::set<Entity>& members,
                                         const std::string& textureName)
{
    if (members.empty())
        return;
    cComponentContainer<Renderer>& renderers = coordinator.ComponentManager.GetContainer<Renderer>();
    cComponentContainer<Transform>& transforms = coordinator.ComponentManager.GetContainer<Transform>();
    const Renderer* first = renderers.Find(*members.begin());
    if (first == nullptr)
        return;
    auto existing = std::find_if(batches.rbegin(), batches.rend(),
                                 [&](const InstanceBatch& batch) { return batch.name == textureName; });
    InstanceBatch& batch = existing != batches.rend() ? *existing : batches.emplace_back();
    batch.name = textureName;
    batch.textureName = textureName;
    const bool knownMesh = first->modelID >= 0 && static_cast<std::size_t>(first->modelID) < meshes.size();
    batch.vertexArray = knownMesh ? meshes[static_cast<std::size_t>(first->modelID)].vertexArray : 0;
    batch.primitive = knownMesh ? meshes[static_cast<std::size_t>(first->modelID)].primitive : GL_TRIANGLES;
    batch.opacity = first->opacity;
    batch.lightingFactor = first->lightingFactor;
    batch.depth = first->layer;
    std::copy(std::begin(first->tint), std::end(first->tint), batch.tint);
    batch.ignoreLighting = first->ignoreLighting;
    batch.drawn = false;
    // The shader holds at most MaxInstances offsets per batch.
    int count = 0;
    for (Entity entity : members)
    {
        if (count == InstanceBatch::MaxInstances)
            break;
        const Renderer* renderer = renderers.Find(entity);
        const Transform* transform = transforms.Find(entity);
        if (renderer == nullptr || transform == nullptr)
            continue;
        Matrix3 offset = transform->modelMatrix;
        for (int row = 0; row < 3; ++row)
        {
            offset.m[row] *= renderer->scaleX;
            offset.m[3 + row] *= renderer->scaleY;
        }
        batch.offsets[static_cast<std::size_t>(count++)] = offset;
    }
    batch.instanceCount = static_cast<float>(count);
}

void sRendererSystem::DrawInstanceBatch(Coordinator& coordinator, std::size_t index)
{
    const InstanceBatch& batch = batches[index];
    uniforms.SetFloat(Uniform::Opacity, batch.opacity);
    uniforms.SetFloat(Uniform::BaseLighting, batch.lightingFactor);
    uniforms.SetFloat(Uniform::IgnoreLighting, batch.ignoreLighting ? 1.0f : 0.0f);
    uniforms.SetFloat(Uniform::Depth, batch.depth);
    uniforms.SetVec3(Uniform::Tint, batch.tint);
    uniforms.SetInt(Uniform::BindToCam, 0);
    uniforms.SetFloat(Uniform::Animation, 0.0f);
    uniforms.SetInt(Uniform::TileEnabled, 0);
    uniforms.SetVec2(Uniform::TileSize, 1.0f, 1.0f);
    uniforms.SetInt(Uniform::Instanced, 1);
    uniforms.SetInt(Uniform::InstanceIndex, static_cast<int>(index));
    const GLsizei instances = static_cast<GLsizei>(batch.instanceCount);
    if (batch.vertexArray != 0)
    {
        BindVertexArray(batch.vertexArray);
        if (!batch.textureName.empty())
        {
            uniforms.SetVec3(Uniform::Color, 0.0f, 0.0f, 0.0f);
            uniforms.SetFloat(Uniform::TextureLoaded, 1.0f);
            uniforms.SetInt(Uniform::Type, 2);
            ResourceManager& resources = coordinator.ResourceManager;
            BindTexture(resources.TextureToDraw(resources.GetTexture(batch.textureName).texture, drawingLevel));
            BindSampler(false);
            glDrawElementsInstanced(batch.primitive, 6, GL_UNSIGNED_SHORT, nullptr, instances);
        }
        else
        {
            const MeshRecord& outline = meshes[3];
            uniforms.SetVec3(Uniform::Color, 1.0f, 1.0f, 1.0f);
            uniforms.SetFloat(Uniform::TextureLoaded, 0.0f);
            glDrawArrays(outline.primitive, 0, instances * outline.indexCount);
        }
    }
    uniforms.SetInt(Uniform::Instanced, 0);
}

// --- GL bindings ----------------------------------------------------------------------------------

void sRendererSystem::BindVertexArray(std::uint32_t vertexArray)
{
    if (boundVertexArray == vertexArray)
        return;
    glBindVertexArray(vertexArray);
    boundVertexArray = vertexArray;
}

void sRendererSystem::BindTexture(std::uint32_t texture)
{
    if (boundTexture == texture)
        return;
    glBindTextureUnit(0, texture);
    boundTexture = texture;
}

void sRendererSystem::BindSampler(bool repeat)
{
    const std::uint32_t sampler = repeat ? repeatSampler : clampSampler;
    if (boundSampler == sampler)
        return;
    glBindSampler(0, sampler);
    boundSampler = sampler;
}
