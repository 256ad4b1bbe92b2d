/// @file
/// The IButton interface: the SDK's GUI widgets (buttons, complex buttons,
/// sliders, progress bars, check buttons and input boxes) in 8 layers of 32
/// working widgets plus 100 master widgets that clones share pictures with.
/// Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IBUTTON_H
#define VELTRANO_IBUTTON_H

#include <SDL.h>

#include "veltrano_types.h"

struct ButtonState;
class Veltrano_CFont;

/// The GUI widgets, reached through the global IButton.
///
/// <b>Widgets and ids.</b> A widget is drawn from "TILB2" tiles stored in an
/// archive beside its "BUT" header block (IButtonNew): for a widget named N
/// the tiles N_n (normal), N_p (pressed) and N_o (off, i.e. disabled), and
/// N_s (selected) for a complex button. Types (IButtonNew::type): 1 normal
/// button, 2 icon (as 1), 4 complex button (own hover picture), 8 slider
/// (normal = bar, pressed = knob; 25 pixels at each end of the bar are not
/// sensitive), 16 progress bar (normal = filled cell, pressed = empty cell),
/// 32 check button (normal = unchecked, pressed = checked), 64 input box
/// (normal = idle, pressed = editing). A working widget in layer L (0..7),
/// slot s (0..31) has id L * 100 + s + 1 (1..32, 101..132, ... 701..732); a
/// master in slot m has id 1000 + m. Masters are never drawn or checked;
/// they are templates for Clone. Calls given an id that names no widget do
/// nothing and return their "nothing" value. `which` selects a picture: 1
/// normal, 2 selected, 4 pressed, 16 off; 0 all four where a setter allows it.
///
/// <b>States</b> (GetState, SetState): 1 Normal, 2 Selected (mouse over it),
/// 4 Pressed, 8 Action (activated), 16 Disabled (left alone by the input
/// check; only SetState changes it).
///
/// <b>What fires when.</b> Once per logic frame, inside Veltrano.Update after
/// the input is read, the core runs the input check of every visible widget
/// of every visible layer that is not disabled. The mouse is over a widget
/// when strictly inside its box (state 2; otherwise 1). While the mouse is
/// over it and a mouse button of its mask is down the state is 4; in the
/// first logic frame in which that button is up again, after being down in
/// the previous logic frame, with the mouse over the widget (where it was
/// pressed does not matter), the state is 8 and a mouse activation is marked
/// pending. Input boxes never go beyond 2.
/// Types 1, 2, 4 and 32 also react to their activation key (wherever the
/// mouse is, and not while an input box is being edited): 4 during the first
/// 120 ms the key is down, then 8 for one logic frame, then again 4, so a
/// held key activates about every 120 ms; a key activation is not marked
/// pending. The Action state lasts exactly one logic frame.
///
/// The core never runs callbacks itself: the game calls Draw (normally from
/// its render callback), and Draw runs a widget's callback when it finds the
/// widget in state 8 <i>with a pending mouse activation</i>, then clears the
/// mark. So:
/// - a click runs the callback once, at the first Draw between the logic
///   frame of the release and the next logic frame (that Draw returns the
///   widget's id);
/// - an activation key makes Check() and Draw() report the id but never
///   runs the callback, and does not toggle a check button;
/// - a check button's callback runs before its check state flips, and the
///   picture of that Draw still shows the state before the click;
/// - a progress bar reaches state 8 (Check reports it) but Draw neither
///   runs its callback nor reports it, and draws nothing in states 4 and 8;
/// - when no Draw (or a Draw that returns at once because no render is
///   needed) falls inside that logic frame, the click's callback is not
///   lost: it stays pending and runs at the next Draw that finds the widget
///   in state 8 again (after a later click, or even a key activation);
/// - a slider's value follows the mouse only inside Draw, while it is pressed.
class VELTRANO_API Veltrano_IButton {
public:
    /// Empty tables, layer 0 current and the only visible one. Made by Veltrano.Init.
    Veltrano_IButton();
    /// Reports widgets the game left, removes every widget and master. Called
    /// by Veltrano.Quit. With widgets left it logs (level 2, then the Info(-1) dump)
    /// " . [IButton] Warning! your application has left <n> buttons without deleting."
    ~Veltrano_IButton();
    /// The interface is not copied.
    Veltrano_IButton(const Veltrano_IButton&) = delete;
    /// The interface is not copied.
    /// @return never (deleted).
    Veltrano_IButton& operator=(const Veltrano_IButton&) = delete;

