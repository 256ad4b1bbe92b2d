// Whole-file reading and writing for the blocks the tool adds and extracts.
#ifndef VELTRANO_DPF_FILES_H
#define VELTRANO_DPF_FILES_H

#include <string>
#include <vector>

// Reads the whole file; prints why and returns false when it cannot, or when
// it is too large for one block.
bool ReadWholeFile(const std::string& path, std::vector<char>& bytes);
// Writes (replacing) the file; prints why and returns false on failure.
bool WriteWholeFile(const std::string& path, const std::vector<char>& bytes);
// Whether a block name can be used as a file name inside a chosen folder:
// no folder separators, and not "." or "..", so it cannot leave the folder.
bool IsSafeFileName(const std::string& name);
// Whether nothing is at path; says so ("'path' does not exist") when so.
bool ReportIfMissing(const std::string& path);
// The last component of a path ("data/hero.png" gives "hero.png").
std::string BaseName(const std::string& path);

#endif
