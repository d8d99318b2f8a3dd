#pragma once
#include <bitset>
#include <cstdint>

// An entity is only an id; 0xFFFF means "none".
using Entity = std::uint16_t;
inline constexpr Entity NO_ENTITY = 0xFFFF;
inline constexpr std::size_t MAX_ENTITIES = 1000;

// One bit per registered component type.
inline constexpr std::size_t MAX_COMPONENTS = 64;
using Signature = std::bitset<MAX_COMPONENTS>;
using ComponentType = std::uint8_t;
