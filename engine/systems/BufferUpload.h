#pragma once
#include <cstddef>
#include <cstdint>

// Writes a frame's data into a buffer whose storage is kept from frame to frame and only ever
// grows (to half again what is asked, so that it settles quickly). Re-specifying the storage
// every frame would free and allocate it again each time, and in a software driver that is the
// process's heap growing and shrinking with every frame. The buffer must not be in use by draws
// still pending: the frame's uploads come before its draws.
void UploadGrowing(std::uint32_t buffer, std::size_t& capacity, const void* data, std::size_t size);
