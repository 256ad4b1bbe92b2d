/// @file
/// Sprites: animated pictures cut from one sheet, a grid of equal frames where
/// every row is one animation and every column one frame of it. Made from an
/// image file or a surface, stored in DPF archives as "SPR2" blocks (version 1
/// "SPR" blocks are upgraded in place when loaded). Slaves made by Clone share
/// their master's sheet; the master must outlive them. The game creates and
/// deletes sprites itself; the core counts the live ones.
#ifndef VELTRANO_CSPRITE_H
#define VELTRANO_CSPRITE_H

#include <SDL.h>
#include "veltrano_types.h"

/// An argument of SetAnimProperties with this value leaves its property as it
/// is (so the real value 2730 cannot be set through that call).
#define KEEP_VALUE 2730

#define SPRITE_ANIM_LOOP 2       ///< Animation type: frames 0 1 2 3 0 1 ...
#define SPRITE_ANIM_PINGPONG 4   ///< Animation type: frames 0 1 2 3 2 1 0 1 ...
#define SPRITE_ANIM_ONESHOT 8    ///< Animation type: frames 0 1 2 3, then stays on 3.

// Direction categories of an animation's state id (high byte; the low byte is
// a free index). A sprite made from a surface gives row i the state 0x8000+i.
#define SPRITE_STATE_NORMAL 0x8000     ///< State category Normal (rows of a made sprite: 0x8000 + row).
#define SPRITE_STATE_UP 0x4000         ///< State category Up; the low byte is a free index.
#define SPRITE_STATE_DOWN 0x2000       ///< State category Down.
#define SPRITE_STATE_LEFT 0x1000       ///< State category Left.
#define SPRITE_STATE_RIGHT 0x0800      ///< State category Right.
#define SPRITE_STATE_UPLEFT 0x0400     ///< State category UpLeft.
#define SPRITE_STATE_UPRIGHT 0x0200    ///< State category UpRight.
#define SPRITE_STATE_DOWNLEFT 0x0100   ///< State category DownLeft.
#define SPRITE_STATE_DOWNRIGHT 0xC000  ///< State category DownRight.

#define SPRITE_FX_NONE 0          ///< SetEffect: no effect.
#define SPRITE_FX_FLIP 1          ///< SetEffect: upside down.
#define SPRITE_FX_MIRROR 2        ///< SetEffect: left to right.
#define SPRITE_FX_RESIZE 3        ///< SetEffect: scaled by param1 (horizontal) and param2 (vertical).
#define SPRITE_FX_ROTATE 4        ///< SetEffect: rotated by param1 degrees.
#define SPRITE_FX_ROTATERESIZE 5  ///< SetEffect: rotated by param1 degrees and scaled by param2.

struct SpriteData;

/// An animated picture. The sheet is a grid of frameWidth x frameHeight
/// frames: row r is animation r + 1 (state id 0x8000 + r when made from an
/// image), its frames run left to right up to the first empty frame (one
/// whose pixels all equal its top-left pixel, fully transparent ones
/// aside). Each animation has a type (SPRITE_ANIM_*), a state id (its
/// SPRITE_STATE_* category in the high byte and a free index in the low
/// byte), a hot spot (the point of the frame placed on the sprite's
/// position), a range [startFrame, endFrame) that plays and a display time
/// per frame (100 ms when made).
///
/// Empty until Create, Load or Clone; running (status 1) or paused (2)
/// after. Calls on an empty sprite do nothing and return the value given
/// for it, without a log line. A slave whose master was deleted or
/// cleaned logs " . [CSprite::<call>()] Error: the master of sprite
/// '<name>' was deleted or cleaned." (level 0) in every call that needs
/// the sheet (Draw, Collision, Save, GetSurface, SetColorKey, SetAlpha,
/// Info) and fails it. Counted in Veltrano.spriteCount.
class VELTRANO_API Veltrano_CSprite {
public:
    /// An empty sprite; background restore is on unless there is no screen
    /// yet, the screen is double-buffered or the core runs on OpenGL.
    Veltrano_CSprite();
    /// Frees what the sprite owns (also when paused) and uncounts it; its
    /// slaves are told that their master is gone.
    ~Veltrano_CSprite();
    /// Sprites are not copied (Clone shares a sheet instead).
    Veltrano_CSprite(const Veltrano_CSprite&) = delete;
    /// Sprites are not copied.
    /// @return never (deleted).
    Veltrano_CSprite& operator=(const Veltrano_CSprite&) = delete;

