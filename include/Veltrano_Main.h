// The core object: configuration, screen, mouse state, start-up and shut-down.
#ifndef VELTRANO_MAIN_H
#define VELTRANO_MAIN_H

#include <cstdarg>
#include <string>
#include <vector>

#include <SDL.h>
#include "veltrano_types.h"

struct CoreState;
class Veltrano_CFont;

class VELTRANO_API Veltrano_Main {
public:
    using sConfig = ::sConfig;

    Veltrano_Main();
    ~Veltrano_Main();
    Veltrano_Main(const Veltrano_Main&) = delete;
    Veltrano_Main& operator=(const Veltrano_Main&) = delete;

    // Start-up and shut-down.
    int Init(unsigned int flags);
    void Quit();
    void CleanUp();

    // Version queries.
    void PrintVersion();
    char* GetVersion();
    char* GetCopyright();
    int RequireVersion(int major, int minor);

    // Processor name (at least 59 bytes of buffer).
    int GetCPUName(char* buffer);

    // CRC-32, random numbers and directories.
    unsigned int CRC32(const char* buffer, int length);
    unsigned int CRC32(const char* fileName);
    void RandSeed(unsigned int seed);
    unsigned int Rand();
    double RandReal();
    int MakeDirectory(const char* path);

    // Video mode, surfaces and blitting.
    int SetVideoMode();
    void FreeSurface(SDL_Surface*& surface);
    int Blit(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    int IsGL();
    int IsTexture(SDL_Surface* surface);
    int Surface2Texture(SDL_Surface* surface);
    int SurfaceAutomaticConversion(int on);
    void VideoInfo();
    void AudioInfo();
    void SurfaceInfo(SDL_Surface* surface);

    // The frame loop: events, logic and render pacing, input.
    int Update(SDL_Event* event);
    void SetRenderCallback(void (*callback)(int));
    float GetLogicTime();
    void RenderNeeded(int n);
    int IsRenderNeeded();
    int GetKeystate(int key);
    int GetKeyPressed(int delay);
    char* GetKeyName(int key);

    // The developer console: a text window with a command line, made by
    // every SetVideoMode (created disabled and hidden) and destroyed by the
    // next one and by Quit. Before it exists every call does nothing and
    // getters give 0 or null (ConGetAlpha 255). Setters, output and commands
    // also do nothing while it is disabled; ConTitle, ConEnable, ConDisable,
    // ConFeatures and ConAddCmdHandler work on a disabled console.
    void ConTitle(const char* title);
    void ConEnable();
    void ConDisable();
    unsigned char ConisEnabled();
    // Fades in (v > 0) or out; immediate with features bit 2.
    void ConSetVisible(char v);
    // 0 hidden, 1 shown, 33 fading in, 223 fading out.
    unsigned char ConisVisible();
    void ConSetFont(const char* dpfFile, const char* block);
    void ConSetFont(int dpfHandle, const char* block);
    Veltrano_CFont* ConGetFont();
    void ConResize(short w, short h);
    void ConMove(short x, short y);
    SDL_Rect* ConGetRect();
    void ConSetBgColor(unsigned char r, unsigned char g, unsigned char b);
    void ConSetBgColor(unsigned int pixel);
    unsigned int ConGetBgColor();
    void ConSetBgImage(const char* dpfFile, const char* block);
    void ConSetBgImage(int dpfHandle, const char* block);
    SDL_Surface* ConGetBgImage();
    void ConSetAlpha(unsigned char alpha);
    unsigned char ConGetAlpha();
    // One new line of text; callable from any thread (lines from other
    // threads appear on the game's next logic frame).
    void ConPrint(const char* fmt, ...);
    void ConvPrint(const char* fmt, va_list args);
    void ConNewCmdLine();
    // The handler gets the words of the line (word 0 the name) and returns
    // non-zero when it handled them. Name and description are kept by
    // reference. 0 for null arguments or a name already registered.
    int ConAddCmdHandler(const char* name, const char* description, int (*handler)(std::vector<std::string>*));
    // Runs a command line without echoing or remembering it.
    void ConCmd(const char* text);
    // Toggles the given feature bits (-1 only reads); returns the features.
    // Bit 0: the backquote key does not open the console; bit 1: no command
    // line; bit 2: showing and hiding without a fade.
    int ConFeatures(int bits);

    // The debug watch window: the same calls on the second window, plus the
    // watches it shows twice a second. Names and values are kept by reference.
    void DwTitle(const char* title);
    void DwEnable();
    void DwDisable();
    unsigned char DwisEnabled();
    void DwSetVisible(char v);
    unsigned char DwisVisible();
    void DwSetFont(const char* dpfFile, const char* block);
    void DwSetFont(int dpfHandle, const char* block);
    Veltrano_CFont* DwGetFont();
    void DwResize(short w, short h);
    void DwMove(short x, short y);
    SDL_Rect* DwGetRect();
    void DwSetBgColor(unsigned char r, unsigned char g, unsigned char b);
    void DwSetBgColor(unsigned int pixel);
    unsigned int DwGetBgColor();
    void DwSetBgImage(const char* dpfFile, const char* block);
    void DwSetBgImage(int dpfHandle, const char* block);
    SDL_Surface* DwGetBgImage();
    void DwSetAlpha(unsigned char alpha);
    unsigned char DwGetAlpha();
    // 0 for a null name, two null values or a name already watched.
    int DwAddWatch(const char* name, int* intValue, double* doubleValue);
    int DwRemoveWatch(const char* name);

    // XML documents: up to 10 open at a time, each reached by a handle (1..10)
    // with a cursor on one of its elements. Texts returned belong to the
    // document and stay valid until it is changed or closed.
    int XMLOpen(const char* fileName);
    int XMLOpen(int dpf, const char* block);
    int XMLOpen(const char* dpfFile, const char* block);
    int XMLCreate(const char* rootName);
    void XMLClose(int handle);
    int XMLSave(int handle, const char* fileName);
    int XMLSave(int handle, int dpf, const char* block);
    int XMLSave(int handle, const char* dpfFile, const char* block);
    int XMLNodeFirst(int handle);
    int XMLNodeNext(int handle);
    int XMLNodePrev(int handle);
    int XMLNodeParent(int handle);
    int XMLNodeChild(int handle);
    int XMLNodeStore(int handle);
    int XMLNodeRestore(int handle);
    int XMLNodePointTo(int handle, int count, const char* name, ...);
    int XMLNodeRemove(int handle);
    int XMLNodeRename(int handle, const char* name);
    int XMLNodeCreate(int handle, const char* name);
    char* XMLNodeGetName(int handle);
    int XMLAttributeSet(int handle, const char* name, const char* value);
    int XMLAttributeSet(int handle, const char* name, int value);
    int XMLAttributeSet(int handle, const char* name, double value);
    int XMLAttributeGet(int handle, const char* name, char** value);
    int XMLAttributeGet(int handle, const char* name, int* value);
    int XMLAttributeGet(int handle, const char* name, double* value);
    int XMLAttributeRemove(int handle, const char* name);
    char* XMLTextGet(int handle);
    int XMLTextSet(int handle, const char* text);
    int XMLTextRemove(int handle);
    char* XMLCommentGet(int handle);
    int XMLCommentSet(int handle, const char* text);
    int XMLCommentRemove(int handle);

    // Configuration file: a plain file when dpfFile is null or empty, else the
    // "FILE" block `name` of that archive. A null config means this->Config.
    int LoadConfig(const char* dpfFile, const char* name, sConfig* config);
    int SaveConfig(const char* dpfFile, const char* name, sConfig* config);

    sConfig Config;
    SDL_Surface* screen;
    int mouseX;
    int mouseY;
    unsigned char mouseButtons;
    unsigned char mousePrevButtons;
    unsigned int initTicks;
    unsigned char surfaceLossCheck;
    int tileCount;
    int spriteCount;
    int fontCount;

private:
    // Steps of Update.
    void PaceRender(SDL_Event* record);
    void RunLogicFrame();
    void RenderFrame(SDL_Event* record);

    CoreState* state;
};

VELTRANO_API extern Veltrano_Main Veltrano;

#endif
