#include "engine/platform/ImageLoading.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace
{
std::string BigEndian(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// One PNG chunk; the decoder does not check the CRC, so it is left zero.
std::string Chunk(const char* type, const std::string& data)
{
    return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data + std::string(4, '\0');
}

// The PNG signature and a header for an 8-bit RGBA image of this size.
std::string PngHeader(std::uint32_t width, std::uint32_t height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", BigEndian(width) + BigEndian(height) + "\x08\x06" + std::string(3, '\0'));
}

std::string Written(const std::string& name, const std::string& bytes)
{
    TempWorkingFolder::WriteText(name, bytes);
    return name;
}
}

TEST(ImageLoading, HostileFilesAreRefusedBeforeDecodingWithAReasonNamingTheFile)
{
    TempWorkingFolder folder;
    struct Case
    {
        const char* name;
        std::string path;
        const char* reason;
        bool headerRefused = true; // false: only decoding shows the damage
    };
    const Case cases[] = {
        // Decoded by content: these would reach the JPEG and TGA decoders whatever their name.
        {"10-byte JPEG", Written("jpeg.png", std::string("\xFF\xD8\xFF\xC4\x00\x05\x00\xFF\xFF\xFF", 10)),
         "is not a PNG image"},
        {"18-byte TGA claiming 2 GB", Written("claims.tga", std::string("\0\0\x02\0\0\0\0\0\0\0\0\0\xFF\xFF\xFF\xFF\x20\0", 18)),
         "is not a PNG image"},
        {"empty image data chunk", Written("empty.png", PngHeader(1, 1) + Chunk("IDAT", "") + Chunk("IEND", "")),
         "has an empty image data chunk", false},
        {"zero width", Written("zero.png", PngHeader(0, 4) + Chunk("IDAT", "x") + Chunk("IEND", "")), "has no pixels"},
        {"16,777,216 pixels square, header only", Written("huge.png", PngHeader(1u << 24, 1u << 24) + Chunk("IEND", "")),
         "is larger than 8192 pixels on a side"},
        {"too much decoded", Written("wide.png", PngHeader(8000, 8000) + Chunk("IEND", "")),
         "would take more than"},
        {"cut short", Written("short.png", PngHeader(1, 1) + BigEndian(100) + "IDAT" + "xx"), "is cut short", false},
        {"empty file", Written("nothing.png", ""), "is empty"},
        {"missing", "none.png", "cannot be opened"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const DecodedImage image = DecodeTextureImage(c.path);
        EXPECT_EQ(image.pixels, nullptr);
        EXPECT_EQ(image.width, 0);
        EXPECT_EQ(image.height, 0);
        EXPECT_NE(image.error.find("Image " + c.path + " "), std::string::npos) << image.error;
        EXPECT_NE(image.error.find(c.reason), std::string::npos) << image.error;
        // The loading estimate reads the header alone: it counts nothing for a file whose header
        // is refused, and at most the size allowed for any other.
        int width = -1;
        int height = -1;
        const bool sized = ReadImageSize(c.path, width, height);
        EXPECT_EQ(sized, width * height > 0);
        EXPECT_LE(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, MostImageBytes);
        EXPECT_EQ(sized, !c.headerRefused);
    }
}

TEST(ImageLoading, APngIsDecodedWhateverItsName)
{
    TempWorkingFolder folder;
    TempWorkingFolder::WritePng("picture.bmp", 3, 2, 0x11223344u);
    const DecodedImage image = DecodeTextureImage("picture.bmp");
    ASSERT_NE(image.pixels, nullptr) << image.error;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    int width = 0;
    int height = 0;
    EXPECT_TRUE(ReadImageSize("picture.bmp", width, height));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
}