    /// Makes a widget from the tiles N_n, N_p, N_o (and N_s for a complex
    /// button) of an open archive, in the current layer or as a master. The
    /// sensitive box follows the normal tile: types 1 and 2 (x, y, x+W-1,
    /// y+H-1); 4, 32 and 64 (x, y, x+W, y+H); 8 (x+25, y, x+W-25, y+H); a new
    /// progress bar's box ends at 0,0 (never under the mouse) until SetPosition.
    /// @param desc    the description: callback, key (0 none, at most 321),
    ///                type, selectColor (0xRRGGBB; 0 no select box; -1
    ///                refused), position x, y, and for sliders and progress bars the range
    ///                (0..255) and value (0..range); for input boxes range is
    ///                the vertical and the low 16 bits of value the horizontal
    ///                text margin.
    /// @param name    the widget's name N, at most 24 characters.
    /// @param master  non-zero makes a master (id 1000..1099), 0 a working widget.
    /// @param dpf     a handle of an open archive.
    /// @return the new widget's id; -1 on failure.
    /// Logs after " . [IButton->Create(0x<desc>,'<name>',<master>,'<archive>')] ":
    /// "Error: wrong parameters." (level 0) for a null desc or name, a handle
    /// below 1, selectColor -1, an unknown type, a key above 321 or a range or
    /// value out of bounds; "Error: button name too long, limit on 25
    /// characters." (level 0); "Warning: we have reached the maximum master
    /// buttons limit(100)." or "Warning: we have reached maximum buttons
    /// number(32) in this layer(<layer>)." (level 2); "Error: we could not find
    /// valid tiles for this kind of button." (level 0, after CTile::Load's own
    /// line); on success "Info: created new button(<slot>)." (level 5).
    int Create(IButtonNew* desc, const char* name, unsigned char master, int dpf);
    /// Makes a widget from the tiles of an archive file: opens it, runs
    /// Create(IButtonNew*, const char*, unsigned char, int), closes it.
    /// @param desc     the description, as for the handle form.
    /// @param name     the widget's name, at most 24 characters.
    /// @param master   non-zero makes a master.
    /// @param dpfFile  the archive file.
    /// @return the new id; -1 on failure, also when the archive does not open.
    int Create(IButtonNew* desc, const char* name, unsigned char master, const char* dpfFile);
    /// Makes a widget from its stored "BUT" header block and tiles, as Create
    /// (the stored callback is not used: set it with SetFunction).
    /// @param dpf     a handle of an open archive.
    /// @param name    the widget's name (the "BUT" block's name).
    /// @param master  non-zero makes a master.
    /// @return the new id; -1 for a null name, a handle below 1, a missing or
    ///         unreadable block, or when Create fails.
    /// Logs after " . [IButton->Load('<name>','<archive>',<master>)] ": "Error:
    /// button not found.", "Error: load 'BUT' block of DPF failed!." or "Error:
    /// 'BUT' block of DPF is shorter than 24 bytes." (level 0); Create's lines;
    /// on success "Info: added new button(<id>)." (level 5).
    int Load(int dpf, const char* name, unsigned char master);
    /// Makes a widget from an archive file: opens it, runs Load(int, const char*, unsigned char), closes it.
    /// @param dpfFile  the archive file.
    /// @param name     the widget's name.
    /// @param master   non-zero makes a master.
    /// @return the new id; 0 when the archive does not open (or for a null
    ///         file name); -1 when the handle form fails (missing block included).
    int Load(const char* dpfFile, const char* name, unsigned char master);
    /// Reads a stored "BUT" header into desc (its callback field has no meaning).
    /// @param dpf   a handle of an open archive.
    /// @param name  the widget's name.
    /// @param desc  receives the description; untouched on failure.
    /// @return 1 when read; 0 for a null argument, a handle below 1, a missing
    ///         or unreadable block.
    /// Logs " . [IButton->LoadHeader('<name>','<archive>')] Error: 'BUT' block of
    /// DPF is shorter than 24 bytes." (level 0); a missing block is not logged.
    unsigned char LoadHeader(int dpf, const char* name, IButtonNew* desc);
    /// Reads a stored header from an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param name     the widget's name.
    /// @param desc     receives the description.
    /// @return 1 when read; 0 when the archive does not open or the handle form fails.
    unsigned char LoadHeader(const char* dpfFile, const char* name, IButtonNew* desc);
    /// Stores a widget's header as an uncompressed "BUT" block named name. Only
    /// the header: the "TILB2" tiles name_n, name_p, name_o (and name_s for a
    /// complex button) must already be in the archive (CTile::Save).
    /// @param dpf   a handle of an open archive.
    /// @param name  the widget's name, at most 24 characters.
    /// @param desc  the description to store.
    /// @return IStuffDPF->AddData's result (the stored size; -1 when a "BUT"
    ///         block of that name exists); 0 for a null argument, a handle below
    ///         1, an unknown type or a name of 25 characters or more; checked
    ///         in this order: -3 name_p missing, -2 name_n missing, -4 name_o
    ///         missing, -5 name_s missing (complex button), -6 key above 321,
    ///         -7 slider or progress bar with range outside 0..255 or value
    ///         outside 0..range. Logs nothing itself.
    int Save(int dpf, const char* name, IButtonNew* desc);
    /// Stores a header in an archive file, created when it does not exist.
    /// @param dpfFile  the archive file.
    /// @param name     the widget's name.
    /// @param desc     the description to store.
    /// @return as Save(int, const char*, IButtonNew*); 0 when the archive cannot be opened or created.
    int Save(const char* dpfFile, const char* name, IButtonNew* desc);
    /// Deletes a stored widget: its "BUT" block and, for a name shorter than
    /// 25 characters, each of the tiles name_p, name_n, name_o, name_s that exists.
    /// @param dpf   a handle of an open archive.
    /// @param name  the widget's name.
    /// @return 1 when the "BUT" block was there and deleted; 0 when it is
    ///         missing, for a null name or a handle below 1.
    unsigned char Delete(int dpf, const char* name);
    /// Deletes a stored widget from an archive file (opened and closed around the call).
    /// @param dpfFile  the archive file.
    /// @param name     the widget's name.
    /// @return as Delete(int, const char*); 0 when the archive does not open.
    unsigned char Delete(const char* dpfFile, const char* name);

