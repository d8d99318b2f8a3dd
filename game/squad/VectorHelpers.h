#pragma once
#include "engine/components/Vector2.h"

// v / |v|, the length taken in double precision.
Vector2 NormalizeVector2(const Vector2& v);
