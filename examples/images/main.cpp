// Images and drawing: paints a picture with the drawing primitives, saves it
// as a PNG file and as an IMG block in an archive, loads both back, shows
// them on the screen with a few more lines on top and saves the screen as
// "screenshot.png".
#include <veltrano.h>

#include <cstdio>
#include <initializer_list>

namespace {

const char kPicturePng[] = "picture.png";
const char kArchive[] = "pictures.dpf";
const char kBlockName[] = "picture";

// A rainbow of boxes, a frame and a fan of lines on a new 32-bit surface.
SDL_Surface* PaintPicture() {
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 160, 120, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (picture == nullptr) return nullptr;
    IPrimitives->BoxRGBA(picture, 0, 0, 160, 120, 16, 16, 40, 255);
    for (int i = 0; i < 8; ++i) {
        unsigned char r, g, b;
        IPrimitives->HSVtoRGB(i * 45.0f, 0.8f, 1.0f, &r, &g, &b);
        const short x = static_cast<short>(10 + i * 18);
        IPrimitives->BoxRGBA(picture, x, 70, static_cast<short>(x + 14), 110, r, g, b, 255);
    }
    IPrimitives->RectangleRGBA(picture, 2, 2, 157, 117, 255, 255, 255, 255);
    for (short x = 10; x <= 150; x += 10) IPrimitives->LineRGBA(picture, 80, 10, x, 60, 255, 220, 0, 255);
    for (short x = 20; x < 140; x += 3) IPrimitives->PutPixelRGBA(picture, x, 64, 255, 255, 255, 255, 1);
    return picture;
}

// The picture as a PNG file and as an IMG block, loaded back from both.
bool RoundTrip(SDL_Surface* picture, SDL_Surface*& fromPng, SDL_Surface*& fromArchive) {
    if (IImage->SavePNG(kPicturePng, picture, 9) != 0) {
        std::printf("Could not write %s: %s\n", kPicturePng, SDL_GetError());
        return false;
    }
    std::remove(kArchive);
    const int stored = IImage->Save(kArchive, kBlockName, picture);
    if (stored <= 0) {
        std::printf("Could not store the picture in %s\n", kArchive);
        return false;
    }
    fromPng = IImage->LoadPNG(kPicturePng);
    sHeaderIPF header{};
    fromArchive = IImage->Load(kArchive, kBlockName, &header);
    if (fromPng == nullptr || fromArchive == nullptr) return false;
    std::printf("Saved %s and the IMG block '%s' (%d bytes stored); loaded back %dx%d at %d bits\n", kPicturePng,
                header.name, stored, header.width, header.height, header.bpp);
    return true;
}

void DrawScreen(SDL_Surface* fromPng, SDL_Surface* fromArchive) {
    SDL_Surface* screen = Veltrano.screen;
    IPrimitives->BoxRGBA(screen, 0, 0, static_cast<short>(screen->w), static_cast<short>(screen->h), 0, 0, 0, 255);
    SDL_Rect left = {0, 60, 0, 0};
    SDL_Rect right = {160, 60, 0, 0};
    Veltrano.Blit(fromPng, nullptr, screen, &left);
    Veltrano.Blit(fromArchive, nullptr, screen, &right);
    IPrimitives->LineRGBA(screen, 0, 0, 319, 239, 0, 255, 128, 255);
    IPrimitives->LineRGBA(screen, 319, 0, 0, 239, 0, 255, 128, 255);
    IPrimitives->RectangleRGBA(screen, 0, 0, 319, 239, 255, 0, 0, 255);
    SDL_Flip(screen);
}

}  // namespace

int main() {
    ILogSystem.Init("images.log", 2, 5, "Images example", nullptr, nullptr, nullptr);
    if (Veltrano.Init(SDL_INIT_VIDEO) != 1) return 1;
    Veltrano.Config.title = const_cast<char*>("Veltrano images");
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    int result = 1;
    SDL_Surface* fromPng = nullptr;
    SDL_Surface* fromArchive = nullptr;
    SDL_Surface* picture = Veltrano.SetVideoMode() == 1 ? PaintPicture() : nullptr;
    if (picture != nullptr && RoundTrip(picture, fromPng, fromArchive)) {
        DrawScreen(fromPng, fromArchive);
        if (IImage->SavePNG("screenshot.png", Veltrano.screen, 9) == 0) {
            std::printf("Saved screenshot.png\n");
            result = 0;
        }
    }
    for (SDL_Surface* s : {picture, fromPng, fromArchive})
        if (s != nullptr) SDL_FreeSurface(s);
    Veltrano.Quit();
    return result;
}