    /// Makes a working widget in the current layer that draws with a master's
    /// tiles. It starts as a copy of the master (callback, key, type, select
    /// colour, position, values, text, font, name, mouse mask) and then has
    /// its own state, position and values.
    /// @param masterId  the master's id (1000..1099).
    /// @return the clone's id; -1 on failure.
    /// Logs " . [IButton->Clone(<masterId>)] Error: master button not found"
    /// (level 0), "... Warning: we have reached maximum buttons number(32) in
    /// this layer(<layer>)." (level 2), on success "... Info: added new clone
    /// button(<slot>)." (level 5).
    int Clone(int masterId);
    /// Deletes a working widget (its tiles too, unless it is a clone). Ids of
    /// 1000 and above are ignored (see RemoveMaster); unknown ids do nothing.
    /// Logs " . [IButton->Remove(<id>)] Info: button was deleted." (level 5).
    /// @param id  the widget's id.
    void Remove(int id);
    /// Deletes every working widget of the current layer. Logs
    /// " . [IButton->Remove()] Info: <n> buttons of layer <layer> were deleted." (level 5).
    void RemoveAll();
    /// Deletes a master and its tiles. Its remaining clones lose their
    /// pictures (they then draw nothing), after " . [IButton->FreeMaster(<slot>)]
    /// Warning: this master button still has <n> cloned buttons!" (level 0;
    /// -1 in place of the slot when removing all). Logs "... Info: master button
    /// deleted." (level 5) per master.
    /// @param id  a master id 1000..1099, or any negative value for all
    ///            masters; other ids do nothing.
    void RemoveMaster(int id);

    /// Makes a layer current (where Create, Load, Clone and RemoveAll act) and
    /// the only visible one. Layers outside 0..7 are ignored.
    /// @param layer  0..7.
    void SetLayer(char layer);
    /// @return the current layer, 0..7.
    char GetLayer();
    /// Shows or hides a layer; only visible layers are checked and drawn.
    /// Layers outside 0..7 are ignored.
    /// @param layer  0..7.
    /// @param on     0 hides; any positive value shows (stored as 1); negative hides.
    void SetLayerVisibility(char layer, char on);
    /// @param layer  0..7.
    /// @return 1 visible, 0 hidden; -1 for a layer outside 0..7.
    char GetLayerVisibility(char layer);
    /// @return the number of working widgets (clones included, masters not).
    int GetNum();

