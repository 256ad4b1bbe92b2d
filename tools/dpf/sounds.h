// Sounds and music in archives: audio files stored as "SND" and "MUS"
// blocks through the SDK's own importer, their format shown in listings,
// and the blocks written back out as the files they came from.
#ifndef VELTRANO_DPF_SOUNDS_H
#define VELTRANO_DPF_SOUNDS_H

#include <string>

#include "archive_session.h"

constexpr char kSoundBlockType[] = "SND";
constexpr char kMusicBlockType[] = "MUS";

bool IsAudioBlockType(const std::string& type);

// Checks that the file is a sound (WAV, AIFF, VOC, Ogg Vorbis) or, with
// music, music (Ogg Vorbis or a tracker module) the SDK can read, and adds
// it as the SND or MUS block name.
bool AddAudioFile(ArchiveSession& archive, const std::string& path, const std::string& name, bool music);

// "WAV 22050 Hz mono", "XM module", ... of a SND or MUS block, or "" when
// the SDK does not know its format.
std::string AudioDescription(ArchiveSession& archive, const BlockEntry& block);

// The file a SND or MUS block is extracted to, the name the SDK's own export
// gives it: "<name>.<format tag>", or the bare name when the format is unknown.
std::string AudioFileName(ArchiveSession& archive, const BlockEntry& block);

#endif
