#include "sounds.h"

#include <veltrano.h>

#include "files.h"
#include "messages.h"

namespace {

const char kOggTag[] = "OGG";

// The format of a file (dpfHandle 0) or block, as the SDK tells it.
bool ReadFormat(int dpfHandle, const std::string& name, bool music, sAudioType& info) {
    info = sAudioType{};
    return (music ? ISoundFX->MusicInfo(dpfHandle, name.c_str(), &info)
                  : ISoundFX->SoundInfo(dpfHandle, name.c_str(), &info)) == 1;
}

// Sampled audio comes with its rate; modules have none, and neither has an
// Ogg stream that does not decode, which the SDK's loaders refuse.
bool IsModule(const sAudioType& info) { return info.frequency == 0 && std::string(info.typeTag) != kOggTag; }
bool IsPlayable(const sAudioType& info) { return info.frequency != 0 || IsModule(info); }

std::string Describe(const sAudioType& info) {
    const std::string tag = info.typeTag;
    if (IsModule(info)) return tag + " module";
    if (!IsPlayable(info)) return tag + ", undecodable";
    const std::string layout = info.channels == 1   ? "mono"
                               : info.channels == 2 ? "stereo"
                                                    : std::to_string(info.channels) + " channels";
    return tag + " " + std::to_string(info.frequency) + " Hz " + layout;
}

bool ReadBlockFormat(ArchiveSession& archive, const BlockEntry& block, sAudioType& info) {
    return IsAudioBlockType(block.type) && archive.unlocked() &&
           ReadFormat(archive.handle(), block.name, block.type == kMusicBlockType, info);
}

}  // namespace

bool IsAudioBlockType(const std::string& type) { return type == kSoundBlockType || type == kMusicBlockType; }

bool AddAudioFile(ArchiveSession& archive, const std::string& path, const std::string& name, bool music) {
    if (ReportIfMissing(path)) return false;
    const char* type = music ? kMusicBlockType : kSoundBlockType;
    sAudioType info;
    if (!ReadFormat(0, path, music, info) || !IsPlayable(info)) {
        PrintError(music ? "'%s' is not music the SDK can read (Ogg Vorbis, MOD, S3M, XM or IT)"
                         : "'%s' is not a sound the SDK can read (WAV, AIFF, VOC or Ogg Vorbis)",
                   path.c_str());
        return false;
    }
    const int stored = music ? ISoundFX->MusicImport(archive.handle(), name.c_str(), path.c_str())
                             : ISoundFX->SoundImport(archive.handle(), name.c_str(), path.c_str());
    if (stored == -1) {
        PrintError("the archive already holds a block '%s' of type %s", name.c_str(), type);
        return false;
    }
    if (stored <= 0) {
        PrintError("could not store '%s' as a %s block", path.c_str(), type);
        return false;
    }
    PrintResult("added '%s' (%s, %s, %d bytes, %d stored)", name.c_str(), type, Describe(info).c_str(),
                info.byteSize, stored);
    return true;
}

std::string AudioDescription(ArchiveSession& archive, const BlockEntry& block) {
    sAudioType info;
    return ReadBlockFormat(archive, block, info) ? Describe(info) : "";
}

std::string AudioFileName(ArchiveSession& archive, const BlockEntry& block) {
    sAudioType info;
    return ReadBlockFormat(archive, block, info) ? block.name + "." + info.typeTag : block.name;
}