    /// Moves a widget and its tiles and recomputes its sensitive box as
    /// Create does (a progress bar now gets the box x, y, x+W-1, y+H-1).
    /// @param id  the widget's id.
    /// @param x   new left edge.
    /// @param y   new top edge.
    void SetPosition(int id, int x, int y);
    /// Hidden widgets are neither checked nor drawn.
    /// @param id  the widget's id.
    /// @param on  non-zero shows, 0 hides.
    void SetVisible(int id, unsigned char on);
    /// Sets a widget's state (overwritten by the next input check unless 16).
    /// For a check button the state is its check state: 4 checks it, 1
    /// unchecks it, 16 disables it keeping the check state, and any state
    /// given while it is disabled brings the kept check state back.
    /// @param id     the widget's id.
    /// @param state  1, 2, 4, 8 or 16; other values are ignored.
    void SetState(int id, char state);
    /// @param id  the widget's id.
    /// @return the state (for a check button its check state: 1 unchecked,
    ///         4 checked, 16 disabled); -1 when no widget has that id.
    int GetState(int id);
    /// Sets the step of a slider or progress bar, limited to 0..range;
    /// ignored for other types.
    /// @param id     the widget's id.
    /// @param value  the step.
    void SetValue(int id, int value);
    /// @param id  the widget's id.
    /// @return the step of a slider or progress bar; -1 for other types or no widget.
    int GetValue(int id);
    /// @param id  the widget's id.
    /// @return the number of steps of a slider or progress bar; -1 for other types or no widget.
    int GetRange(int id);
    /// Sets the activation key (types 1, 2, 4 and 32 react to it).
    /// @param id   the widget's id.
    /// @param key  an SDL key code 0..321 (0 none); others are ignored.
    void SetKey(int id, int key);
    /// @param id  the widget's id.
    /// @return the activation key; 0 for none or no widget.
    int GetKey(int id);
    /// Sets which mouse buttons act on the widget.
    /// @param id    the widget's id.
    /// @param mask  1 left, 2 middle, 4 right, or a combination 1..7; others are ignored.
    void SetMouseButtons(int id, int mask);
    /// @param id  the widget's id.
    /// @return the mouse mask (1 by default); -1 for no widget.
    int GetMouseButtons(int id);
    /// Sets the select box drawn around a selected normal button, mapped in
    /// the format of the normal tile's surface.
    /// @param id  the widget's id.
    /// @param r   red 0..255.
    /// @param g   green 0..255.
    /// @param b   blue 0..255 (0,0,0 maps to pixel 0 in most formats: no box).
    void SetColorSelect(int id, int r, int g, int b);
    /// Sets the select box colour as a screen pixel value.
    /// @param id     the widget's id.
    /// @param pixel  the pixel value; 0 draws no box.
    void SetColorSelect(int id, int pixel);
    /// @param id  the widget's id.
    /// @return the select box pixel value; 0 for none or no widget.
    int GetColorSelect(int id);
    /// Sets the callback Draw runs for a mouse activation (see the class description).
    /// @param id         the widget's id.
    /// @param fn         the callback; null for none.
    /// @param userData1  first argument of fn.
    /// @param userData2  second argument of fn.
    void SetFunction(int id, void (*fn)(void*, void*), void* userData1, void* userData2);
    /// Sets the alpha of one picture or all (Veltrano_CTile::SetAlpha; a clone
    /// changes its master's shared tiles).
    /// @param id     the widget's id.
    /// @param which  1, 2, 4, 16, or 0 for all four; missing pictures are skipped.
    /// @param alpha  0..255.
    void SetAlpha(int id, int which, int alpha);
    /// @param id     the widget's id.
    /// @param which  1, 2, 4 or 16.
    /// @return the picture's alpha as Veltrano_CTile::GetAlpha; -1 for another
    ///         which, a missing picture or no widget.
    int GetAlpha(int id, int which);
    /// Sets the colour key of one picture or all (Veltrano_CTile::SetColorKey).
    /// @param id     the widget's id.
    /// @param which  1, 2, 4, 16, or 0 for all four.
    /// @param key    a pixel value, -1 for none.
    void SetColorKey(int id, int which, int key);
    /// Sets the colour key from a colour, mapped in each picture's own format.
    /// @param id     the widget's id.
    /// @param which  1, 2, 4, 16, or 0 for all four.
    /// @param r      red 0..255, or -1 for no key.
    /// @param g      green 0..255, or -1 for no key.
    /// @param b      blue 0..255, or -1 for no key.
    void SetColorKey(int id, int which, int r, int g, int b);
    /// @param id     the widget's id.
    /// @param which  1, 2, 4 or 16.
    /// @return the picture's colour key; -1 for none, another which, a missing picture or no widget.
    int GetColorKey(int id, int which);
    /// @param id     the widget's id.
    /// @param which  1, 2, 4 or 16.
    /// @return the picture's surface (still the widget's); null for another
    ///         which, a missing picture or no widget.
    SDL_Surface* GetSurface(int id, int which);
    /// Gives an input box the font its text is drawn with. The font is
    /// borrowed: deleting it removes it from every box, which then draws no
    /// text. Without a vertical margin the text is centred vertically.
    /// @param id    an input box's id; other types are ignored.
    /// @param font  the font; null is ignored.
    void SetTextFont(int id, Veltrano_CFont* font);
    /// Sets where an input box's text goes, relative to the widget's position.
    /// @param id    an input box's id; other types are ignored.
    /// @param rect  the text rectangle (text is clipped to it); null is ignored.
    void SetTextRect(int id, SDL_Rect* rect);
    /// Sets an input box's text: at most 31 characters, then shortened until
    /// it fits the text rectangle with room for an 'm'. Needs a font (SetTextFont).
    /// @param id    an input box's id; other types, boxes without font and null text are ignored.
    /// @param text  the text.
    void SetText(int id, const char* text);
    /// @param id  an input box's id.
    /// @return the box's text (its own buffer, up to 31 characters); null for
    ///         other types or no widget.
    char* GetText(int id);
    /// Renames a widget; a longer name is cut to 27 characters.
    /// @param id    the widget's id.
    /// @param name  the new name; null is ignored.
    void SetName(int id, const char* name);
    /// @param id  the widget's id (a free working slot answers too, with an empty name).
    /// @return the widget's name (its own buffer); null for an id outside the tables.
    char* GetName(int id);