    /// Makes the sprite from a BMP or PNG file, read without automatic
    /// conversion, then as Create(SDL_Surface*, const char*, int, int).
    /// @param file         the image file.
    /// @param name         the sprite's name (and the block name Save uses); at most 31 characters are kept.
    /// @param frameWidth   frame width in pixels; must divide the image width.
    /// @param frameHeight  frame height in pixels; must divide the image height.
    /// @return the number of animations; 0 on failure (silently for a null file or name).
    /// Logs after " . [CSprite::Create('<file>','<name>')] ": "Error: Veltrano was
    /// not initialized. Aborting the sprite creation." (level 0); "Warning:
    /// sprite already exists. It is not possible to create another one."
    /// (level 2); "Error: it was not possible to load the given image file."
    /// (level 0); then the lines of the surface form.
    int Create(const char* file, const char* name, int frameWidth, int frameHeight);
    /// Makes the sprite from a copy of a surface, converted to the screen's
    /// format when it differs. The source's colour key and surface alpha are
    /// kept; an alpha channel with the alpha flag gives per-pixel alpha.
    /// Position 0,0; every animation Loop, whole row, hot spot 0,0.
    /// @param surface      the sheet; it stays the caller's.
    /// @param name         the sprite's name; at most 31 characters are kept.
    /// @param frameWidth   frame width; must divide the surface width.
    /// @param frameHeight  frame height; must divide the surface height.
    /// @return the number of animations (sheet height / frameHeight); 0 on
    ///         failure (also, silently, for a surface of width or height 0 or
    ///         when the copy cannot be made).
    /// Logs after " . [CSprite::Create('<name>',<frameWidth>,<frameHeight>)] ", checked
    /// in this order: "Error: Veltrano was not initialized. Aborting the sprite
    /// load." (level 0); "Warning: sprite already exists. It is not possible to
    /// create another one." (level 2); "Error: sprite surface or name are null.";
    /// "Error: Offset X and/or Y are less than 1 pixel."; "Error: Offset X does
    /// not split correctly the sprite surface."; "Error: Offset Y does not split
    /// correctly the sprite surface." (level 0). A per-pixel sheet that is
    /// converted logs " . [CSprite->Create('<name>',<w>,<h>)] Info: surface with
    /// alpha per pixel loaded, it could slow down your graphics system." (level 5).
    int Create(SDL_Surface* surface, const char* name, int frameWidth, int frameHeight);
    /// Loads the sprite from an archive file: opens it, runs Load(int, const char*, const char*), closes it.
    /// @param dpfFile  the archive file.
    /// @param name     the block's name.
    /// @param note     free text shown in the log lines only.
    /// @return the number of animations; 0 when the archive does not open or the handle form fails.
    /// Logs as the handle form.
    int Load(const char* dpfFile, const char* name, const char* note);
    /// Loads the sprite from the "SPR2" block of an open archive; an "SPR"
    /// block of that name is replaced in the archive by its "SPR2" upgrade
    /// (an old colour key of 0 meaning none). Position, animations, frame
    /// times, alpha and colour key come from the block; the first animation
    /// is selected on its start frame.
    /// @param dpf   a handle from IStuffDPF->Open or IStuffDPF->Create.
    /// @param name  the block's name, which becomes the sprite's name.
    /// @param note  free text shown in the log lines only; must not be null.
    /// @return the number of animations; 0 on failure (silently for a handle
    ///         below 1, a null name or note, or a sheet SDL cannot make).
    /// Logs after " . [CSprite::Load('<archive>','<name>','<note>')] ": "Error:
    /// Veltrano was not initialized. Aborting the sprite load." (level 0);
    /// "Warning: sprite already exists. It is not possible to create another
    /// one." (level 2); "Error: sprite not found" (level 0); "Error: the sprite
    /// block is damaged: <reason>." (level 0); "Error: update to v2.0 was not
    /// possible." (level 0, the "SPR" block stays); "Info: sprite successfully
    /// updated from v1.0 to v2.0." (level 2). A per-pixel sheet logs
    /// " . [CSprite->Load('<archive>','<name>')] Info: surface with alpha per
    /// pixel loaded, it could slow down your graphics system." (level 5).
    int Load(int dpf, const char* name, const char* note);
    /// Stores the sprite in an archive file, created when it does not exist.
    /// @param dpfFile    the archive file.
    /// @param blockType  the block type, as for Save(int, const char*).
    /// @return as Save(int, const char*); 0 when the archive cannot be opened or created.
    int Save(const char* dpfFile, const char* blockType);
    /// Stores the sprite, compressed, as a block named after it: frame size,
    /// position (whole pixels), animations with their frame times, alpha,
    /// colour key and the sheet's pixels.
    /// @param dpf        a handle of an open archive.
    /// @param blockType  the block type, used as given (cut to 7 characters);
    ///                   Load only finds "SPR2" blocks.
    /// @return IStuffDPF->AddData's result: the stored size when added, -1
    ///         when a block of that name and type exists (it is not replaced);
    ///         0 for an empty sprite, a handle below 1, a null type, a slave
    ///         whose master is gone or a failure.
    int Save(int dpf, const char* blockType);
    /// Makes this (empty) sprite a slave of master: it shares the master's
    /// sheet and copies its name, frame size, position, alpha, colour key,
    /// background restore, speed factor, status and animations (which it then
    /// plays on its own). Effects, collision method and selected animation
    /// are not copied. The master must stay loaded as long as the slave is used.
    /// @param master  a loaded master sprite.
    /// @return the number of animations; 0 for a null or empty master, or
    ///         when refused.
    /// Logs " . [CSprite::Clone()] Warning: sprite already exists. It is not
    /// possible to create another one." and " . [CSprite::Clone()] Warning: the
    /// given sprite is already a clone. You can only clone a master sprite."
    /// (both level 2).
    int Clone(Veltrano_CSprite* master);
    /// Releases a running sprite and makes it empty (the name stays); a paused
    /// sprite is left as it is. Cleaning a master cuts off its slaves.
    void Clean();

