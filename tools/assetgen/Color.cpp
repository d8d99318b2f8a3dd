#include "Color.h"

namespace assetgen
{
Color Hex(unsigned rgb, float alpha)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f, alpha};
}

Color Mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color Shade(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

Color WithAlpha(Color c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Color Over(Color dst, Color src, float coverage)
{
    float sa = src.a * coverage;
    if (sa <= 0.0f)
        return dst;
    float outA = sa + dst.a * (1.0f - sa);
    if (outA <= 0.0f)
        return {0, 0, 0, 0};
    float dw = dst.a * (1.0f - sa);
    return {(src.r * sa + dst.r * dw) / outA, (src.g * sa + dst.g * dw) / outA, (src.b * sa + dst.b * dw) / outA,
            outA};
}

float Luma(Color c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

Color Desaturate(Color c, float amount)
{
    float l = Luma(c);
    return Mix(c, Color{l, l, l, c.a}, amount);
}
}
