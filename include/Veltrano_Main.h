/// @file
/// The core object: configuration, screen, mouse state, start-up and shut-down.
#ifndef VELTRANO_MAIN_H
#define VELTRANO_MAIN_H

#include <cstdarg>
#include <string>
#include <vector>

#include <SDL.h>
#include "veltrano_types.h"

struct CoreState;
class Veltrano_CFont;

/// The core object, reached through the global object Veltrano. A game calls
/// Init once, fills or loads Config, calls SetVideoMode, loops over Update
/// and ends with Quit. The core also offers CRC-32, random numbers, an XML
/// document API, the configuration file and the developer console and debug
/// watch window. Main thread only (except ConPrint / ConvPrint).
class VELTRANO_API Veltrano_Main {
public:
    /// The settings record; the same type as ::sConfig.
    using sConfig = ::sConfig;

    /// Fills Config with its defaults; initTicks starts all ones (not initialised).
    Veltrano_Main();
    /// Frees the private state; does not call Quit.
    ~Veltrano_Main();
    /// Not copyable: each object owns its private state.
    Veltrano_Main(const Veltrano_Main&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_Main& operator=(const Veltrano_Main&) = delete;

    /// Starts the SDK: checks the processor and selects its copy routine,
    /// starts SDL, creates every interface (IStuffDPF, IImage, ICursor,
    /// IPrimitives, IButton, IScreenFX, ITimeSystem, INetwork, IVideo,
    /// ISoundFX) and records initTicks; logs " . Veltrano successfully initiated." at level 0.
    /// @param flags  SDL's initialisation flags, passed to SDL_Init unchanged
    ///               (SDL_INIT_TIMER is needed by the time system).
    /// @return 1 on success; -1 when the processor is refused (no MMX, or
    ///         CPUID answering no leaves; logged by the check) or SDL does not
    ///         start, with nothing created.
    /// Logs " . [Veltrano.Init()] Error: Couldn't initialize SDL 1.2: " and
    /// SDL's error text on failure; " . [Veltrano.Init()] Error: UCL failed to initiate" when the compression library
    /// does not start (Init still
    /// succeeds).
    int Init(unsigned int flags);
    /// Shuts the SDK down: destroys the console and debug window, deletes the
    /// interfaces in reverse order (their pointers become null), frees
    /// Config.icon, stops SDL and sets initTicks back to all ones. Reports
    /// tiles, sprites and fonts left alive ("[CTiles] Warning! your application have left N tiles without deleting.",
    /// likewise [CSprites]
    /// and [CFonts], level 2) and logs " . Veltrano successfully closed." at
    /// level 0. Does nothing before Init or when called twice.
    void Quit();
    /// Restarts input and frame pacing without touching the video mode:
    /// resets keyboard and mouse state, restarts the time system keeping its
    /// desired rates (ITimeSystem->Init(1)) and clears the pacing of Update.
    void CleanUp();

    /// Logs the version text, the copyright text and the build date at level 0.
    void PrintVersion();
    /// The SDK's version text.
    /// @return "Veltrano SDK Win32 v5.22 (build ...)"; owned by the core.
    char* GetVersion();
    /// The SDK's copyright text.
    /// @return the text, owned by the core.
    char* GetCopyright();
    /// Checks that this SDK is at least a given version (compared as
    /// major x 100 + minor).
    /// @param major  required major version.
    /// @param minor  required minor version.
    /// @return 1 when this SDK (5.22) is that version or newer, else 0.
    /// Logs " . [Error] - Found Veltrano SDK Win32 v5.22 and minimum vM.m is required." at level 0 when it is older.
    int RequireVersion(int major, int minor);

    /// Names the processor (vendor, model, MMX and SSE) without selecting
    /// anything.
    /// @param buffer  receives the text; at least 59 bytes.
    /// @return 1; 0 for a null buffer or a refused processor, whose reason
    ///         ("MMX not available! ..." or "CPUID not available! ...") is then
    ///         in the buffer.
    int GetCPUName(char* buffer);

    /// CRC-32 (the reflected IEEE 802.3 one of zlib and PNG) of a buffer.
    /// @param buffer  the bytes.
    /// @param length  their count.
    /// @return the CRC; 0 for a null buffer or a length of 0 or less.
    unsigned int CRC32(const char* buffer, int length);
    /// CRC-32 of a whole file.
    /// @param fileName  the file's path.
    /// @return the CRC; 0 when the file cannot be read or is empty. Nothing is logged.
    unsigned int CRC32(const char* fileName);
    /// Seeds the Mersenne Twister (MT19937) generator.
    /// @param seed  the seed; an unseeded generator behaves as seeded with 5489.
    void RandSeed(unsigned int seed);
    /// The next number of the Mersenne Twister generator.
    /// @return 32 random bits.
    unsigned int Rand();
    /// The next number of the generator mapped to [0, 1].
    /// @return Rand() / 4294967295; both 0.0 and 1.0 can occur.
    double RandReal();
    /// Creates every folder leading to a file path (not the file itself).
    /// @param path  a file path such as "save/slot1/game.dat".
    /// @return 1 when all its folders exist afterwards; 0 for a null or empty
    ///         path, a path without folders, or a folder that cannot be made.
    ///         Nothing is logged.
    int MakeDirectory(const char* path);

    /// Opens the screen from Config: chooses the video back-end
    /// (Config.renderer), maps Config.accel and Config.window to SDL flags,
    /// turns 24 bpp (and full screen at depth 0) into 32 bpp, sets icon and
    /// caption, and recreates the console and debug window (disabled and
    /// hidden). Every difference between the requested and the obtained mode
    /// is logged as a " . [Veltrano.SetVideoMode()] Warning: ..." line.
    /// @return 1 with screen set; 0 on failure.
    /// Logs " . [Veltrano.SetVideoMode()] Error: SDL_INIT_VIDEO was not initialized.",
    /// "... Error: could not initialize SDL video system (renderer) (reason)." or
    /// "... Error: Couldn't set video mode WxH with Nbpp: reason" on failure.
    int SetVideoMode();
    /// Frees a surface and nulls the caller's pointer.
    /// @param surface  the pointer to free; a null one is left alone and logs, at level 5,
    ///                 " . [Veltrano.FreeSurface()] Warning: an attempt to free a null surface was detected ..."
    void FreeSurface(SDL_Surface*& surface);
    /// Blits like SDL_BlitSurface; a blit onto the screen first takes the
    /// software cursor off the area and puts it back afterwards.
    /// @param src      the source surface.
    /// @param srcRect  the part to copy; null for all.
    /// @param dst      the destination surface.
    /// @param dstRect  the position on dst; null for (0, 0).
    /// @return SDL's result: 0 success, -1 error, -2 video memory lost.
    int Blit(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
    /// Whether the current video mode runs on the OpenGL (glSDL) back-end.
    /// @return 1 under OpenGL, else 0.
    int IsGL();
    /// Whether the OpenGL back-end holds a texture for a surface.
    /// @param surface  the surface.
    /// @return 1 when it is a texture, else 0 (also for null).
    int IsTexture(SDL_Surface* surface);
    /// Uploads a surface to an OpenGL texture under the OpenGL back-end.
    /// @param surface  the surface.
    /// @return 0 when not under OpenGL; else 1, whether or not the upload worked.
    int Surface2Texture(SDL_Surface* surface);
    /// Turns the conversion of loaded images to the screen's format (and,
    /// under OpenGL, their upload) on or off; on at start.
    /// @param on  greater than 0 turns it on; anything else off.
    /// @return 1.
    int SurfaceAutomaticConversion(int on);
    /// Logs the video back-end, its hardware abilities, the screen's mode and
    /// the texture conversion counts at level 0.
    void VideoInfo();
    /// Logs the audio driver, frequency, format and channels at level 0, or
    /// that the SDK or the audio was not started.
    void AudioInfo();
    /// Logs a surface's flags, size, alpha, colour key and pixel format at level 0.
    /// @param surface  the surface.
    void SurfaceInfo(SDL_Surface* surface);

    /// One pass of the game loop: polls one SDL event and, when none is handed
    /// back, paces the game at the time system's desired rates: a logic frame
    /// (input, mouse and keyboard state, GUI widgets, developer windows)
    /// and/or a render frame (render callback, developer windows, cursor,
    /// screen flip). The backquote key toggles the console; mouse drags move
    /// the debug window. Needs a successful Init.
    /// @param event  receives the event; with a non-null record a real event
    ///               is handed back without pacing. A pass without an event
    ///               sets its type to SDL_USEREVENT + 6 (30) and user.code to
    ///               1 when a frame was rendered, else 0. Null discards events.
    /// @return 0 when one logic frame ran and the game must run one step of
    ///         its logic (every pass with an unlimited logic rate); 1 when a
    ///         real event was handed back or, with a fixed logic rate, no
    ///         logic frame was due.
    int Update(SDL_Event* event);
    /// Sets the function Update calls on render frames, before the SDK draws
    /// its overlays and flips the screen.
    /// @param callback  receives 1 when the pass caught up owed logic frames
    ///                  before rendering (fixed logic rate), else 0; null
    ///                  removes it.
    void SetRenderCallback(void (*callback)(int));
    /// The logic frames accumulated by the pacing of Update (fractional).
    /// @return the accumulated count.
    float GetLogicTime();
    /// Requests the developer windows to be redrawn on render frames.
    /// @param n  1 once; 2 or more on every render; 0 or less stops the
    ///           redraws (not on a double-buffered screen, which needs them).
    void RenderNeeded(int n);
    /// Whether the developer windows are to be redrawn.
    /// @return 1 when a redraw is requested, else 0.
    int IsRenderNeeded();
    /// The state of a key as captured by the last logic frame.
    /// @param key  an SDL key code.
    /// @return 1 held, 0 not (also before the first logic frame or for a code
    ///         outside SDL's table).
    int GetKeystate(int key);
    /// The first held key (codes 8..295) not reported within `delay` ms, as
    /// a character where it has one: Shift gives upper case and the shifted
    /// symbols, the keypad gives digits with Num Lock and arrows without.
    /// @param delay  milliseconds before a held key is reported again.
    /// @return the character or SDL key code; 0 when no key qualifies.
    int GetKeyPressed(int delay);
    /// The printable name of a character code.
    /// @param key  a character code.
    /// @return a static one-character string for 32..126 (letters upper
    ///         case), or null for other codes.
    char* GetKeyName(int key);

    /// @name Developer console
    /// A text window with a command line, made by every SetVideoMode (created
    /// disabled and hidden, with the built-in font and a blue background) and
    /// destroyed by the next one and by Quit. Before it exists every call does
    /// nothing and getters give 0 or null (ConGetAlpha 255). Setters, output
    /// and commands also do nothing while it is disabled; ConTitle, ConEnable,
    /// ConDisable, ConFeatures and ConAddCmdHandler work on a disabled
    /// console. Nothing here logs except ConEnable.
    ///@{

    /// Sets the console's title, shown when it is enabled.
    /// @param title  the text; null is ignored.
    void ConTitle(const char* title);
    /// Enables the console. Logs a warning and stays disabled when the window
    /// is smaller than 150 x 100 ("[SimpleWin] Warning: the window size is too small (WxH)"), has no background
    /// ("... a background image or color is needed for the window") or no font
    /// ("... a font is needed for the window").
    void ConEnable();
    /// Disables the console.
    void ConDisable();
    /// Whether the console is enabled.
    /// @return 1 enabled, 0 not (or no console).
    unsigned char ConisEnabled();
    /// Fades the console in or out over a second; immediate with features bit 2.
    /// A call during a fade is ignored.
    /// @param v  greater than 0 shows, otherwise hides.
    void ConSetVisible(char v);
    /// The console's visibility.
    /// @return 0 hidden, 1 shown, 33 fading in, 223 fading out.
    unsigned char ConisVisible();
    /// Replaces the console's font by the "FONT2" block of an archive file.
    /// @param dpfFile  the archive's file name.
    /// @param block    the font block's name.
    void ConSetFont(const char* dpfFile, const char* block);
    /// Replaces the console's font by the "FONT2" block of an open archive.
    /// @param dpfHandle  a handle from IStuffDPF->Open.
    /// @param block      the font block's name.
    void ConSetFont(int dpfHandle, const char* block);
    /// The console's font.
    /// @return the font, still owned by the console; null without a console.
    Veltrano_CFont* ConGetFont();
    /// Resizes the console (at least 150 x 100, kept on the screen).
    /// @param w  new width; smaller than 150 keeps the current one.
    /// @param h  new height; smaller than 100 keeps the current one.
    void ConResize(short w, short h);
    /// Moves the console, kept on the screen.
    /// @param x  new left edge; negative keeps the current one.
    /// @param y  new top edge; negative keeps the current one.
    void ConMove(short x, short y);
    /// The console's position and size.
    /// @return the window's live rectangle; null without a console.
    SDL_Rect* ConGetRect();
    /// Gives the console a background colour.
    /// @param r  red.
    /// @param g  green.
    /// @param b  blue.
    void ConSetBgColor(unsigned char r, unsigned char g, unsigned char b);
    /// Gives the console a background colour.
    /// @param pixel  the colour as a pixel value in the screen's format.
    void ConSetBgColor(unsigned int pixel);
    /// The console's background colour.
    /// @return a pixel value in the screen's format; 0 without a console.
    unsigned int ConGetBgColor();
    /// Gives the console a background image: the "IMG" block of an archive
    /// file, scaled to the window; nothing when the archive does not open.
    /// @param dpfFile  the archive's file name.
    /// @param block    the image block's name.
    void ConSetBgImage(const char* dpfFile, const char* block);
    /// Gives the console a background image from an open archive, scaled to
    /// the window; nothing changes when the image cannot be loaded.
    /// @param dpfHandle  a handle from IStuffDPF->Open.
    /// @param block      the image block's name.
    void ConSetBgImage(int dpfHandle, const char* block);
    /// The console's background as drawn.
    /// @return the surface, owned by the console; null without a console.
    SDL_Surface* ConGetBgImage();
    /// Sets the console's opacity.
    /// @param alpha  0..255; values below 64 count as 64.
    void ConSetAlpha(unsigned char alpha);
    /// The console's opacity.
    /// @return 64..255 (128 at start); 255 without a console.
    unsigned char ConGetAlpha();
    /// Appends one line of printf-formatted text to the console; callable
    /// from any thread (lines from other threads appear on the game's next
    /// logic frame).
    /// @param fmt  printf format, followed by its arguments; null is ignored.
    void ConPrint(const char* fmt, ...);
    /// ConPrint with an argument list; the log uses it for its console output.
    /// @param fmt   printf format; null is ignored.
    /// @param args  the arguments.
    void ConvPrint(const char* fmt, va_list args);
    /// Clears the command line back to the prompt.
    void ConNewCmdLine();
    /// Registers a console command. "help" and "con" are built in; commands
    /// must be registered again after each SetVideoMode.
    /// @param name         the command word; kept by reference.
    /// @param description  shown by "help"; kept by reference.
    /// @param handler      gets the words of the line (word 0 the name) and
    ///                     returns non-zero when it handled them (0 prints
    ///                     " Syntax error or command not found").
    /// @return 1 registered; 0 for a null argument, a name already registered
    ///         or no console.
    int ConAddCmdHandler(const char* name, const char* description, int (*handler)(std::vector<std::string>*));
    /// Runs a command line without echoing or remembering it.
    /// @param text  the line; null is ignored.
    void ConCmd(const char* text);
    /// Toggles feature bits of the console. Bit 0: the backquote key does not
    /// open it; bit 1: no command line; bit 2: showing and hiding without a fade.
    /// @param bits  the bits to toggle; -1 only reads.
    /// @return the features after the change; 0 without a console.
    int ConFeatures(int bits);
    ///@}

    /// @name Debug watch window
    /// A second text window (green background) that shows watched variables,
    /// refreshed twice a second while enabled and shown; the mouse drags it.
    /// Made and destroyed with the console (watches must be added again after
    /// SetVideoMode); the same rules for a missing or disabled window apply.
    ///@{

    /// Sets the debug window's title, shown centred at its top.
    /// @param title  the text; null is ignored.
    void DwTitle(const char* title);
    /// Enables the debug window, with the checks and warnings of ConEnable.
    void DwEnable();
    /// Disables the debug window.
    void DwDisable();
    /// Whether the debug window is enabled.
    /// @return 1 enabled, 0 not (or no window).
    unsigned char DwisEnabled();
    /// Fades the debug window in or out, as ConSetVisible.
    /// @param v  greater than 0 shows, otherwise hides.
    void DwSetVisible(char v);
    /// The debug window's visibility.
    /// @return 0 hidden, 1 shown, 33 fading in, 223 fading out.
    unsigned char DwisVisible();
    /// Replaces the debug window's font by the "FONT2" block of an archive file.
    /// @param dpfFile  the archive's file name.
    /// @param block    the font block's name.
    void DwSetFont(const char* dpfFile, const char* block);
    /// Replaces the debug window's font by the "FONT2" block of an open archive.
    /// @param dpfHandle  a handle from IStuffDPF->Open.
    /// @param block      the font block's name.
    void DwSetFont(int dpfHandle, const char* block);
    /// The debug window's font.
    /// @return the font, still owned by the window; null without a window.
    Veltrano_CFont* DwGetFont();
    /// Resizes the debug window, as ConResize.
    /// @param w  new width; smaller than 150 keeps the current one.
    /// @param h  new height; smaller than 100 keeps the current one.
    void DwResize(short w, short h);
    /// Moves the debug window, kept on the screen.
    /// @param x  new left edge; negative keeps the current one.
    /// @param y  new top edge; negative keeps the current one.
    void DwMove(short x, short y);
    /// The debug window's position and size.
    /// @return the window's live rectangle; null without a window.
    SDL_Rect* DwGetRect();
    /// Gives the debug window a background colour.
    /// @param r  red.
    /// @param g  green.
    /// @param b  blue.
    void DwSetBgColor(unsigned char r, unsigned char g, unsigned char b);
    /// Gives the debug window a background colour.
    /// @param pixel  the colour as a pixel value in the screen's format.
    void DwSetBgColor(unsigned int pixel);
    /// The debug window's background colour.
    /// @return a pixel value in the screen's format; 0 without a window.
    unsigned int DwGetBgColor();
    /// Gives the debug window a background image from an archive file, as
    /// ConSetBgImage.
    /// @param dpfFile  the archive's file name.
    /// @param block    the image block's name.
    void DwSetBgImage(const char* dpfFile, const char* block);
    /// Gives the debug window a background image from an open archive.
    /// @param dpfHandle  a handle from IStuffDPF->Open.
    /// @param block      the image block's name.
    void DwSetBgImage(int dpfHandle, const char* block);
    /// The debug window's background as drawn.
    /// @return the surface, owned by the window; null without a window.
    SDL_Surface* DwGetBgImage();
    /// Sets the debug window's opacity.
    /// @param alpha  0..255; values below 64 count as 64.
    void DwSetAlpha(unsigned char alpha);
    /// The debug window's opacity.
    /// @return 64..255 (128 at start); 255 without a window.
    unsigned char DwGetAlpha();
    /// Adds a watch, shown as "name int double" (the double with 4 decimals);
    /// works on a disabled window too.
    /// @param name         the label; kept by reference.
    /// @param intValue     an integer to show, or null.
    /// @param doubleValue  a double to show, or null.
    /// @return 1 added; 0 for a null name, two null values, a name already
    ///         watched or no window.
    int DwAddWatch(const char* name, int* intValue, double* doubleValue);
    /// Removes the first watch of a name.
    /// @param name  the label.
    /// @return 1 removed; 0 for a null or unknown name or no window.
    int DwRemoveWatch(const char* name);
    ///@}

    /// @name XML documents
    /// Up to 10 documents open at a time, each reached by a handle (1..10)
    /// with a cursor on one of its elements. A handle outside 1..10 or not
    /// open makes every call fail silently (0 or null). The cursor calls log
    /// " . [Veltrano.Call(entry)] Error: there is not an element pointed." at
    /// level 0 (entry = handle - 1) and fail when no element is pointed; every
    /// call fails with 0 for a null name or text argument. Texts returned
    /// belong to the document and stay valid until it is changed or closed.
    ///@{

    /// Opens an XML file; works before Init. The cursor is not set (use
    /// XMLNodeFirst or XMLNodePointTo).
    /// @param fileName  the file's path.
    /// @return the handle, or 0 on failure.
    /// Logs " . [Veltrano.XMLOpen('file')] Error: reached maximum limit of XML opened(10)" or
    /// " . [Veltrano.XMLOpen('file')] Error: " followed by the
    /// parser's error description on failure.
    int XMLOpen(const char* fileName);
    /// Opens the "FILE" block of an open archive as an XML document.
    /// @param dpf    a handle from IStuffDPF->Open; 0 or less fails silently.
    /// @param block  the block's name.
    /// @return the handle, or 0 on failure.
    /// Logs " . [Veltrano.XMLOpen('archive','block')] Error: " followed by
    /// "Veltrano was not initialized. Aborting the XML load.", "reached maximum limit of XML opened(10)",
    /// "block not found in the given DPF." or the
    /// parser's error description on failure.
    int XMLOpen(int dpf, const char* block);
    /// Opens the "FILE" block of an archive file as an XML document, closing
    /// the archive again.
    /// @param dpfFile  the archive's file name.
    /// @param block    the block's name.
    /// @return the handle, or 0 on failure (also when the archive does not
    ///         open); logged as by XMLOpen(int, ...).
    int XMLOpen(const char* dpfFile, const char* block);
    /// Creates a document with an XML declaration (version 1.0, UTF-8,
    /// standalone) and a root element; the cursor is on the root.
    /// @param rootName  the root element's name.
    /// @return the handle, or 0 on failure.
    /// Logs " . [Veltrano.XMLCreate()] Error: " followed by "Veltrano was not initialized. Aborting the XML load.",
    /// "reached maximum limit of XML opened(10)" or the parser's error description on failure.
    int XMLCreate(const char* rootName);
    /// Closes a document and frees its handle.
    /// @param handle  the document's handle.
    void XMLClose(int handle);
    /// Saves a document to a file, creating the folders of the path.
    /// @param handle    the document's handle.
    /// @param fileName  the file's path.
    /// @return 1 written; 0 for a bad handle, a null name or a failed write
    ///         (not logged).
    int XMLSave(int handle, const char* fileName);
    /// Saves a document as a compressed "FILE" block of an open archive,
    /// replacing a block of that name (kept when the save fails).
    /// @param handle  the document's handle.
    /// @param dpf     a handle from IStuffDPF->Open; 0 or less fails silently.
    /// @param block   the block's name, at most 31 characters.
    /// @return AddData's result (the stored size when saved), or 0 on failure.
    /// Logs
    /// " . [Veltrano.XMLSave(handle,'archive','block')] Error: Veltrano was not initialized. Aborting the XML save."
    /// or "... Error: the block name is too long." on failure; the archive logs its own.
    int XMLSave(int handle, int dpf, const char* block);
    /// Saves a document as a "FILE" block of an archive file (created when
    /// missing), closing the archive again.
    /// @param handle   the document's handle.
    /// @param dpfFile  the archive's file name.
    /// @param block    the block's name, at most 31 characters.
    /// @return as XMLSave(int, int, ...); 0 when the archive cannot be opened.
    int XMLSave(int handle, const char* dpfFile, const char* block);
    /// Moves the cursor to the document's first element; needs no cursor.
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 when the document has no element.
    int XMLNodeFirst(int handle);
    /// Moves the cursor to the next sibling element.
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 at the last sibling (cursor unchanged) or without a cursor.
    int XMLNodeNext(int handle);
    /// Moves the cursor to the node just before it, only when that node is an
    /// element (comments are not skipped).
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 otherwise (cursor unchanged).
    int XMLNodePrev(int handle);
    /// Moves the cursor to its parent, only when the parent is an element.
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 otherwise (cursor unchanged).
    int XMLNodeParent(int handle);
    /// Moves the cursor to its first child element.
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 when there is none (cursor unchanged).
    int XMLNodeChild(int handle);
    /// Remembers the cursor's element for XMLNodeRestore.
    /// @param handle  the document's handle.
    /// @return 1, or 0 without a cursor.
    int XMLNodeStore(int handle);
    /// Moves the cursor back to the element remembered by XMLNodeStore.
    /// @param handle  the document's handle.
    /// @return 1 moved; 0 when nothing was stored or without a cursor.
    int XMLNodeRestore(int handle);
    /// Moves the cursor along a path of element names from the document's
    /// top, each step to the first child element of that name; needs no
    /// cursor. XMLNodePointTo(h, 2, "setup", "video") points at the first
    /// "video" inside the first "setup".
    /// @param handle  the document's handle.
    /// @param count   how many names follow (at least 1).
    /// @param name    the first name, followed by count - 1 further names;
    ///                a null first name leaves no element pointed and answers 1.
    /// @return 1 when every step found its element; 0 otherwise (cursor unchanged).
    int XMLNodePointTo(int handle, int count, const char* name, ...);
    /// Removes the cursor's element with its subtree; afterwards no element is
    /// pointed (reposition with XMLNodeFirst or XMLNodePointTo).
    /// @param handle  the document's handle.
    /// @return 1 removed; 0 otherwise.
    int XMLNodeRemove(int handle);
    /// Renames the cursor's element.
    /// @param handle  the document's handle.
    /// @param name    the new name.
    /// @return 1 renamed; 0 otherwise.
    int XMLNodeRename(int handle, const char* name);
    /// Appends a new empty child element to the cursor's element and moves
    /// the cursor to it.
    /// @param handle  the document's handle.
    /// @param name    the new element's name.
    /// @return 1 created; 0 otherwise.
    int XMLNodeCreate(int handle, const char* name);
    /// The cursor element's name.
    /// @param handle  the document's handle.
    /// @return the name, or null without a cursor.
    char* XMLNodeGetName(int handle);
    /// Sets an attribute of the cursor's element to a text.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   its text.
    /// @return 1 set; 0 otherwise.
    int XMLAttributeSet(int handle, const char* name, const char* value);
    /// Sets an attribute of the cursor's element to a decimal integer.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   its value.
    /// @return 1 set; 0 otherwise.
    int XMLAttributeSet(int handle, const char* name, int value);
    /// Sets an attribute of the cursor's element to a number.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   its value.
    /// @return 1 set; 0 otherwise.
    int XMLAttributeSet(int handle, const char* name, double value);
    /// Reads an attribute of the cursor's element as text.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   receives the text (owned by the document), or null when absent.
    /// @return 1 when present; 0 otherwise.
    int XMLAttributeGet(int handle, const char* name, char** value);
    /// Reads an attribute of the cursor's element as an integer.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   receives the value; a number beyond int's range gives the nearest int.
    /// @return 1 when present and an integer; 0 otherwise.
    int XMLAttributeGet(int handle, const char* name, int* value);
    /// Reads an attribute of the cursor's element as a number.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @param value   receives the value.
    /// @return 1 when present and a number; 0 otherwise.
    int XMLAttributeGet(int handle, const char* name, double* value);
    /// Removes an attribute of the cursor's element.
    /// @param handle  the document's handle.
    /// @param name    the attribute's name.
    /// @return 1, also when it was absent; 0 without a cursor or for a null name.
    int XMLAttributeRemove(int handle, const char* name);
    /// The text of the cursor element's first text child.
    /// @param handle  the document's handle.
    /// @return the text, or null when there is none.
    char* XMLTextGet(int handle);
    /// Appends to the text of the cursor element's first text child, or adds
    /// a text child ("ab" then "cd" gives "abcd").
    /// @param handle  the document's handle.
    /// @param text    the text to append.
    /// @return 1; 0 without a cursor or for a null text.
    int XMLTextSet(int handle, const char* text);
    /// Removes the cursor element's first text child.
    /// @param handle  the document's handle.
    /// @return 1 removed; 0 when there is none.
    int XMLTextRemove(int handle);
    /// The text of the cursor element's first comment child.
    /// @param handle  the document's handle.
    /// @return the text, or null when there is none.
    char* XMLCommentGet(int handle);
    /// Inserts a comment as the cursor element's first child; existing
    /// comments stay.
    /// @param handle  the document's handle.
    /// @param text    the comment's text.
    /// @return 1; 0 without a cursor or for a null text.
    int XMLCommentSet(int handle, const char* text);
    /// Removes the cursor element's first comment child.
    /// @param handle  the document's handle.
    /// @return 1 removed; 0 when there is none.
    int XMLCommentRemove(int handle);
    ///@}

    /// Reads the configuration file (elements "general", "video" and "audio"
    /// under "setup"), clamping every value into its supported range; an
    /// optional "optcore" attribute of "general" selects a copy routine
    /// (SelectCPUCore). Has no messages of its own: the XML and archive calls
    /// underneath log their failures.
    /// @param dpfFile  an archive file holding the configuration as a "FILE"
    ///                 block; null or empty for a plain file.
    /// @param name     the block's name, or the plain file's path.
    /// @param config    the record to fill; null for this->Config.
    /// @return 1 when every value was read; 0 otherwise (a missing file leaves
    ///         the record untouched; values read before a missing one stay).
    int LoadConfig(const char* dpfFile, const char* name, sConfig* config);
    /// Writes the configuration file, with a help text in each section.
    /// Title and icon are not stored.
    /// @param dpfFile  an archive file (created when missing) to hold the
    ///                 configuration as a "FILE" block; null or empty for a
    ///                 plain file (its folders are created).
    /// @param name     the block's name, or the plain file's path.
    /// @param config   the record to write; null for this->Config.
    /// @return 1 when written; 0 otherwise.
    int SaveConfig(const char* dpfFile, const char* name, sConfig* config);

    sConfig Config;                  ///< Settings used by SetVideoMode, the sound interface and Update.
    SDL_Surface* screen;             ///< The display surface of the last successful SetVideoMode; null before.
    int mouseX;                      ///< Mouse column, refreshed once per logic frame by Update.
    int mouseY;                      ///< Mouse row, refreshed once per logic frame by Update.
    unsigned char mouseButtons;      ///< SDL mouse button mask of the current logic frame.
    unsigned char mousePrevButtons;  ///< Button mask of the previous logic frame (for press and release edges).
    /// SDL tick count at the end of a successful Init; all ones (0xFFFFFFFF)
    /// before Init and after Quit, which the loaders take as "not initialised".
    unsigned int initTicks;
    /// Set by SetVideoMode when video memory may be lost (DirectX with
    /// hardware acceleration); drawing objects then restore lost surfaces.
    unsigned char surfaceLossCheck;
    int tileCount;                   ///< Live Veltrano_CTile objects; Quit reports a non-zero count.
    int spriteCount;                 ///< Live Veltrano_CSprite objects; Quit reports a non-zero count.
    int fontCount;                   ///< Live Veltrano_CFont objects; Quit reports a non-zero count.

private:
    // Steps of Update.
    void PaceRender(SDL_Event* record);
    void RunLogicFrame();
    void RenderFrame(SDL_Event* record);

    CoreState* state;
};

/// The core object, constructed at library load.
VELTRANO_API extern Veltrano_Main Veltrano;

#endif