    /// Switches the saving and restoring of the screen under the sprite: with
    /// it, each Draw first puts back what the sprite covered at its last Draw.
    /// Always off under OpenGL; ignored for an empty sprite.
    /// @param on  non-zero on, 0 off.
    void AutoRestore(char on);
    /// Sets or clears the colour key on the (shared) sheet. Ignored for an
    /// empty sprite or the current key; with per-pixel alpha only the value
    /// is kept. Under OpenGL the sheet is converted and uploaded again,
    /// logging " . [CSprite::SetColorKey(<key>)] Warning: on-the-fly surface
    /// conversion. It may affect to the performance." (level 2).
    /// @param key  a pixel value in the sheet's format, -1 for none.
    void SetColorKey(int key);
    /// Sets the colour key from a colour, mapped into the sheet's format.
    /// @param r  red 0..255, or -1 to clear the key.
    /// @param g  green 0..255, or -1 to clear the key.
    /// @param b  blue 0..255, or -1 to clear the key.
    void SetColorKey(int r, int g, int b);
    /// @return the colour key's pixel value; -1 for none or an empty sprite.
    int GetColorKey();
    /// Sets the surface alpha (put back on the shared sheet by every Draw
    /// without an effect). Ignored outside 0..255, for an empty or per-pixel
    /// sprite. On a hardware screen (not OpenGL) a change between 255 and
    /// translucent converts the sheet again and logs " . [CSprite::SetAlpha(<alpha>)]
    /// Warning: on-the-fly surface conversion. It may affect to the performance." (level 2).
    /// @param alpha  0..255; 255 switches blending off.
    void SetAlpha(int alpha);
    /// @return 0..255; 256 with per-pixel alpha; -1 when empty.
    int GetAlpha();
    /// Renames the sprite; ignored when empty, for a null name or one of 32 characters or more.
    /// @param name  the new name.
    void SetName(const char* name);
    /// @return the sprite's name (its own buffer); null when empty.
    char* GetName();
    /// @return the sheet (the master's for a slave; still the sprite's); null
    ///         when empty or when a slave's master is gone.
    SDL_Surface* GetSurface();
    /// The frame size (0 x 0 when empty).
    /// @param width   receives the frame width; may be null.
    /// @param height  receives the frame height; may be null.
    void GetOffset(int* width, int* height);
    /// Writes the sprite's name, memory, kind, frame size, position, alpha,
    /// colour key and every animation with its frames to the log (level 0), or
    /// "Sprite information: current sprite is empty.".
    void Info();

