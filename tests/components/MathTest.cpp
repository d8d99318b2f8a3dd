#include "engine/components/Matrix2.h"
#include "engine/components/Matrix3.h"
#include "support/AssertCapture.h"

#include <gtest/gtest.h>

TEST(Matrix2, MultiplyVectorAndColumns)
{
    const Matrix2 identity;
    const Vector2 v = identity.MultiplyVector({3.5f, -2.0f});
    EXPECT_EQ(v.x, 3.5f);
    EXPECT_EQ(v.y, -2.0f);

    Matrix2 quarterTurn;
    quarterTurn.Column(0) = {0.0f, 1.0f};
    quarterTurn.Column(1) = {-1.0f, 0.0f};
    const Vector2 turned = quarterTurn.MultiplyVector({1.0f, 0.0f});
    EXPECT_EQ(turned.x, 0.0f);
    EXPECT_EQ(turned.y, 1.0f);

    for (int bad : {2, -1, 7})
        EXPECT_EQ(AssertMessageOf([&] { quarterTurn.Column(bad); }), "BAD VALUE MATRIX2 = " + std::to_string(bad));
}

TEST(Matrix2, SumsInSinglePrecisionOrder)
{
    Matrix2 m;
    m.Column(0) = {1e8f, 0.0f};
    m.Column(1) = {1.0f, 0.0f};
    // m0*x + m2*y in float: 1e8 + 1 rounds back to 1e8.
    EXPECT_EQ(m.MultiplyVector({1.0f, 1.0f}).x, 1e8f);
}

namespace
{
Matrix3 Make(std::initializer_list<float> values)
{
    Matrix3 m;
    int i = 0;
    for (float v : values)
        m.m[i++] = v;
    return m;
}
}

TEST(Matrix3, MultiplyAppliesTheCalledMatrixFirst)
{
    const Matrix3 b = Make({1, 2, 3, 4, 5, 6, 7, 8, 9});
    const Matrix3 identity;
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_EQ(Matrix3Multiply(identity, b).m[i], b.m[i]);
        EXPECT_EQ(Matrix3Multiply(b, identity).m[i], b.m[i]);
    }
    // A translation by (x, y) multiplied with B: columns 0 and 1 of B, column 2 = B (x, y, 1).
    const Matrix3 translation = Make({1, 0, 0, 0, 1, 0, 10, 20, 1});
    const Matrix3 r = Matrix3Multiply(translation, b);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(r.m[i], b.m[i]);
    EXPECT_EQ(r.m[6], 1 * 10 + 4 * 20 + 7 * 1.0f);
    EXPECT_EQ(r.m[7], 2 * 10 + 5 * 20 + 8 * 1.0f);
    EXPECT_EQ(r.m[8], 3 * 10 + 6 * 20 + 9 * 1.0f);
}

TEST(Matrix3, ExactSinglePrecisionSequence)
{
    // ((0 + a0*b0) + a1*b3) + a2*b6 in float; a fused or reordered sum gives another value.
    const Matrix3 a = Make({0.1f, 0.2f, 0.3f, 1, 0, 0, 0, 0, 1});
    const Matrix3 b = Make({0.7f, 0, 0, 1.3f, 0, 0, 1.9f, 0, 0});
    float expected = 0.0f;
    expected = expected + 0.1f * 0.7f;
    expected = expected + 0.2f * 1.3f;
    expected = expected + 0.3f * 1.9f;
    EXPECT_EQ(Matrix3Multiply(a, b).m[0], expected);
}
