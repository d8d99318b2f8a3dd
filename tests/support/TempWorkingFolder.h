#pragma once
#include <filesystem>
#include <string>

// A fresh temporary folder that is the working directory while the object lives, so code that
// opens relative paths ("Resources/...") reads the test's own files. The previous working
// directory comes back and the folder is removed on destruction.
class TempWorkingFolder
{
public:
    TempWorkingFolder();
    ~TempWorkingFolder();
    TempWorkingFolder(const TempWorkingFolder&) = delete;
    TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;

    const std::filesystem::path& Path() const { return root; }

    // Writes a file (creating its folders) relative to the folder.
    static void WriteText(const std::string& relativePath, const std::string& text);
    // Writes an RGBA PNG of the given size; every pixel has the given colour.
    static void WritePng(const std::string& relativePath, int width, int height, unsigned int rgba = 0xFFFFFFFFu);
    // Writes a short real sound file (a tenth of a second of a quiet tone); the format follows
    // the extension: ".ogg" is Ogg Vorbis, anything else WAV.
    static void WriteSound(const std::string& relativePath);
    // Creates a folder (and its parents).
    static void MakeFolder(const std::string& relativePath);

private:
    std::filesystem::path previous;
    std::filesystem::path root;
};