    /// Selects the first animation with this state id. A One Shot animation
    /// restarts at its start frame; any other keeps its own current frame,
    /// brought into its range.
    /// @param state  a state id (e.g. SPRITE_STATE_NORMAL + 0).
    /// @return 1 when selected; 0 when empty or not found.
    /// Logs " . [CSprite::SelectAnim(<state>)] Warning: animation not found." (level 2).
    unsigned char SelectAnim(int state);
    /// @return the selected animation's state id; -1 when empty.
    int GetAnim();
    /// Sets the selected animation's current frame, limited to its range.
    /// @param frame  a frame from 0.
    /// @return 1; 0 when empty.
    unsigned char SelectFrame(int frame);
    /// @return the selected animation's current frame (from 0); -1 when empty.
    int GetFrame();
    /// Changes an animation's properties; any argument equal to KEEP_VALUE
    /// leaves its property unchanged. startFrame is limited to the end frame
    /// in force and to the frame count, then endFrame is raised to at least
    /// the new start and limited to the frame count.
    /// @param anim        the animation, from 1.
    /// @param type        SPRITE_ANIM_LOOP, SPRITE_ANIM_PINGPONG or SPRITE_ANIM_ONESHOT.
    /// @param state       the state id.
    /// @param hotSpotX    hot spot x inside the frame.
    /// @param hotSpotY    hot spot y inside the frame.
    /// @param startFrame  first frame that plays, from 0.
    /// @param endFrame    one past the last frame that plays.
    /// @return 1 when done; 0 when empty or refused (nothing changed).
    /// Logs " . [CSprite::SetAnimProperties(<all seven arguments>)] Warning:
    /// animation not found." and "... Warning: wrong animation type." (level 2).
    unsigned char SetAnimProperties(int anim, unsigned short type, unsigned short state,
                                    short hotSpotX, short hotSpotY,
                                    unsigned short startFrame, unsigned short endFrame);
    /// Reads an animation's properties; nothing is written when empty or for
    /// an animation that does not exist.
    /// @param anim        the animation, from 1.
    /// @param type        receives the type; may be null (as every pointer here).
    /// @param state       receives the state id.
    /// @param frameCount  receives the number of frames of the row.
    /// @param hotSpotX    receives the hot spot x.
    /// @param hotSpotY    receives the hot spot y.
    /// @param startFrame  receives the first frame that plays, from 0.
    /// @param endFrame    receives one past the last frame that plays.
    void GetAnimProperties(int anim, unsigned short* type, unsigned short* state,
                           unsigned short* frameCount, short* hotSpotX, short* hotSpotY,
                           unsigned short* startFrame, unsigned short* endFrame);
    /// Sets a frame's display time.
    /// @param anim   the animation, from 1.
    /// @param frame  the frame, from 1; 0 sets every frame of the animation.
    /// @param time   display time in milliseconds.
    /// @return 1 when set; 0 when empty or refused.
    /// Logs " . [CSprite::SetFrame(<anim>,<frame>,<time>)] Warning: animation not
    /// found." and "... Warning: frame not found." (level 2).
    unsigned char SetFrameProperties(int anim, int frame, unsigned int time);
    /// Reads a frame's display time; nothing is written unless the animation
    /// and frame exist.
    /// @param anim   the animation, from 1.
    /// @param frame  the frame, from 1.
    /// @param time   receives the time in milliseconds; may be null.
    void GetFrameProperties(int anim, int frame, unsigned int* time);
    /// Sets the speed factor: frame times are divided by it (2.0 plays twice
    /// as fast). A factor of 0 or below stops the animation. Works on empty
    /// sprites too.
    /// @param factor  the speed factor, 1.0 by default.
    void SetAnimFactor(float factor);
    /// Stops the animation on its current frame (Draw still draws it and returns 3).
    void Pause();
    /// Lets a paused animation step again.
    void Resume();
    /// Whether a One Shot animation has reached its last frame.
    /// @return 1 when the selected animation is One Shot and shows its last
    ///         frame, or when the sprite is empty; else 0.
    unsigned char IsFinished();

