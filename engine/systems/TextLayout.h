#pragma once
#include "engine/components/Vector2.h"

struct Glyph;
class Font;

// Where a text starts: its screen position taken from the camera's lower-left window corner when
// both screen coordinates are non-zero, its world position otherwise.
Vector2 TextOrigin(const Font& font, Vector2 camera, float windowWidth, float windowHeight);

// The six vertices (x, y, u, v) of one glyph's quad, two counter-clockwise triangles, for the
// pen position relative to the origin.
void GlyphQuad(const Glyph& glyph, Vector2 origin, Vector2 pen, float xScale, float yScale, float (&vertices)[24]);

// Moves the pen past the glyph: rightwards by its advance in whole pixels for a horizontal
// layout, downwards by 1.3 times that for the layout "Vertical".
void AdvancePen(const Glyph& glyph, const Font& font, Vector2& pen);
