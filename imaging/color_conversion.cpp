// Conversions between RGB and the HSV, YUV, YCbCr and CMYK colour spaces.
#include <algorithm>
#include <cmath>

#include "Veltrano_IPrimitives.h"

namespace {

unsigned char Clamp(long value, long low, long high) {
    return static_cast<unsigned char>(std::clamp(value, low, high));
}

// Truncates toward zero, then clamps.
unsigned char TruncClamp(double value, long low, long high) {
    return Clamp(static_cast<long>(value), low, high);
}

// value × 255 as a byte, truncated.
unsigned char Scale255(float value) { return TruncClamp(value * 255.0f, 0, 255); }

}  // namespace

void Veltrano_IPrimitives::RGBtoHSV(unsigned char r, unsigned char g, unsigned char b, float* h, float* s,
                                    float* v) {
    if (h == nullptr || s == nullptr || v == nullptr) return;
    const float red = r / 255.0f, green = g / 255.0f, blue = b / 255.0f;
    const float max = std::max({red, green, blue});
    const float min = std::min({red, green, blue});
    const float delta = max - min;
    *v = max;
    if (max <= 0.0f) {
        *s = 0.0f;
        *h = -1.0f;
        return;
    }
    *s = delta / max;
    // A grey has no hue; 0 rather than a division of 0 by 0.
    if (delta <= 0.0f) {
        *h = 0.0f;
        return;
    }
    float hue;
    if (red == max)
        hue = (green - blue) / delta;
    else if (green != max)
        hue = 4.0f + (red - green) / delta;
    else
        hue = 2.0f + (blue - red) / delta;
    hue *= 60.0f;
    *h = hue < 0.0f ? hue + 360.0f : hue;
}

void Veltrano_IPrimitives::HSVtoRGB(float h, float s, float v, unsigned char* r, unsigned char* g,
                                    unsigned char* b) {
    if (r == nullptr || g == nullptr || b == nullptr) return;
    float red, green, blue;
    if (s == 0.0f) {
        red = green = blue = v;
    } else {
        const float sector = h / 60.0f;
        const float i = std::floor(sector);
        const float f = sector - i;
        const float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
        // Out-of-range or non-finite hues fall to the last case.
        switch (std::isfinite(i) ? static_cast<int>(std::clamp(i, -1.0f, 6.0f)) : 5) {
            case 0: red = v, green = t, blue = p; break;
            case 1: red = q, green = v, blue = p; break;
            case 2: red = p, green = v, blue = t; break;
            case 3: red = p, green = q, blue = v; break;
            case 4: red = t, green = p, blue = v; break;
            default: red = v, green = p, blue = q; break;
        }
    }
    *r = Scale255(red);
    *g = Scale255(green);
    *b = Scale255(blue);
}

void Veltrano_IPrimitives::RGBtoYUV(unsigned char r, unsigned char g, unsigned char b, unsigned char* y,
                                    unsigned char* u, unsigned char* v) {
    if (y == nullptr || u == nullptr || v == nullptr) return;
    const long R = r, G = g, B = b;
    *y = Clamp(((16829 * R + 33039 * G + 6416 * B + 32768) >> 16) + 16, 16, 235);
    *u = Clamp(((28784 * B - 9714 * R - 19071 * G + 32768) >> 16) + 128, 16, 240);
    *v = Clamp(((28784 * R - 24103 * G - 4681 * B + 32768) >> 16) + 128, 16, 240);
}

void Veltrano_IPrimitives::YUVtoRGB(unsigned char y, unsigned char u, unsigned char v, unsigned char* r,
                                    unsigned char* g, unsigned char* b) {
    if (r == nullptr || g == nullptr || b == nullptr) return;
    const long Y = 76309L * (y - 16), U = u - 128, V = v - 128;
    *r = Clamp((Y + 104597 * V + 32768) >> 16, 0, 255);
    *g = Clamp((Y - 53279 * V - 25675 * U + 32768) >> 16, 0, 255);
    *b = Clamp((Y + 132201 * U + 32768) >> 16, 0, 255);
}

void Veltrano_IPrimitives::RGBtoYCC(unsigned char r, unsigned char g, unsigned char b, unsigned char* y,
                                    unsigned char* cb, unsigned char* cr) {
    if (y == nullptr || cb == nullptr || cr == nullptr) return;
    *y = TruncClamp(16 + (65.738 * r + 129.057 * g + 25.0064 * b) / 256, 16, 235);
    *cb = TruncClamp(128 + (112.439 * b - 74.494 * g - 37.945 * r) / 256, 16, 240);
    *cr = TruncClamp(128 + (112.439 * r - 94.154 * g - 18.285 * b) / 256, 16, 240);
}

void Veltrano_IPrimitives::YCCtoRGB(unsigned char y, unsigned char cb, unsigned char cr, unsigned char* r,
                                    unsigned char* g, unsigned char* b) {
    if (r == nullptr || g == nullptr || b == nullptr) return;
    const double Y = 298.082 * y;
    *r = TruncClamp((Y + 408.583 * cr) / 256 - 222.921, 0, 255);
    *g = TruncClamp((Y - 100.291 * cb - 208.12 * cr) / 256 + 135.576, 0, 255);
    *b = TruncClamp((Y + 516.412 * cb) / 256 - 276.836, 0, 255);
}

void Veltrano_IPrimitives::RGBtoCMYK(unsigned char r, unsigned char g, unsigned char b, unsigned char* c,
                                     unsigned char* m, unsigned char* y, unsigned char* k) {
    if (c == nullptr || m == nullptr || y == nullptr || k == nullptr) return;
    const double cyan = 1 - r / 255.0, magenta = 1 - g / 255.0, yellow = 1 - b / 255.0;
    const double black = std::min({cyan, magenta, yellow});
    *k = TruncClamp(black * 100 + 0.5, 0, 100);
    if (black >= 1.0) {
        *c = *m = *y = 0;
        return;
    }
    *c = TruncClamp((cyan - black) / (1 - black) * 100 + 0.5, 0, 100);
    *m = TruncClamp((magenta - black) / (1 - black) * 100 + 0.5, 0, 100);
    *y = TruncClamp((yellow - black) / (1 - black) * 100 + 0.5, 0, 100);
}

void Veltrano_IPrimitives::CMYKtoRGB(unsigned char c, unsigned char m, unsigned char y, unsigned char k,
                                     unsigned char* r, unsigned char* g, unsigned char* b) {
    if (r == nullptr || g == nullptr || b == nullptr) return;
    const double K = k / 255.0;
    auto channel = [K](unsigned char ink) { return TruncClamp((1 - (K + (1 - K) * ink / 255.0)) * 255 + 0.5, 0, 255); };
    *r = channel(c);
    *g = channel(m);
    *b = channel(y);
}