    /// Moves the sprite's hot spot to (x, y). With interpolate > 0 Draw moves
    /// it from the old position to the new one as the current logic frame
    /// progresses (Veltrano.GetLogicTime's fraction); otherwise it jumps.
    /// Ignored for an empty sprite.
    /// @param x            target x.
    /// @param y            target y.
    /// @param interpolate  > 0 smooths the move; 0 or less does not.
    void SetPosition(int x, int y, int interpolate);
    /// @return the target x (not the drawn one), as a 16-bit value; 0 when empty.
    int GetPosX();
    /// @return the target y (not the drawn one), as a 16-bit value; 0 when empty.
    int GetPosY();
    /// Chooses the special effect the current frame is drawn (and collides)
    /// with; the transformed frame is cached and rebuilt at each frame step
    /// or change of effect, so new parameters of the effect in force show
    /// from the next frame step. Works on empty sprites too.
    /// @param effect  one of the SPRITE_FX_ values; others are ignored.
    /// @param mode    resize and rotations: 0 or 1 (limited to that), the screen effects' mode.
    /// @param param1  resize: horizontal factor; rotations: the angle in degrees.
    /// @param param2  resize: vertical factor; rotate and resize: the scale.
    void SetEffect(int effect, int mode, double param1, double param2);

    /// Sets the collision method used by Collision (one of IPrimitives'
    /// methods); -1 uses whatever IPrimitives uses. Values below -1 become -1.
    /// @param method  the method, or -1.
    void SetCollisionMethod(int method);
    /// @return the collision method; -1 for IPrimitives' own.
    int GetCollisionMethod();

    /// Steps the animation when the current frame's time (divided by the
    /// speed factor) has passed, at most one frame per call, and draws the
    /// current frame with its hot spot at the (smoothed) position. With
    /// background restore on it first puts back the screen it covered at the
    /// last Draw and saves the screen under the new place. The software cursor
    /// is taken off the destination while drawing.
    /// @param target  the surface to draw on; null is Veltrano.screen.
    /// @return 0 failure (empty, no target and no screen, slave without
    ///         master); 1 the frame changed; 2 it did not; 3 paused. When the
    ///         frame (or its effect) cannot be prepared nothing is drawn but
    ///         1, 2 or 3 is still returned.
    /// Logs " . [CSprite::Draw()] Error: Veltrano.screen was not initialized." (level 0).
    int Draw(SDL_Surface* target);
    /// Tests whether the current frames of two sprites overlap, with their
    /// effects and hot spots applied, by IPrimitives->PixelCollision under
    /// this sprite's collision method.
    /// @param other      the other sprite.
    /// @param otherX     the other's hot-spot x; -1 where it was last drawn.
    /// @param otherY     the other's hot-spot y; -1 where it was last drawn.
    /// @param x          this sprite's hot-spot x; -1 where it was last drawn.
    /// @param y          this sprite's hot-spot y; -1 where it was last drawn.
    /// @param showBoxes  non-zero outlines the tested boxes on the screen.
    /// @return 1 when they collide; 0 when not, or when either sprite is
    ///         empty, null or a slave without master.
    int Collision(Veltrano_CSprite* other, short otherX, short otherY, short x, short y,
                  unsigned char showBoxes);
    /// Tests whether the current frame overlaps a surface placed at rect.
    /// @param surface    the other image.
    /// @param rect       where the surface is placed.
    /// @param x          this sprite's hot-spot x; -1 where it was last drawn.
    /// @param y          this sprite's hot-spot y; -1 where it was last drawn.
    /// @param showBoxes  non-zero outlines the tested boxes on the screen.
    /// @return 1 when they collide; 0 when not, or when empty, surface or rect
    ///         is null, or a slave without master.
    int Collision(SDL_Surface* surface, SDL_Rect* rect, short x, short y, unsigned char showBoxes);

private:
    SpriteData* data;
};

#endif
