#include "game/squad/VectorHelpers.h"

Vector2 NormalizeVector2(const Vector2& v)
{
    return v;
}
