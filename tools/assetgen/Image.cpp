#include "Image.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>

namespace assetgen
{
Image::Image(int w, int h, Color fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

Color Image::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {0, 0, 0, 0};
    return pixels[static_cast<size_t>(y) * width + x];
}

void Image::Set(int x, int y, Color c)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    pixels[static_cast<size_t>(y) * width + x] = c;
}

void Image::Blend(int x, int y, Color c, float coverage)
{
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f)
        return;
    Color& p = pixels[static_cast<size_t>(y) * width + x];
    p = Over(p, c, std::min(coverage, 1.0f));
}

void Image::Fill(Color c) { std::fill(pixels.begin(), pixels.end(), c); }

void Image::Composite(const Image& src, int x, int y, float opacity)
{
    for (int sy = 0; sy < src.height; ++sy)
    {
        int dy = y + sy;
        if (dy < 0 || dy >= height)
            continue;
        for (int sx = 0; sx < src.width; ++sx)
        {
            int dx = x + sx;
            if (dx < 0 || dx >= width)
                continue;
            Color s = src.pixels[static_cast<size_t>(sy) * src.width + sx];
            if (s.a > 0.0f)
                Blend(dx, dy, s, opacity);
        }
    }
}

Color Image::Sample(float x, float y) const
{
    float fx = x - 0.5f, fy = y - 0.5f;
    int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    float tx = fx - x0, ty = fy - y0;
    auto at = [&](int px, int py) {
        px = std::clamp(px, 0, width - 1);
        py = std::clamp(py, 0, height - 1);
        return pixels[static_cast<size_t>(py) * width + px];
    };
    // Premultiplied interpolation keeps transparent neighbours from darkening the edge.
    Color c[4] = {at(x0, y0), at(x0 + 1, y0), at(x0, y0 + 1), at(x0 + 1, y0 + 1)};
    float w[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
    Color out{0, 0, 0, 0};
    for (int i = 0; i < 4; ++i)
    {
        float wa = w[i] * c[i].a;
        out.r += c[i].r * wa;
        out.g += c[i].g * wa;
        out.b += c[i].b * wa;
        out.a += wa;
    }
    if (out.a > 0)
    {
        out.r /= out.a;
        out.g /= out.a;
        out.b /= out.a;
    }
    return out;
}

Image Image::Resized(int newWidth, int newHeight) const
{
    Image out(newWidth, newHeight);
    float sx = static_cast<float>(width) / newWidth, sy = static_cast<float>(height) / newHeight;
    if (sx <= 1.0f && sy <= 1.0f)
    {
        for (int y = 0; y < newHeight; ++y)
            for (int x = 0; x < newWidth; ++x)
                out.Set(x, y, Sample((x + 0.5f) * sx, (y + 0.5f) * sy));
        return out;
    }
    for (int y = 0; y < newHeight; ++y)
    {
        int y0 = static_cast<int>(y * sy), y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sy));
        for (int x = 0; x < newWidth; ++x)
        {
            int x0 = static_cast<int>(x * sx), x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sx));
            Color acc{0, 0, 0, 0};
            float n = 0;
            for (int yy = y0; yy < y1 && yy < height; ++yy)
                for (int xx = x0; xx < x1 && xx < width; ++xx)
                {
                    Color c = pixels[static_cast<size_t>(yy) * width + xx];
                    acc.r += c.r * c.a;
                    acc.g += c.g * c.a;
                    acc.b += c.b * c.a;
                    acc.a += c.a;
                    n += 1;
                }
            if (acc.a > 0)
                out.Set(x, y, {acc.r / acc.a, acc.g / acc.a, acc.b / acc.a, acc.a / n});
        }
    }
    return out;
}

Image Image::Cropped(int x, int y, int w, int h) const
{
    Image out(w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            out.Set(xx, yy, Get(x + xx, y + yy));
    return out;
}

void Image::ScaleAlpha(float k)
{
    for (Color& c : pixels)
        c.a *= k;
}

std::vector<unsigned char> Image::ToRgba8() const
{
    std::vector<unsigned char> out(pixels.size() * 4, 0);
    auto byte = [](float v) {
        v = v < 0 ? 0 : (v > 1 ? 1 : v);
        return static_cast<unsigned char>(std::lround(v * 255.0f));
    };
    const float clearBelow = 0.5f / 255.0f;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            size_t i = static_cast<size_t>(y) * width + x;
            Color c = pixels[i];
            if (c.a <= clearBelow)
            {
                // A clear pixel takes the colour of its visible neighbours, so that filtering
                // at a sprite's edge does not pull in black.
                Color sum{0, 0, 0, 0};
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                    {
                        Color n = Get(x + dx, y + dy);
                        if (n.a > clearBelow)
                        {
                            sum.r += n.r;
                            sum.g += n.g;
                            sum.b += n.b;
                            sum.a += 1;
                        }
                    }
                if (sum.a > 0)
                {
                    out[i * 4 + 0] = byte(sum.r / sum.a);
                    out[i * 4 + 1] = byte(sum.g / sum.a);
                    out[i * 4 + 2] = byte(sum.b / sum.a);
                }
                continue;
            }
            out[i * 4 + 0] = byte(c.r);
            out[i * 4 + 1] = byte(c.g);
            out[i * 4 + 2] = byte(c.b);
            out[i * 4 + 3] = byte(c.a);
        }
    return out;
}

bool Image::WritePng(const std::string& path) const
{
    std::vector<unsigned char> bytes = ToRgba8();
    return stbi_write_png(path.c_str(), width, height, 4, bytes.data(), width * 4) != 0;
}
}
