// Small helpers the sound interface's files share: whole files read into
// memory and the names its log lines print.
#ifndef VELTRANO_MEDIA_SOUND_FILES_H
#define VELTRANO_MEDIA_SOUND_FILES_H

#include <cstdint>
#include <vector>

namespace sound_files {

// The whole file; false when it cannot be opened or read, or is larger than
// an archive block can hold.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes);

// A printable text for a possibly null one.
const char* Text(const char* text);
// The file name of an open archive for the log lines ("(null)" when none).
const char* ArchiveName(int dpfHandle);
// A pointer as the log lines print it after "0x".
unsigned long long Address(const void* pointer);

}  // namespace sound_files

#endif
