#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Shapes.h"

namespace assetgen
{
// The scene's light: low dusk sun from the upper left of every sprite.
Vec2 LightDirection();

PaintFn Flat(Color c);
// Rounded-volume shading: lighter towards the light, darker away, for a form centred at `centre`.
PaintFn Lit(Color base, Vec2 centre, float radius, float strength = 0.35f);
PaintFn Linear(Vec2 a, Vec2 b, Color ca, Color cb);
PaintFn Radial(Vec2 centre, float radius, Color inner, Color outer);
// Adds value noise of `amount` to a paint (scale = features per pixel).
PaintFn Mottled(PaintFn base, float amount, float scale, int seed);
}
