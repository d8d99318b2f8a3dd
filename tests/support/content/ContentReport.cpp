#include "support/content/ContentReport.h"

namespace
{
std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}
}

void ContentReport::Fault(const DataEntity& entity, const std::string& problem)
{
    findings.push_back({entity.file, entity.Label(), problem});
}

void ContentReport::Fault(const std::string& file, const std::string& problem)
{
    findings.push_back({file, "", problem});
}

void ContentReport::Add(std::vector<ContentFinding> more)
{
    for (ContentFinding& finding : more)
        findings.push_back(std::move(finding));
}

void ContentReport::ExpectTexture(const DataEntity& entity, const std::string& texture, const std::string& where)
{
    if (names.textures.count(texture) == 0)
        Fault(entity, where + " names texture " + Quoted(texture) + ", which the generated assets do not have");
}

void ContentReport::ExpectFont(const DataEntity& entity, const std::string& font, const std::string& where)
{
    if (names.fonts.count(font) == 0)
        Fault(entity, where + " names font " + Quoted(font) + ", which the generated assets do not have");
}

void ContentReport::ExpectSound(const DataEntity& entity, const std::string& soundId, const std::string& where)
{
    if (names.sounds.count(soundId) == 0)
        Fault(entity, where + " names sound " + Quoted(soundId) + ", which the generated assets do not have");
}

void ContentReport::ExpectShaderProgram(const DataEntity& entity, const std::string& program, const std::string& where)
{
    if (names.shaderPrograms.count(program) == 0)
        Fault(entity, where + " names shader program " + Quoted(program) + ", which the assets do not have");
}

void ContentReport::ExpectSpritesheet(const DataEntity& entity, const std::string& tag, const std::string& state,
                                      const std::string& where)
{
    if (names.spritesheets.count({tag, state}) == 0)
        Fault(entity, where + " needs spritesheet (" + Quoted(tag) + ", " + Quoted(state) +
                          "), which the generated assets do not have");
}

void ContentReport::ExpectPrefab(const DataEntity& entity, const std::string& prefab, const std::string& where)
{
    if (data.FindPrefab(prefab) == nullptr)
        Fault(entity, where + " names prefab " + Quoted(prefab) + ", which the prefab file does not have");
}
