// Sprites: paints a sheet of two animations (a bouncing ball and a spinning
// bar), makes a sprite of it, stores it in an archive and loads it back,
// clones it, and lets the clones play over a checked floor for a second:
// one walks across with smoothing, one turns and grows through an effect,
// one swings to and fro (Ping-Pong) twice its size. A collision between two of them is reported,
// and the screen is saved as "screenshot.png".
#include <veltrano.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kFrame = 32;
constexpr int kFrames = 6;
const char kArchive[] = "sprites.dpf";

// Row 0: a ball that rises and falls. Row 1: a bar that turns. Black is
// transparent (the colour key of a sprite made from a new surface).
SDL_Surface* PaintSheet() {
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, kFrame * kFrames, kFrame * 2, 32, 0xFF0000, 0xFF00,
                                              0xFF, 0);
    if (sheet == nullptr) return nullptr;
    IPrimitives->BoxRGBA(sheet, 0, 0, static_cast<short>(sheet->w), static_cast<short>(sheet->h), 0, 0, 0, 255);
    for (int f = 0; f < kFrames; ++f) {
        const short left = static_cast<short>(f * kFrame);
        const short lift = static_cast<short>(f * 3);
        IPrimitives->BoxRGBA(sheet, static_cast<short>(left + 8), static_cast<short>(14 - lift),
                             static_cast<short>(left + 24), static_cast<short>(30 - lift), 250, 120, 40, 255);
        IPrimitives->BoxRGBA(sheet, static_cast<short>(left + 11), static_cast<short>(17 - lift),
                             static_cast<short>(left + 15), static_cast<short>(21 - lift), 255, 230, 180, 255);
        const short dx = static_cast<short>(12 - f * 4);
        IPrimitives->LineRGBA(sheet, static_cast<short>(left + 16 - dx), 36, static_cast<short>(left + 16 + dx), 60,
                              80, 200, 255, 255);
        IPrimitives->LineRGBA(sheet, static_cast<short>(left + 17 - dx), 36, static_cast<short>(left + 17 + dx), 60,
                              80, 200, 255, 255);
    }
    return sheet;
}

void PaintFloor() {
    SDL_Surface* screen = Veltrano.screen;
    for (short y = 0; y < screen->h; y += 20)
        for (short x = 0; x < screen->w; x += 20) {
            const unsigned char shade = ((x + y) / 20) % 2 ? 40 : 60;
            IPrimitives->BoxRGBA(screen, x, y, static_cast<short>(x + 20), static_cast<short>(y + 20), shade, shade,
                                 static_cast<unsigned char>(shade + 30), 255);
        }
}

// The sheet made into a sprite, stored as an SPR2 block, and loaded back.
bool MakeAndLoad(Veltrano_CSprite& loaded) {
    SDL_Surface* sheet = PaintSheet();
    Veltrano_CSprite made;
    const int anims = sheet != nullptr ? made.Create(sheet, "walker", kFrame, kFrame) : 0;
    if (sheet != nullptr) SDL_FreeSurface(sheet);
    if (anims != 2) return false;
    made.SetAnimProperties(1, KEEP_VALUE, KEEP_VALUE, kFrame / 2, kFrame - 2, KEEP_VALUE, KEEP_VALUE);
    made.SetAnimProperties(2, SPRITE_ANIM_PINGPONG, KEEP_VALUE, kFrame / 2, kFrame / 2, KEEP_VALUE, KEEP_VALUE);
    made.SetFrameProperties(1, 0, 60);
    std::remove(kArchive);
    if (made.Save(kArchive, "SPR2") <= 0) return false;
    if (loaded.Load(kArchive, "walker", "example") != 2) return false;
    unsigned short frames = 0;
    loaded.GetAnimProperties(1, nullptr, nullptr, &frames, nullptr, nullptr, nullptr, nullptr);
    std::printf("Stored the sprite in %s and loaded back '%s' with 2 animations of %d frames\n", kArchive,
                loaded.GetName(), frames);
    return true;
}

}  // namespace

int main() {
    ILogSystem.Init("sprites.log", 2, 5, "Sprites example", nullptr, nullptr, nullptr);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;
    Veltrano.Config.title = const_cast<char*>("Veltrano sprites");
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    int result = 1;
    if (Veltrano.SetVideoMode() == 1) {
        auto master = std::make_unique<Veltrano_CSprite>();
        if (MakeAndLoad(*master)) {
            std::vector<std::unique_ptr<Veltrano_CSprite>> actors;
            for (int i = 0; i < 3; ++i) {
                actors.push_back(std::make_unique<Veltrano_CSprite>());
                actors.back()->Clone(master.get());
                // The whole floor is painted again every frame, so nothing
                // needs to be put back under the sprites.
                actors.back()->AutoRestore(0);
            }
            Veltrano_CSprite& walker = *actors[0];
            Veltrano_CSprite& spinner = *actors[1];
            Veltrano_CSprite& pulser = *actors[2];
            walker.SetPosition(20, 120, 0);
            spinner.SelectAnim(SPRITE_STATE_NORMAL + 1);
            spinner.SetPosition(160, 60, 0);
            pulser.SelectAnim(SPRITE_STATE_NORMAL + 1);
            pulser.SetAnimFactor(2.0f);
            pulser.SetPosition(206, 104, 0);
            pulser.SetEffect(SPRITE_FX_RESIZE, 1, 2.0, 2.0);
            // A second of frames at 25 a second: the walker goes right, the
            // spinner turns a little more every frame.
            for (int frame = 0; frame < 25; ++frame) {
                walker.SetPosition(20 + frame * 8, 120, 1);
                spinner.SetEffect(frame % 2 ? SPRITE_FX_ROTATE : SPRITE_FX_ROTATERESIZE, 1, frame * 15.0, 1.5);
                PaintFloor();
                for (auto& actor : actors) actor->Draw(nullptr);
                SDL_Flip(Veltrano.screen);
                SDL_Delay(40);
            }
            // The boxes of both frames are outlined on the screen as well.
            const int touching = walker.Collision(&pulser, -1, -1, -1, -1, 1);
            std::printf("The walker at %d,%d %s the pulser at %d,%d\n", walker.GetPosX(), walker.GetPosY(),
                        touching ? "touches" : "does not touch", pulser.GetPosX(), pulser.GetPosY());
            if (IImage->SavePNG("screenshot.png", Veltrano.screen, 9) == 0) {
                std::printf("Saved screenshot.png\n");
                result = 0;
            }
            while (!actors.empty()) actors.pop_back();  // clones before their master
        }
        master.reset();
    }
    Veltrano.Quit();
    return result;
}
