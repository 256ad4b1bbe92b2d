/// @file
/// Records shared across the Veltrano SDK's interface.
#ifndef VELTRANO_TYPES_H
#define VELTRANO_TYPES_H

#include <SDL.h>
#include "veltrano_export.h"

/// Settings used by the video mode, the sound interface and the update loop.
/// Code-first: a game fills Veltrano.Config directly or loads it from the
/// configuration file (Veltrano_Main::LoadConfig). The defaults are those the
/// core's constructor sets.
struct sConfig {
    char* title;             ///< Window caption ("Veltrano SDK Application"); the pointer is kept, not copied.
    SDL_Surface* icon;       ///< Window icon, null for none; owned by the core once set (Quit frees it).
    signed char mtfriendly;  ///< Milliseconds Update sleeps at the end of each call (0..127; 0 no sleep).
    unsigned char renderer;  ///< Video back-end; 1 (the default) = whatever SDL chose, recorded by SetVideoMode.
    unsigned char accel;     ///< 1 software (default), 2 hardware smooth, 3 hardware speed.
    unsigned char window;    ///< 0 full screen, 1 window (default), 2 window without frame.
    unsigned char colordepth;      ///< Bits per pixel; 0 (default) = the desktop's depth.
    unsigned short resolutionx;    ///< Screen width in pixels (640).
    unsigned short resolutiony;    ///< Screen height in pixels (480).
    unsigned char audioEnable;     ///< 1 audio enabled, 0 (default) not.
    /// Sample format: 8 opens the device 8-bit signed; any other value (the
    /// default 0x8008 included) opens it 16-bit signed little-endian.
    int audioFormat;
    int audioFrequency;      ///< Samples per second (11025).
    int audioMode;           ///< Channels: 1 mono (default), 2 stereo, 4 surround.
    int audioBuffer;         ///< Audio buffer size in bytes (4096).
    unsigned char musicVolume;     ///< Music volume 0..255 (128).
    unsigned char soundVolume;     ///< Sound-effect volume 0..255 (128).
};

/// One block of a DPF archive as the game sees it: filled by
/// Veltrano_IStuffDPF::FindFirst, FindNext, Search and LoadBlock, and filled
/// by the game for AddData (name, type, storage, size, data).
struct DPF_BlockData {
    char name[32];           ///< Block name, NUL-terminated, at most 31 characters.
    char type[8];            ///< Block type ("IMG", "SPR2", "FILE", ...), NUL-terminated, at most 7 characters.
    unsigned char storage;   ///< 0 compressed, 1 raw, 2 raw and scrambled.
    int size;                ///< Bytes as the game sees them (after decompression).
    int storedSize;          ///< Bytes as stored in the archive, before padding; ignored by AddData.
    /// The bytes: owned by the holder after LoadBlock (FreeBlock releases
    /// them); null after a Find.
    char* data;
};

/// Pixel-format record (40 bytes) kept in image, tile and font blocks.
struct sHeaderIPF {
    int width;               ///< Width in pixels.
    int height;              ///< Height in pixels.
    unsigned char bpp;       ///< Bits per pixel of the stored pixels.
    int alpha;               ///< Stored surface alpha, 0..255.
    int colorkey;            ///< Stored colour key, -1 (all bits set) for none.
    char name[32];           ///< Name of the image, NUL-terminated.
};

/// Public description of a GUI widget; its 24 bytes are also the content of
/// the "BUT" block (Veltrano_IButton).
struct IButtonNew {
    /// Action called with the widget's two user pointers when the mouse
    /// activates it; meaningless in a stored block.
    void (*callback)(void*, void*);
    unsigned short key;      ///< SDL key code that activates the widget, 0 none; at most 321.
    /// Widget type: 1 normal button, 2 icon (deprecated), 4 complex button,
    /// 8 slider, 16 progress bar, 32 check button, 64 input box.
    unsigned char type;
    int selectColor;         ///< Select-box colour as 0xRRGGBB; 0 no select box; -1 is refused.
    unsigned short x;        ///< Left edge on the screen.
    unsigned short y;        ///< Top edge on the screen.
    /// Sliders and progress bars: number of steps, 0..255; input boxes: the
    /// vertical text margin.
    short range;
    /// Sliders and progress bars: current step, 0..range; input boxes: the low
    /// 16 bits are the horizontal text margin.
    int value;
};

