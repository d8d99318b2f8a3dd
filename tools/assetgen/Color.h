#pragma once

namespace assetgen
{
// Straight (not premultiplied) RGBA, each channel 0 to 1.
struct Color
{
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// 0xRRGGBB.
Color Hex(unsigned rgb, float alpha = 1.0f);
Color Mix(Color a, Color b, float t);
// Multiplies the colour channels (k > 1 lightens), keeping alpha.
Color Shade(Color c, float k);
Color WithAlpha(Color c, float alpha);
// src drawn over dst with an extra coverage factor.
Color Over(Color dst, Color src, float coverage = 1.0f);
float Luma(Color c);
Color Desaturate(Color c, float amount);
}
