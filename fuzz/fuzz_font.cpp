// Fonts from arbitrary bytes. The first byte picks the path:
//   even: the rest is a "FONT2" block (a "FONT" block when bit 1 is set),
//         stored in a fresh archive and loaded; a font that loads is drawn,
//         saved and loaded again;
//   odd:  the rest describes a small surface (depth, width, height, alpha
//         channel, mark row, then raw pixel bytes) that is tested and cut;
//         a font that is built is drawn.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"

namespace {

std::string folder;
std::string archive;

SDL_Surface* target = nullptr;

void Exercise(Veltrano_CFont& font) {
    SDL_Rect clip{3, 2, 50, 9};
    font.PutString(target, -4, 1, "Fuzz \t\x80\x7f~!|", &clip);
    font.PutStringWithCursor(target, 5, -3, "ab", 9, nullptr, 1);
    font.PutStringXCenter(target, 4, "centre", nullptr);
    font.StringWidth("width \xff of text");
    font.SetCursorAt("cursor", 7);
}

void LoadBlock(const uint8_t* data, size_t size, bool version1) {
    std::remove(archive.c_str());
    const int handle = IStuffDPF->Create(archive.c_str());
    if (handle <= 0) std::abort();
    std::string bytes(reinterpret_cast<const char*>(data), size);
    DPF_BlockData block{};
    std::strcpy(block.name, "input");
    std::strcpy(block.type, version1 ? "FONT" : "FONT2");
    block.storage = 1;  // raw: the fuzzer's bytes are what Load sees
    block.size = static_cast<int>(bytes.size());
    block.data = bytes.data();
    IStuffDPF->AddData(handle, &block);
    Veltrano_CFont font;
    if (font.Load(handle, "input") == 1) {
        Exercise(font);
        if (font.Save(handle, "again") > 0) {
            Veltrano_CFont again;
            if (again.Load(handle, "again") == 1) Exercise(again);
        }
    }
    IStuffDPF->Close(handle);
}

// depth selector, width (2 bytes), height, flags (bit 0 alpha channel,
// bit 1 magenta mark row at the gap columns given by the pixel bytes' low
// bit), then pixel bytes filling rows in memory order.
void CutSurface(const uint8_t* data, size_t size) {
    if (size < 5) return;
    const int depths[4] = {16, 24, 32, 32};
    const int depth = depths[data[0] % 4];
    const int width = 1 + ((data[1] | data[2] << 8) % 1024);
    const int height = 1 + data[3] % 32;
    const bool alpha = depth == 32 && (data[4] & 1);
    const bool markRow = (data[4] & 2) != 0;
    Uint32 r = 0xFF0000, g = 0xFF00, b = 0xFF, a = alpha ? 0xFF000000 : 0;
    if (depth == 16) r = 0xF800, g = 0x07E0, b = 0x001F;
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, depth, r, g, b, a);
    if (image == nullptr) return;
    const size_t pixelBytes = static_cast<size_t>(image->pitch) * height;
    const size_t given = size - 5 < pixelBytes ? size - 5 : pixelBytes;
    std::memcpy(image->pixels, data + 5, given);
    if (markRow) {
        const Uint32 magenta = SDL_MapRGB(image->format, 255, 0, 255);
        auto* row = static_cast<uint8_t*>(image->pixels);
        const int bpp = image->format->BytesPerPixel;
        for (int x = 0; x < width; ++x)
            if (x == 0 || (row[x * bpp] & 1)) std::memcpy(row + x * bpp, &magenta, bpp);
    }
    Veltrano_CFont font;
    font.Test(image);
    if (font.Create(image) == 96) Exercise(font);
    SDL_FreeSurface(image);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_font", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) std::abort();
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_font-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    archive = folder + "/fonts.dpf";
    // Test leaves "FontWithErrors.bmp" in the working folder.
    if (chdir(folder.c_str()) != 0) std::abort();
    std::atexit([] {
        std::remove(archive.c_str());
        std::remove((folder + "/FontWithErrors.bmp").c_str());
        rmdir(folder.c_str());
    });
    target = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 16, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if (data[0] & 1)
        CutSurface(data + 1, size - 1);
    else
        LoadBlock(data + 1, size - 1, (data[0] & 2) != 0);
    return 0;
}