/// One entry of the network client list (28 bytes on the wire and in memory).
struct sClientInfo {
    char Name[16];           ///< Client name, NUL-terminated.
    unsigned int IP;         ///< IPv4 address as the server sees it, first octet in the most significant byte.
    int PingCurrent;         ///< Most recent ping round trip in milliseconds.
    int PingAverage;         ///< Sum of the last ten ping slots divided by 10.
};

/// One network message: the 12-byte wire header and its payload.
struct DataNet {
    unsigned char Type;      ///< Message class: DN_SYSTEM or DN_USER.
    unsigned char Cmd;       ///< Command within the class (DN_LOGIN, DN_DATA, ...).
    unsigned short Aux;      ///< System messages: the command's argument; user messages: the sequence token.
    int Size;                ///< Payload bytes, 0 for none; header plus payload at most 4 MiB.
    unsigned int CRC;        ///< Check sum of header and payload; 0 for system messages.
    char* Data;              ///< The payload, or null when Size is 0.
};

/// Message classes (DataNet::Type).
enum : unsigned char {
    DN_SYSTEM = 0x20,        ///< Messages of the SDK's own protocol (login, ping, client list).
    DN_USER = 0x40           ///< Application data, checked by sequence token and CRC.
};
/// System commands (DataNet::Cmd of DN_SYSTEM messages).
enum : unsigned char {
    DN_LOGIN_DENIED = 0x22,   ///< Server to a connecting client: login refused, Aux the reason 0..5.
    DN_LOGIN_ACCEPTED = 0x24, ///< Server to a connecting client: logged in, Aux the login seed, payload its name.
    DN_LOGIN = 0x26,          ///< Client to server: log in, Aux the password, payload the client name.
    DN_CLIENT_IN = 0x28,      ///< Server to the other clients: a client logged in, payload its name.
    DN_QUIT_CLIENT = 0x2A,    ///< Client to server: log me out; server to the others: a client left (its name).
    DN_CLOSE_SERVER = 0x2C,   ///< Client to server: close the server; server to a client: you are dropped.
    DN_CLIENTS_INFO = 0x2E,   ///< Client to server: request the client list; server to client: the sClientInfo list.
    DN_PING = 0x30            ///< Server to each client and echoed back: measures the round trip.
};
/// User commands (DataNet::Cmd of DN_USER messages).
enum : unsigned char {
    DN_DATA_RELAY = 0x40,     ///< Server to the other clients: another client's data, relayed.
    DN_DATA_CHECK = 0x42,     ///< Client to server: data the server's validation callback judges.
    DN_DATA_VALID = 0x44,     ///< Server to the sender: its data was accepted (authoritative mode).
    DN_DATA_DENIED = 0x46,    ///< Server to the sender: its data was refused by the callback (authoritative mode).
    DN_DATA = 0x48            ///< Client to server: data without a validation request.
};

/// Format of a sound or music file or block, filled by
/// Veltrano_ISoundFX::SoundInfo and MusicInfo.
struct sAudioType {
    char typeTag[5];             ///< "WAV", "AIFF", "OGG", "VOC", "IT", "XM", "S3M" or "MOD", NUL-terminated.
    unsigned char channels;      ///< Channels of the decoded sound; 0 for modules.
    unsigned short sampleFormat; ///< SDL audio format of the decoded sound; 0 for modules.
    int frequency;               ///< Sample rate in Hz; 0 for modules.
    int byteSize;                ///< Size in bytes of the file, or of the block's data.
};

#endif
