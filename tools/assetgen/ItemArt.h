#pragma once
#include "Geometry.h"
#include "Image.h"

namespace assetgen
{
// The small objects that appear both as animated things in the world and as HUD icons.
// Each is drawn centred on `c`, `size` pixels across, turned by `angle`.
void DrawAmmoBox(Image& layer, Vec2 c, float size, float angle);
void DrawMedkit(Image& layer, Vec2 c, float size, float angle);
void DrawGrenade(Image& layer, Vec2 c, float size, float angle);
void DrawMolotov(Image& layer, Vec2 c, float size, float angle, bool lit);
void DrawMagazine(Image& layer, Vec2 c, float size, float angle);
void DrawFlame(Image& layer, Vec2 base, Vec2 up, float height, float width, float flicker, unsigned seed);
}
