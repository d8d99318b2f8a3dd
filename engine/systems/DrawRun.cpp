#include "engine/systems/DrawRun.h"

#include <algorithm>

bool DrawState::operator==(const DrawState& other) const
{
    auto same3 = [](const float (&a)[3], const float (&b)[3]) { return std::equal(a, a + 3, b); };
    return texture == other.texture && repeat == other.repeat && type == other.type &&
           bindToCamera == other.bindToCamera && opacity == other.opacity &&
           lightingFactor == other.lightingFactor && ignoreLighting == other.ignoreLighting &&
           depth == other.depth && same3(tint, other.tint) && animation == other.animation &&
           frameIndex == other.frameIndex && same3(sheet, other.sheet) && tileEnabled == other.tileEnabled &&
           tileSize[0] == other.tileSize[0] && tileSize[1] == other.tileSize[1] &&
           same3(textColour, other.textColour) && fontType == other.fontType && blend == other.blend &&
           lightSet == other.lightSet;
}
