// Colour-space conversions with the values their formulas give.
#include "Veltrano_IPrimitives.h"
#include "imaging/imaging_test_helpers.h"

namespace {

class ColorConversionTest : public imaging_test::ImagingTest {};

TEST_F(ColorConversionTest, HsvBothWays) {
    float h, s, v;
    IPrimitives->RGBtoHSV(255, 0, 0, &h, &s, &v);
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(s, 1);
    EXPECT_FLOAT_EQ(v, 1);
    IPrimitives->RGBtoHSV(0, 0, 0, &h, &s, &v);
    EXPECT_FLOAT_EQ(h, -1);
    EXPECT_FLOAT_EQ(s, 0);
    EXPECT_FLOAT_EQ(v, 0);
    IPrimitives->RGBtoHSV(0, 0, 255, &h, &s, &v);
    EXPECT_FLOAT_EQ(h, 240);
    IPrimitives->RGBtoHSV(255, 0, 128, &h, &s, &v);  // negative hue wraps
    EXPECT_NEAR(h, 329.88f, 0.01f);
    IPrimitives->RGBtoHSV(128, 128, 128, &h, &s, &v);  // grey: no hue
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(s, 0);

    unsigned char r, g, b;
    IPrimitives->HSVtoRGB(120, 1, 1, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 0);
    IPrimitives->HSVtoRGB(0, 0, 0.5f, &r, &g, &b);
    EXPECT_EQ(r, 127);
    EXPECT_EQ(g, 127);
    IPrimitives->HSVtoRGB(330, 1, 1, &r, &g, &b);  // sector 5
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 127);
}

TEST_F(ColorConversionTest, YuvAndYccBothWays) {
    unsigned char y, u, v, r, g, b;
    IPrimitives->RGBtoYUV(0, 0, 0, &y, &u, &v);
    EXPECT_EQ(y, 16);
    EXPECT_EQ(u, 128);
    EXPECT_EQ(v, 128);
    IPrimitives->RGBtoYUV(255, 255, 255, &y, &u, &v);
    EXPECT_EQ(y, 235);
    IPrimitives->RGBtoYUV(0, 0, 255, &y, &u, &v);
    EXPECT_EQ(y, 41);
    EXPECT_EQ(u, 240);
    EXPECT_EQ(v, 110);
    IPrimitives->YUVtoRGB(235, 128, 128, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    IPrimitives->YUVtoRGB(16, 16, 240, &r, &g, &b);  // clamped channels
    EXPECT_EQ(r, 179);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);

    IPrimitives->RGBtoYCC(255, 255, 255, &y, &u, &v);
    EXPECT_EQ(y, 234);  // 234.94 truncated
    EXPECT_EQ(u, 128);
    EXPECT_EQ(v, 128);
    IPrimitives->RGBtoYCC(255, 0, 0, &y, &u, &v);
    EXPECT_EQ(y, 81);
    EXPECT_EQ(u, 90);
    EXPECT_EQ(v, 239);
    IPrimitives->YCCtoRGB(16, 128, 128, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
    IPrimitives->YCCtoRGB(235, 128, 128, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 254);  // 254.99 truncated
}

TEST_F(ColorConversionTest, CmykPercentagesOutAndBytesIn) {
    unsigned char c, m, y, k, r, g, b;
    IPrimitives->RGBtoCMYK(255, 255, 255, &c, &m, &y, &k);
    EXPECT_EQ(c + m + y + k, 0);
    IPrimitives->RGBtoCMYK(0, 0, 0, &c, &m, &y, &k);
    EXPECT_EQ(k, 100);
    EXPECT_EQ(c + m + y, 0);
    IPrimitives->RGBtoCMYK(255, 128, 0, &c, &m, &y, &k);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(m, 50);
    EXPECT_EQ(y, 100);
    EXPECT_EQ(k, 0);
    IPrimitives->CMYKtoRGB(0, 0, 0, 255, &r, &g, &b);
    EXPECT_EQ(r + g + b, 0);
    IPrimitives->CMYKtoRGB(0, 128, 255, 0, &r, &g, &b);  // 50% magenta as a byte
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 127);
    EXPECT_EQ(b, 0);
}

}  // namespace
