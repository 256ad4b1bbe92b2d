#include "gui/button_test_helpers.h"

#include "core/mouse_source.h"
#include "support/font_test_helpers.h"

namespace button_test {
namespace {

int mouseX = 0, mouseY = 0;
uint8_t mouseButtons = 0;
int lastDrawResult = -1;

uint8_t ManualState(int* x, int* y) {
    if (x != nullptr) *x = mouseX;
    if (y != nullptr) *y = mouseY;
    return mouseButtons;
}

void DrawWidgets(int) { lastDrawResult = IButton->Draw(); }

void ReleaseAllKeys() {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    for (int i = 0; i < count; ++i) keys[i] = 0;
}

}  // namespace

ManualMouse::ManualMouse() {
    mouseX = mouseY = 0;
    mouseButtons = 0;
    mouse_source::SetStateFunction(ManualState);
}

ManualMouse::~ManualMouse() { mouse_source::SetStateFunction(nullptr); }

void ManualMouse::MoveTo(int x, int y) {
    mouseX = x;
    mouseY = y;
}

void ManualMouse::SetButtons(uint8_t buttons) { mouseButtons = buttons; }

void ButtonTest::SetUp() {
    ASSERT_TRUE(session.Started());
    Veltrano.Config.resolutionx = 320;
    Veltrano.Config.resolutiony = 240;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.window = 1;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    ITimeSystem->Init(0);
    ReleaseAllKeys();
    Veltrano.SetRenderCallback(DrawWidgets);
    archivePath = dir.file("widgets.dpf");
    dpf = IStuffDPF->Create(archivePath.c_str());
    ASSERT_GT(dpf, 0);
}

void ButtonTest::TearDown() {
    VeltranoTesting::ClearInput();
    Veltrano.SetRenderCallback(nullptr);
    ReleaseAllKeys();
    if (dpf > 0) IStuffDPF->Close(dpf);
}

void ButtonTest::StorePicture(const std::string& blockName, int w, int h, uint32_t rgb) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, rgb);
    Veltrano_CTile tile;
    ASSERT_EQ(tile.Create(surface, blockName.c_str()), 1);
    SDL_FreeSurface(surface);
    ASSERT_GT(tile.Save(dpf, "TILB2"), 0);
}

void ButtonTest::StorePictures(const std::string& name, int type, PictureSizes sizes) {
    const int pw = sizes.pressedW ? sizes.pressedW : sizes.w;
    const int ph = sizes.pressedH ? sizes.pressedH : sizes.h;
    StorePicture(name + "_n", sizes.w, sizes.h, kNormalColor);
    StorePicture(name + "_p", pw, ph, kPressedColor);
    StorePicture(name + "_o", sizes.w, sizes.h, kOffColor);
    if (type == 4) StorePicture(name + "_s", sizes.w, sizes.h, kSelectedColor);
}

IButtonNew ButtonTest::Desc(int type, int x, int y) {
    IButtonNew desc{};
    desc.type = static_cast<unsigned char>(type);
    desc.x = static_cast<unsigned short>(x);
    desc.y = static_cast<unsigned short>(y);
    return desc;
}

int ButtonTest::Make(const std::string& name, int type, int x, int y, PictureSizes sizes, unsigned char master) {
    return Make(name, Desc(type, x, y), sizes, master);
}

int ButtonTest::Make(const std::string& name, const IButtonNew& desc, PictureSizes sizes, unsigned char master) {
    StorePictures(name, desc.type, sizes);
    IButtonNew copy = desc;
    return IButton->Create(&copy, name.c_str(), master, dpf);
}

void ButtonTest::Repaint() {
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    Veltrano.RenderNeeded(1);
}

int ButtonTest::Frame() {
    lastDrawResult = -1;
    Veltrano.Update(nullptr);
    return lastDrawResult;
}

void ButtonTest::Click(int x, int y, uint8_t buttons) {
    mouse.MoveTo(x, y);
    mouse.SetButtons(buttons);
    Frame();
    mouse.SetButtons(0);
    Frame();
}

void ButtonTest::PressKey(int key, bool down) { SDL_GetKeyState(nullptr)[key] = down ? 1 : 0; }

uint32_t ButtonTest::ScreenRgb(int x, int y) {
    SDL_Surface* screen = Veltrano.screen;
    SDL_LockSurface(screen);
    const Uint32 pixel = static_cast<Uint32*>(screen->pixels)[y * screen->pitch / 4 + x];
    SDL_UnlockSurface(screen);
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    return static_cast<uint32_t>(r) << 16 | g << 8 | b;
}

bool MakeFont(Veltrano_CFont& font) {
    SDL_Surface* image = font_test::MakeFontImage(font_test::FontImage{});
    const bool made = font.Create(image) > 0;
    SDL_FreeSurface(image);
    return made;
}

void RecordCall(void* log, void*) {
    auto* record = static_cast<CallbackLog*>(log);
    ++record->calls;
    record->stateAtCall = IButton->GetState(record->watchedId);
}

}  // namespace button_test
