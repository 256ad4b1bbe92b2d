// The IButton interface: the SDK's GUI widgets (buttons, complex buttons,
// sliders, progress bars, check buttons and input boxes) in 8 layers of 32
// working widgets plus 100 master widgets that clones share pictures with.
// Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IBUTTON_H
#define VELTRANO_IBUTTON_H

#include <SDL.h>

#include "veltrano_types.h"

struct ButtonState;
class Veltrano_CFont;

class VELTRANO_API Veltrano_IButton {
public:
    Veltrano_IButton();
    ~Veltrano_IButton();
    Veltrano_IButton(const Veltrano_IButton&) = delete;
    Veltrano_IButton& operator=(const Veltrano_IButton&) = delete;

    // Creation and archive storage. Ids are returned, -1 on failure.
    int Create(IButtonNew* desc, const char* name, unsigned char master, int dpf);
    int Create(IButtonNew* desc, const char* name, unsigned char master, const char* dpfFile);
    int Load(int dpf, const char* name, unsigned char master);
    int Load(const char* dpfFile, const char* name, unsigned char master);
    unsigned char LoadHeader(int dpf, const char* name, IButtonNew* desc);
    unsigned char LoadHeader(const char* dpfFile, const char* name, IButtonNew* desc);
    int Save(int dpf, const char* name, IButtonNew* desc);
    int Save(const char* dpfFile, const char* name, IButtonNew* desc);
    unsigned char Delete(int dpf, const char* name);
    unsigned char Delete(const char* dpfFile, const char* name);

    // Masters and clones.
    int Clone(int masterId);
    void Remove(int id);
    void RemoveAll();
    void RemoveMaster(int id);

    // Layers.
    void SetLayer(char layer);
    char GetLayer();
    void SetLayerVisibility(char layer, char on);
    char GetLayerVisibility(char layer);
    int GetNum();

    // Properties. `which` selects a picture: 1 normal, 2 selected, 4 pressed,
    // 16 off (0 all four where the setter allows it).
    void SetPosition(int id, int x, int y);
    void SetVisible(int id, unsigned char on);
    void SetState(int id, char state);
    int GetState(int id);
    void SetValue(int id, int value);
    int GetValue(int id);
    int GetRange(int id);
    void SetKey(int id, int key);
    int GetKey(int id);
    void SetMouseButtons(int id, int mask);
    int GetMouseButtons(int id);
    void SetColorSelect(int id, int r, int g, int b);
    void SetColorSelect(int id, int pixel);
    int GetColorSelect(int id);
    void SetFunction(int id, void (*fn)(void*, void*), void* userData1, void* userData2);
    void SetAlpha(int id, int which, int alpha);
    int GetAlpha(int id, int which);
    void SetColorKey(int id, int which, int key);
    void SetColorKey(int id, int which, int r, int g, int b);
    int GetColorKey(int id, int which);
    SDL_Surface* GetSurface(int id, int which);
    void SetTextFont(int id, Veltrano_CFont* font);
    void SetTextRect(int id, SDL_Rect* rect);
    void SetText(int id, const char* text);
    char* GetText(int id);
    void SetName(int id, const char* name);
    char* GetName(int id);

    // Information dump: -2 count only, -1 everything, else one widget.
    int Info(int id);

    // Drawing and queries of the input check.
    int Draw();
    int Check();
    int WhoIsSelected();
    void ForceDraw();

private:
    friend class ButtonHooks;
    // Input check of every widget; once per logic frame of the core's loop.
    void Update();
    // Input boxes borrow their font: a font that is deleted is dropped from
    // every box that uses it, which then draws without text.
    void ForgetFont(Veltrano_CFont* font);

    ButtonState* state;
};

VELTRANO_API extern Veltrano_IButton* IButton;

#endif
