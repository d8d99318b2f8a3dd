#include "engine/systems/TextLayout.h"
#include "engine/components/Font.h"
#include "engine/platform/AssetRecords.h"

Vector2 TextOrigin(const Font& font, Vector2 camera, float windowWidth, float windowHeight)
{
    if (font.screenXPos != 0.0f && font.screenYPos != 0.0f)
        return {camera.x - windowWidth * 0.5f + font.screenXPos, camera.y - windowHeight * 0.5f + font.screenYPos};
    return {font.worldXPos, font.worldYPos};
}

void GlyphQuad(const Glyph& glyph, Vector2 origin, Vector2 pen, float xScale, float yScale, float (&vertices)[24])
{
    const float x = origin.x + pen.x + glyph.bearing.x * xScale;
    const float y = origin.y + pen.y - (glyph.size.y - glyph.bearing.y) * yScale;
    const float w = glyph.size.x * xScale;
    const float h = glyph.size.y * yScale;
    const float quad[24] = {x,     y + h, 0.0f, 0.0f, x,     y, 0.0f, 1.0f, x + w, y,     1.0f, 1.0f,
                            x,     y + h, 0.0f, 0.0f, x + w, y, 1.0f, 1.0f, x + w, y + h, 1.0f, 0.0f};
    for (int i = 0; i < 24; ++i)
        vertices[i] = quad[i];
}

void AdvancePen(const Glyph& glyph, const Font& font, Vector2& pen)
{
    // The advance is in 1/64 pixel; whole pixels are used.
    const float pixels = static_cast<float>(glyph.advance / 64);
    if (font.layout == "Vertical")
        pen.y -= pixels * font.yScale * 1.3f;
    else
        pen.x += pixels * font.xScale;
}
