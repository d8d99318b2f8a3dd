#include "engine/components/Matrix2.h"
#include "engine/core/Assert.h"

static void CheckColumnIndex(int index)
{
    if (index < 0 || index > 1)
        Assert("BAD VALUE MATRIX2 = " + std::to_string(index));
}

Vector2& Matrix2::Column(int index)
{
    CheckColumnIndex(index);
    return columns[index];
}

const Vector2& Matrix2::Column(int index) const
{
    CheckColumnIndex(index);
    return columns[index];
}

Vector2 Matrix2::MultiplyVector(const Vector2& v) const
{
    const float components[2] = {v.x, v.y};
    Vector2 result{0.0f, 0.0f};
    for (int i = 0; i < 2; ++i)
    {
        const Vector2& column = Column(i);
        result.x = result.x + column.x * components[i];
        result.y = result.y + column.y * components[i];
    }
    return result;
}