    /// Counts the widgets and writes a dump to the log (level 0).
    /// @param id  -2 counts only; -1 dumps every master and layer; a widget's
    ///            id dumps that widget (an unknown id writes only the heading).
    /// @return masters + clones + working widgets in use (a clone counts twice).
    int Info(int id);

    /// Draws every visible widget of every visible layer by its type and
    /// state, runs the callbacks of pending mouse activations, moves slider
    /// knobs, flips check buttons and edits the text of input boxes (an input
    /// box under the mouse takes the keyboard; Delete or Backspace removes the
    /// last character, typed keys are appended while the text fits). The game
    /// calls it once per rendered frame; see the class description for what
    /// fires when.
    /// @return the id of the last widget (in layer and slot order) found in
    ///         state 8 and reported by this Draw (types 1, 2, 4, 8, 32; mouse
    ///         or key activation); -1 for none, without a screen, or when
    ///         Veltrano.IsRenderNeeded() is 0 (then nothing is drawn and no
    ///         callback runs).
    /// Logs " . [IButton->Draw()] Error: Veltrano.screen was not initialized." (level 0).
    int Draw();
    /// The widget activated in this logic frame, as the last input check left
    /// it: call it once per logic frame. Reports key activations and
    /// progress bars too, and does not run callbacks.
    /// @return the id of the first visible widget (layer 0 first, then by
    ///         slot) in state 8; -1 for none or without a screen.
    /// Logs " . [IButton->Draw()] Error: Veltrano.screen was not initialized." (level 0).
    int Check();
    /// The widget under the mouse as the last input check left it.
    /// @return the id of the first visible widget in state 2 or 4, or disabled
    ///         with the mouse inside its box; -1 for none.
    int WhoIsSelected();
    /// Does nothing (kept for games that call it).
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

/// The GUI widgets; made by Veltrano.Init, deleted (and null) after Veltrano.Quit.
VELTRANO_API extern Veltrano_IButton* IButton;

#endif
