#include "Filters.h"

#include "Rng.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen
{
namespace
{
struct Premul
{
    float r, g, b, a;
};

void BoxPass(std::vector<Premul>& data, int w, int h, int radius, bool horizontal)
{
    std::vector<Premul> out(data.size());
    int len = horizontal ? w : h, lines = horizontal ? h : w;
    float inv = 1.0f / static_cast<float>(2 * radius + 1);
    for (int line = 0; line < lines; ++line)
    {
        auto at = [&](int i) -> const Premul& {
            i = std::clamp(i, 0, len - 1);
            return horizontal ? data[static_cast<size_t>(line) * w + i] : data[static_cast<size_t>(i) * w + line];
        };
        Premul sum{0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i)
        {
            const Premul& p = at(i);
            sum.r += p.r;
            sum.g += p.g;
            sum.b += p.b;
            sum.a += p.a;
        }
        for (int i = 0; i < len; ++i)
        {
            Premul& o = horizontal ? out[static_cast<size_t>(line) * w + i] : out[static_cast<size_t>(i) * w + line];
            o = {sum.r * inv, sum.g * inv, sum.b * inv, sum.a * inv};
            const Premul& add = at(i + radius + 1);
            const Premul& sub = at(i - radius);
            sum.r += add.r - sub.r;
            sum.g += add.g - sub.g;
            sum.b += add.b - sub.b;
            sum.a += add.a - sub.a;
        }
    }
    data.swap(out);
}
}

void Blur(Image& image, int radius)
{
    if (radius <= 0)
        return;
    int w = image.Width(), h = image.Height();
    std::vector<Premul> data(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            Color c = image.Get(x, y);
            data[static_cast<size_t>(y) * w + x] = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
        }
    int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass)
    {
        BoxPass(data, w, h, r, true);
        BoxPass(data, w, h, r, false);
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const Premul& p = data[static_cast<size_t>(y) * w + x];
            if (p.a > 1e-6f)
                image.Set(x, y, {p.r / p.a, p.g / p.a, p.b / p.a, std::min(p.a, 1.0f)});
            else
                image.Set(x, y, {0, 0, 0, 0});
        }
}

Image WithOutline(const Image& image, float width, Color color)
{
    int w = image.Width(), h = image.Height();
    int reach = static_cast<int>(std::ceil(width));
    int pw = w + 2 * reach;
    // Alpha with a clear border, so the taps need no bounds checks.
    std::vector<float> alpha(static_cast<size_t>(pw) * (h + 2 * reach), 0.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            alpha[static_cast<size_t>(y + reach) * pw + x + reach] = image.Get(x, y).a;
    struct Tap
    {
        std::ptrdiff_t offset;
        float weight;
    };
    std::vector<Tap> taps;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
        {
            float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
            float weight = Clamp01(width + 0.5f - d);
            if (weight > 0)
                taps.push_back({static_cast<std::ptrdiff_t>(dy) * pw + dx, weight});
        }
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const float* centre = &alpha[static_cast<size_t>(y + reach) * pw + x + reach];
            float a = 0;
            for (const Tap& t : taps)
            {
                float s = centre[t.offset] * t.weight;
                if (s > a)
                    a = s;
            }
            if (a > 0)
                out.Set(x, y, WithAlpha(color, a * color.a));
        }
    out.Composite(image, 0, 0);
    return out;
}

Image SilhouetteShadow(const Image& image, Vec2 offset, int blur, Color color)
{
    Image out(image.Width(), image.Height());
    int ox = static_cast<int>(std::lround(offset.x)), oy = static_cast<int>(std::lround(offset.y));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
        {
            float a = image.Get(x - ox, y - oy).a;
            if (a > 0)
                out.Set(x, y, WithAlpha(color, a * color.a));
        }
    Blur(out, blur);
    return out;
}

void MapPixels(Image& image, const std::function<Color(Color, int, int)>& fn)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            image.Set(x, y, fn(image.Get(x, y), x, y));
}

void Vignette(Image& image, float strength, float reach)
{
    float cx = image.Width() * 0.5f, cy = image.Height() * 0.5f;
    MapPixels(image, [&](Color c, int x, int y) {
        float dx = (x + 0.5f - cx) / cx, dy = (y + 0.5f - cy) / cy;
        float d = std::sqrt(dx * dx + dy * dy) / 1.41421356f;
        float k = 1.0f - strength * Smoothstep(1.0f - reach, 1.0f, d);
        return Shade(c, k);
    });
}

void Grain(Image& image, float strength, unsigned seed)
{
    Rng rng(static_cast<std::uint64_t>(seed) * 7919u + 17u);
    MapPixels(image, [&](Color c, int, int) {
        float n = rng.Signed() * strength;
        return Color{c.r + n, c.g + n, c.b + n, c.a};
    });
}
}
