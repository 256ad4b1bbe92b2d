// One archive opened through the SDK's IStuffDPF interface for the length of
// a command: opening with the password a protected archive needs, walking
// its blocks, loading and adding blocks, and closing (which brings the
// archive header's date and checksum up to date).
#ifndef VELTRANO_DPF_ARCHIVE_SESSION_H
#define VELTRANO_DPF_ARCHIVE_SESSION_H

#include <string>
#include <vector>

#include "command_line.h"

// Limits of the archive's block records (the NUL does not count).
constexpr size_t kMaxBlockNameChars = 31;
constexpr size_t kMaxBlockTypeChars = 7;

// Storage modes of a block.
constexpr int kStorageCompressed = 0;
constexpr int kStorageRaw = 1;
constexpr int kStorageScrambled = 2;

// "compressed", "raw", "scrambled" (or "unknown").
const char* StorageName(int storage);

// A block as walked, with its texts safely copied out of the fixed fields.
struct BlockEntry {
    std::string name;
    std::string type;
    int storage = 0;
    int size = 0;
    int storedSize = 0;
    bool IsDeleted() const { return type == "DELETED"; }
};

// The archive header as it was read when the archive was opened.
struct ArchiveHeader {
    std::string copyright;
    std::string created;
    std::string modified;
    bool isProtected = false;
};

enum class PasswordNeed {
    Required,  // a protected archive cannot be used without its password
    Optional,  // used when given; otherwise the archive stays locked
};

enum class Access { Read, Write };

// Prints why and returns false when name or type do not fit a block record.
bool CheckBlockName(const std::string& name);
bool CheckBlockType(const std::string& type);

// Hands a password to the SDK for the protected archives opened after it.
void UsePassword(const std::string& password);

class ArchiveSession {
public:
    ArchiveSession() = default;
    ~ArchiveSession() { Close(); }
    ArchiveSession(const ArchiveSession&) = delete;
    ArchiveSession& operator=(const ArchiveSession&) = delete;

    // Opens an existing archive. For a protected one the password comes from
    // the arguments (file or prompt) and is checked against the first block.
    // Every failure is explained on standard error.
    bool Open(const std::string& path, const Arguments& args, PasswordNeed need, Access access);
    // Makes a new empty archive (replacing any file of that name) and opens it.
    bool Create(const std::string& path);
    void Close();

    const std::string& path() const { return path_; }
    const ArchiveHeader& header() const { return header_; }
    // False for a protected archive opened without its password.
    bool unlocked() const { return unlocked_; }
    int handle() const { return handle_; }
    // The password that unlocked a protected archive (empty otherwise).
    const std::string& password() const { return password_; }

    // Every block in file order, deleted ones included.
    bool ReadBlocks(std::vector<BlockEntry>& blocks);
    // The bytes of one block as the game would see them.
    bool LoadBytes(const BlockEntry& block, std::vector<char>& bytes);
    // Appends a block and gives its stored length; prints why on failure
    // (an existing block of that name and type included).
    bool AddBytes(const std::string& name, const std::string& type, int storage, std::vector<char>& bytes,
                  int& storedSize);
    bool DeleteBlock(const BlockEntry& block);

private:
    bool Unlock(const Arguments& args, PasswordNeed need);
    // Whether the first block deciphers to a sensible record.
    bool PasswordFits();
    void ReadHeader();

    std::string path_;
    int handle_ = 0;
    ArchiveHeader header_;
    bool unlocked_ = false;
    std::string password_;
};

// Explains why the SDK could not open the file at path.
void ExplainOpenFailure(const std::string& path);

// The live blocks called name (of the given type unless type is empty).
// Prints why and returns false unless exactly one block matches.
bool SelectOneBlock(const std::vector<BlockEntry>& blocks, const std::string& name, const std::string& type,
                    BlockEntry& chosen);

#endif
