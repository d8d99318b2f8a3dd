#pragma once
#include "support/content/ContentData.h"
#include "support/content/ContentFinding.h"
#include "support/content/ContentNames.h"

#include <string>
#include <vector>

// What rules see and write: the known names, the data, and the findings so far. The Expect
// helpers add a finding naming the file, the entity, where the name sits and what is missing,
// so a rule for a behaviour's fields is one line per field.
class ContentReport
{
public:
    ContentReport(const ContentNames& names, const ContentData& data) : names(names), data(data) {}

    const ContentNames& Names() const { return names; }
    const ContentData& Data() const { return data; }
    const std::vector<ContentFinding>& Findings() const { return findings; }

    void Fault(const DataEntity& entity, const std::string& problem);
    void Fault(const std::string& file, const std::string& problem);
    void Add(std::vector<ContentFinding> more);

    // `where` names the field, as in "Renderer textureName" or "Behaviour HoverTexture".
    void ExpectTexture(const DataEntity& entity, const std::string& texture, const std::string& where);
    void ExpectFont(const DataEntity& entity, const std::string& font, const std::string& where);
    void ExpectSound(const DataEntity& entity, const std::string& soundId, const std::string& where);
    void ExpectShaderProgram(const DataEntity& entity, const std::string& program, const std::string& where);
    void ExpectSpritesheet(const DataEntity& entity, const std::string& tag, const std::string& state,
                           const std::string& where);
    // A prefab of that name in the prefab file.
    void ExpectPrefab(const DataEntity& entity, const std::string& prefab, const std::string& where);

private:
    const ContentNames& names;
    const ContentData& data;
    std::vector<ContentFinding> findings;
};
