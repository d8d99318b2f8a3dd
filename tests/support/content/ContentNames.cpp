#include "support/content/ContentNames.h"
#include "support/content/WorkingDirectory.h"

#include "engine/core/Coordinator.h"
#include "engine/core/GameStartUp.h"
#include "engine/core/sBehaviourSystem.h"
#include "engine/platform/AssetScan.h"

namespace
{
const std::string ClassPrefix = "class ";

std::string WithoutPrefix(const std::string& typeName)
{
    return typeName.rfind(ClassPrefix, 0) == 0 ? typeName.substr(ClassPrefix.size()) : typeName;
}

void ReadRegistries(Coordinator& world, ContentNames& names)
{
    std::map<ComponentType, std::string> componentOfType;
    world.ComponentManager.ForEachContainer([&](const std::string& typeName, const cComponentContainerBase&) {
        names.components.insert(WithoutPrefix(typeName));
        componentOfType[world.ComponentManager.GetComponentType(typeName)] = WithoutPrefix(typeName);
    });
    world.SystemManager.ForEachSystem([&](const std::string& typeName, const sSystemBase&) {
        const Signature needed = world.SystemManager.GetSignatureByName(typeName);
        std::vector<std::string>& needs = names.systems[WithoutPrefix(typeName)];
        for (const auto& [type, component] : componentOfType)
            if (needed.test(type))
                needs.push_back(component);
    });
    for (const std::string& typeName : world.BehaviourSystem->RegistrationOrder())
        names.behaviours.insert(WithoutPrefix(typeName));
}

void ReadAssets(const ResourceManager& resources, ContentNames& names)
{
    for (const ImageRecord& image : resources.PendingImages)
        names.textures.insert(image.name);
    for (const FontRecord& font : resources.PendingFonts)
        names.fonts.insert(font.name);
    for (const SoundRecord& sound : resources.PendingSounds)
        names.sounds.insert(sound.id);
    for (const ShaderPairRecord& pair : resources.PendingShaderPairs)
        names.shaderPrograms.insert(pair.name);
    for (const SpritesheetRecord& sheet : resources.PendingSpritesheets)
    {
        // The scan records a state folder even without a sheet image (the path then ends in the
        // separator) or without frames; the lookup reports such a sheet as not found.
        const bool hasImage = !sheet.path.empty() && sheet.path.back() != '/' && sheet.path.back() != '\\';
        if (!hasImage || sheet.data.frames.empty())
            continue;
        names.spritesheets.insert(sheet.key);
        names.animationTags.insert(sheet.key.first);
    }
}
}

ContentNames ReadContentNames(const std::filesystem::path& assetRoot)
{
    ContentNames names;
    Coordinator world;
    RegisterEngine(world);
    ReadRegistries(world, names);
    {
        WorkingDirectory inRoot(assetRoot);
        ScanAssets(world.ResourceManager);
    }
    ReadAssets(world.ResourceManager, names);
    return names;
}
