// A first game: a box bouncing across a window under a line of text, for
// 120 logic frames (two seconds); the last frame is saved as minimal.png.
#include <veltrano.h>

#include <cstdlib>

namespace {

Veltrano_CTile* box = nullptr;
int boxX = 0;
int speed = 3;  // pixels per logic frame

// Update calls this whenever a frame is due: it draws the whole frame.
void Render(int) {
    SDL_Surface* screen = Veltrano.screen;
    IPrimitives->BoxRGBA(screen, 0, 0, screen->w, screen->h, 24, 32, 64, 255);
    IPrimitives->HLineRGBA(screen, 0, screen->w - 1, 140, 255, 255, 255, 255);
    box->SetPosition(boxX, 108);
    box->Draw(nullptr, 0);
    Veltrano.ConGetFont()->PutString(screen, 10, 10, "Hello, Veltrano!", nullptr);  // the built-in font
}

}  // namespace

int main() {
    ILogSystem.Init("minimal.log", 2, 5, "Minimal game", nullptr, nullptr, nullptr);
    // The SDK reads no environment: without a display the game picks SDL's
    // headless driver itself. Its desktop has 8 bits, hence colordepth 32.
    if (std::getenv("DISPLAY") == nullptr) setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;
    Veltrano.Config.title = const_cast<char*>("Minimal game");
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    Veltrano.Config.mtfriendly = 1;  // Update sleeps 1 ms instead of spinning
    if (Veltrano.SetVideoMode() != 1) {
        Veltrano.Quit();
        return 1;
    }

    // The box: a surface painted with the primitives, copied into a tile.
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    IPrimitives->BoxRGBA(picture, 0, 0, 32, 32, 255, 200, 0, 255);
    box = new Veltrano_CTile;
    box->Create(picture, "box");
    SDL_FreeSurface(picture);

    ITimeSystem->Init(0);
    ITimeSystem->SetRate(60, 60);  // render and logic frames per second
    Veltrano.SetRenderCallback(Render);
    SDL_Event event;
    for (int frame = 0; frame < 120;) {
        if (Veltrano.Update(&event) == 0) {  // a logic frame: one step of the game
            ++frame;
            boxX += speed;
            if (boxX <= 0 || boxX + box->GetSizeX() >= Veltrano.screen->w) speed = -speed;
            if (Veltrano.GetKeystate(SDLK_ESCAPE)) break;
        } else if (event.type == SDL_QUIT) {
            break;
        }
    }

    IImage->SavePNG("minimal.png", Veltrano.screen, 6);
    delete box;  // the game deletes its tiles, fonts and sprites before Quit
    Veltrano.Quit();
    return 0;
}
