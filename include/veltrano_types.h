// Records shared across the Veltrano SDK's interface.
#ifndef VELTRANO_TYPES_H
#define VELTRANO_TYPES_H

#include <SDL.h>
#include "veltrano_export.h"

// Settings used by the video mode, the sound interface and the update loop.
// Code-first: a game fills it directly or loads it from the configuration file.
struct sConfig {
    char* title;             // window caption; the pointer is kept, not copied
    SDL_Surface* icon;       // window icon; owned by the core once set
    signed char mtfriendly;  // milliseconds Update sleeps per call (0..127)
    unsigned char renderer;  // video back-end; 1 = whatever SDL chose
    unsigned char accel;     // 1 software, 2 hardware smooth, 3 hardware speed
    unsigned char window;    // 0 full screen, 1 window, 2 window without frame
    unsigned char colordepth;      // bits per pixel; 0 = desktop depth
    unsigned short resolutionx;
    unsigned short resolutiony;
    unsigned char audioEnable;
    // 8 opens the device 8-bit signed; any other value (the default 0x8008
    // included) opens it 16-bit signed little-endian.
    int audioFormat;
    int audioFrequency;
    int audioMode;           // 1 mono, 2 stereo, 4 surround
    int audioBuffer;         // bytes
    unsigned char musicVolume;
    unsigned char soundVolume;
};

// One block of a DPF archive as the game sees it.
struct DPF_BlockData {
    char name[32];           // NUL-terminated, at most 31 characters
    char type[8];            // NUL-terminated, at most 7 characters
    unsigned char storage;   // 0 compressed, 1 raw, 2 raw and scrambled
    int size;                // bytes as the game sees them
    int storedSize;          // bytes as stored, before padding
    char* data;              // owned by the holder after LoadBlock; FreeBlock releases it
};

// Pixel-format record kept in image, tile and font blocks.
struct sHeaderIPF {
    int width;
    int height;
    unsigned char bpp;
    int alpha;               // stored surface alpha, 0..255
    int colorkey;            // stored colour key, -1 for none
    char name[32];
};

// Public description of a GUI widget (its stored form is the "BUT" block).
struct IButtonNew {
    void (*callback)(void*, void*);
    unsigned short key;      // SDL key code that activates the widget, 0 none
    unsigned char type;
    int selectColor;         // 0xRRGGBB; 0 no select box
    unsigned short x;
    unsigned short y;
    short range;
    int value;
};

// One entry of the network client list (28 bytes on the wire and in memory).
struct sClientInfo {
    char Name[16];
    unsigned int IP;         // first octet in the most significant byte
    int PingCurrent;
    int PingAverage;
};

// One network message: the 12-byte wire header and its payload.
struct DataNet {
    unsigned char Type;      // DN_SYSTEM or DN_USER
    unsigned char Cmd;
    unsigned short Aux;      // system: the argument; user: the sequence token
    int Size;                // payload bytes, 0 for none
    unsigned int CRC;        // 0 for system messages
    char* Data;              // the payload, or null
};

// Message classes.
enum : unsigned char { DN_SYSTEM = 0x20, DN_USER = 0x40 };
// System commands.
enum : unsigned char {
    DN_LOGIN_DENIED = 0x22,
    DN_LOGIN_ACCEPTED = 0x24,
    DN_LOGIN = 0x26,
    DN_CLIENT_IN = 0x28,
    DN_QUIT_CLIENT = 0x2A,
    DN_CLOSE_SERVER = 0x2C,
    DN_CLIENTS_INFO = 0x2E,
    DN_PING = 0x30
};
// User commands.
enum : unsigned char {
    DN_DATA_RELAY = 0x40,
    DN_DATA_CHECK = 0x42,
    DN_DATA_VALID = 0x44,
    DN_DATA_DENIED = 0x46,
    DN_DATA = 0x48
};

// Format of a sound or music file or block.
struct sAudioType {
    char typeTag[5];
    unsigned char channels;
    unsigned short sampleFormat;
    int frequency;
    int byteSize;
};

#endif
