#include "engine/components/Matrix3.h"

Matrix3 Matrix3Multiply(const Matrix3& a, const Matrix3& b)
{
    Matrix3 r;
    for (float& value : r.m)
        value = 0.0f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
        {
            float sum = r.m[3 * i + j];
            sum = sum + a.m[3 * i] * b.m[j];
            sum = sum + a.m[3 * i + 1] * b.m[j + 3];
            sum = sum + a.m[3 * i + 2] * b.m[j + 6];
            r.m[3 * i + j] = sum;
        }
    return r;
}
