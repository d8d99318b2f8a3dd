#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One entry per loader that reads files a user can damage: the bytes are handed to the loader
// exactly as a file of that kind would be. A loader may refuse them with its error (an assert)
// or a logged skip; anything else (a crash, a hang, unbounded memory) is a fault. The same
// entries run under libFuzzer (one program per loader) and replay their corpus as a test.
namespace LoaderFuzzing
{
using Entry = int (*)(const std::uint8_t* data, std::size_t size);

struct Target
{
    const char* name;  // also the corpus folder's name under tests/fixtures/fuzz
    Entry entry;
    // Where the real files of this kind lie, relative to the build folder, and their ending.
    std::vector<std::string> seedFolders;
    const char* seedEnding;
};

// Every target, in a fixed order.
const std::vector<Target>& Targets();
// The target of this name; null when there is none.
const Target* Find(const std::string& name);

// Quiet asserts and the scripted platform, once per process.
void Prepare();

int Settings(const std::uint8_t* data, std::size_t size);
int Scene(const std::uint8_t* data, std::size_t size);
int Prefab(const std::uint8_t* data, std::size_t size);
int SpritesheetLayout(const std::uint8_t* data, std::size_t size);
int SpritesheetFormat(const std::uint8_t* data, std::size_t size);
int Image(const std::uint8_t* data, std::size_t size);
int Sound(const std::uint8_t* data, std::size_t size);
}
