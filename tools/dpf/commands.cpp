#include "commands.h"

#include <cstdint>

namespace {

constexpr size_t kAny = SIZE_MAX;

const OptionSpec kPasswordFile{"password-file", 0, true, "FILE",
                               "read the password of a protected archive from FILE (one trailing line end "
                               "is ignored); without it a terminal is asked"};
const OptionSpec kType{"type", 't', true, "T", "block type, at most 7 characters"};

std::vector<Command> BuildCommands() {
    return {
        {"create", "ARCHIVE", "make a new, empty archive",
         "Makes a new archive with no blocks. An existing file is kept unless --force is given.",
         {{"force", 'f', false, "", "replace an existing file"}},
         1, 1, RunCreate},
        {"add", "ARCHIVE FILE...", "add files as blocks",
         "Adds each FILE as one block, compressed unless --raw or --scramble is given (a file that "
         "compression would not make smaller is stored raw). A block is named "
         "after the file's base name (at most 31 characters) and typed FILE unless told otherwise. With "
         "--image each FILE is a PNG or BMP picture stored as an IMG block, the form the SDK's image "
         "loader reads; with --tile it is stored as a tile (a TILE2 block unless --type TILB2 is given), "
         "optionally cut into a grid of cells with --grid. With --sprite each FILE is a sheet of equal frames "
         "(one animation per row, a row's frames ending at its first one-colour frame) cut by the SDK's sprite "
         "maker into frames of the --frame size and stored as an SPR2 block. With --font each FILE is a font "
         "bitmap (PNG or BMP: "
         "the glyphs '!' to '~' in one row, separated by empty columns) checked, cut and stored as a FONT2 "
         "block; a bitmap that cannot be cut is refused and its detected gaps are marked in FontWithErrors.bmp "
         "in the working folder. With --button TYPE the FILEs are a widget's pictures, NORMAL PRESSED OFF and, "
         "for a complex button, SELECTED (a slider's PRESSED picture is its knob, a progress bar's the empty "
         "step, a check button's the checked look, an input box's the editing look); they are stored as "
         "TILB2 blocks NAME_n, NAME_p, NAME_o and NAME_s and the widget as the BUT block NAME, which the "
         "SDK then loads back to check it. With --sound each FILE is a WAV, AIFF, VOC or Ogg Vorbis sound stored "
         "as a scrambled SND block; with --music an Ogg Vorbis file or a MOD, S3M, XM or IT module as a MUS "
         "block, scrambled when the file's name ends in \"g\" (as \".ogg\" does), else compressed. A file the SDK cannot read as such is refused.",
         {{"type", 't', true, "T", "block type, at most 7 characters (default FILE)"},
          {"name", 'n', true, "N", "block name, with a single FILE only"},
          {"raw", 0, false, "", "store the bytes as they are"},
          {"scramble", 0, false, "", "store the bytes scrambled"},
          {"xml", 0, false, "", "refuse files that are not well-formed XML (stored as FILE blocks)"},
          {"image", 'i', false, "", "store PNG or BMP pictures as IMG blocks"},
          {"depth", 0, true, "BITS", "with --image: convert to 15, 16, 24 or 32 bits per pixel"},
          {"colorkey", 0, true, "RRGGBB",
           "with --image or --tile: the colour (hexadecimal) drawn as transparent"},
          {"tile", 0, false, "", "store PNG or BMP pictures as tiles (TILE2 or TILB2 blocks)"},
          {"grid", 0, true, "WxH", "with --tile: cut the tile into cells of W x H pixels"},
          {"font", 0, false, "", "store font bitmaps as FONT2 blocks"},
          {"sprite", 0, false, "", "store PNG or BMP sheets as sprites (SPR2 blocks)"},
          {"frame", 0, true, "WxH", "with --sprite: the size of one frame of the sheet"},
          {"sound", 0, false, "", "store sound files as SND blocks"},
          {"music", 0, false, "", "store Ogg Vorbis music or tracker modules as MUS blocks"},
          {"button", 0, true, "TYPE",
           "store a GUI widget named --name: normal, icon, complex, slider, progress, check or input"},
          {"key", 0, true, "KEY", "with --button: the activation key: a character, a name (return, space, f1, ...) or a code"},
          {"select-color", 0, true, "RRGGBB", "with --button: the colour of the select box"},
          {"range", 0, true, "N", "with --button slider or progress: the number of steps, 0 to 255"},
          {"value", 0, true, "N", "with --button slider or progress: the current step"},
          {"margins", 0, true, "X,Y", "with --button input: the text margins"},
          {"position", 0, true, "X,Y", "with --button: the widget's position"},
          kPasswordFile},
         2, kAny, RunAdd},
        {"pack", "ARCHIVE DIR", "add every file of a folder",
         "Adds every regular file directly inside DIR as a compressed FILE block named after the file "
         "(raw when compression would not make it smaller). "
         "The archive is created when it does not exist.",
         {kPasswordFile},
         2, 2, RunPack},
        {"list", "ARCHIVE", "list the blocks",
         "Lists every block with its name, type, storage, size, stored size and the stored share of the "
         "size; image and tile blocks also with their width, height and bits per pixel, tiles with their "
         "cells, font blocks with their size, glyph count and kerning, sprite blocks with their frame size, "
         "animations and frame counts, sound and music blocks with their format (\"WAV 22050 Hz mono\", "
         "\"XM module\"). Deleted blocks stay in the "
         "archive until it is compacted and are marked.",
         {kPasswordFile},
         1, 1, RunList},
        {"extract", "ARCHIVE [NAME]", "write blocks out as files",
         "Writes the block NAME, or every block (of type T with --type), to files named after the blocks. "
         "Blocks whose names contain folder separators or are \"..\" are refused. With --png only IMG, "
         "tile, FONT2 and SPR2 blocks are written (a sprite as its whole sheet), as PNG pictures named after "
         "the block with \".png\" added. SND and MUS blocks are written as the files they came from, named "
         "after the block with their format's tag added (\"coin.WAV\", \"theme.XM\").",
         {kType, {"output", 'o', true, "DIR", "folder for the files (made when missing; default: here)"},
          {"png", 0, false, "", "write IMG, tile, FONT2 and SPR2 blocks as PNG pictures"},
          kPasswordFile},
         1, 2, RunExtract},
        {"delete", "ARCHIVE NAME", "mark a block deleted",
         "Marks the block NAME deleted. Its space is given back by 'compact'.",
         {kType, kPasswordFile},
         2, 2, RunDelete},
        {"compact", "ARCHIVE", "drop deleted blocks for good",
         "Rewrites the archive without its deleted blocks. The temporary copy \"dpf.tmp\" is made beside "
         "the archive.",
         {kPasswordFile},
         1, 1, RunCompact},
        {"protect", "ARCHIVE", "write a password-protected copy",
         "Writes a copy of the archive whose blocks are enciphered with a password of 8 to 56 bytes, "
         "beside it, named after it with \"_secure.dpf\". The archive itself is not changed.",
         {kPasswordFile},
         1, 1, RunProtect},
        {"unprotect", "ARCHIVE", "write a plain copy of a protected archive",
         "Writes a plain copy of a protected archive beside it, named after it with \"_unsecure.dpf\". "
         "The archive itself is not changed.",
         {kPasswordFile},
         1, 1, RunUnprotect},
        {"info", "ARCHIVE", "show the archive's header and counts",
         "Shows the copyright text, the creation and modification dates, whether the archive is "
         "protected, its size, the share taken by deleted blocks and the block counts. A protected "
         "archive's blocks are counted only when its password is given.",
         {kPasswordFile},
         1, 1, RunInfo},
    };
}

}  // namespace

const std::vector<Command>& AllCommands() {
    static const std::vector<Command> commands = BuildCommands();
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : AllCommands())
        if (name == command.name) return &command;
    return nullptr;
}

const std::vector<OptionSpec>& CommonOptions() {
    static const std::vector<OptionSpec> options = {
        {"log", 0, true, "FILE", "write the SDK's log to FILE"},
        {"help", 'h', false, "", "show this help"},
    };
    return options;
}
