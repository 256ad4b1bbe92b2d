// Shared fixture and image makers of the font tests.
#ifndef VELTRANO_TESTS_FONT_TEST_HELPERS_H
#define VELTRANO_TESTS_FONT_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <vector>

#include "support/surface_support.h"

namespace font_test {

// Each test runs inside a fresh folder with an initialised SDK (no screen)
// and the log captured at every level.
class FontTest : public ::testing::Test {
protected:
    testing_support::TempDir dir{true};
    testing_support::LogCapture log{5};

    void SetUp() override;
    void TearDown() override;
};

// A font image: row 0 blank (or the magenta mark row), an empty first
// column, then `glyphs` glyphs of widths 1 to 4 (glyph k is 1 + k % 4 wide)
// each followed by `gap` empty columns. Glyph k's ink is a colour of its own
// that fills every column's row 1 and a pattern below.
struct FontImage {
    int depth = 24;          // 16, 24 or 32
    bool alphaChannel = false;  // 32 bits only: an alpha mask, ink opaque
    int height = 9;          // mark row included
    int glyphs = 94;
    int gap = 2;
    bool markRow = false;    // magenta at the top of every gap column
};

int GlyphWidth(int k);
// The first ink column of glyph k, and the image width.
int GlyphStart(const FontImage& spec, int k);
int ImageWidth(const FontImage& spec);
// Glyph k's colour as RGB.
SDL_Color GlyphColor(int k);
// Whether glyph k has ink at (column, row) of its own cell, row 1 first.
bool GlyphInk(int k, int column, int row);

SDL_Surface* MakeFontImage(const FontImage& spec);

// A 24-bit target filled with one colour.
SDL_Surface* MakeTarget(int w, int h, SDL_Color fill);

using testing_support::FirstPixelDifference;
using testing_support::PixelAt;
SDL_Color ColorAt(SDL_Surface* surface, int x, int y);
bool SameColor(SDL_Color a, SDL_Color b);
// Pixels holding red 255, green 0, blue 255.
int CountMagenta(SDL_Surface* surface);

}  // namespace font_test

#endif
