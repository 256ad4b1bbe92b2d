// Fonts from arbitrary bytes. The first byte picks the path:
//   even: the rest is a "FONT2" block (a "FONT" block when bit 1 is set),
//         stored in a fresh archive and loaded; a font that loads is drawn,
//         saved and loaded again;
//   odd:  the rest describes a small surface (font_fuzz_input.h) that is
//         tested and cut; a font that is built is drawn.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "fuzz/font_fuzz_input.h"

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

// The surface described by the bytes (see font_fuzz_input.h), tested and cut.
void CutSurface(const uint8_t* data, size_t size) {
    SDL_Surface* image = FontFuzzSurface(data, size);
    if (image == nullptr) return;
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
