/// @file
/// DPF archives: named, typed blocks in one file, compressed, raw or scrambled,
/// optionally enciphered with a password.
#ifndef VELTRANO_ISTUFFDPF_H
#define VELTRANO_ISTUFFDPF_H

#include "veltrano_types.h"

struct DpfState;

/// Reading, writing and maintenance of DPF archives, reached through the
/// global pointer IStuffDPF. Up to 32 archives are open at a time, each
/// reached by a positive handle; 0 and negative values are never valid.
/// Opening an archive that is already open returns the same handle again,
/// and each Open needs its own Close. Changes (AddData, Delete) reach the
/// archive header (date and CRC) at Flush or at the last Close. Game thread
/// only: all archives share one header buffer and one scan position.
class VELTRANO_API Veltrano_IStuffDPF {
public:
    /// Keys the ciphers; logs " . [IStuffDPF] Interfaz created." at level 5.
    Veltrano_IStuffDPF();
    /// Closes every archive still open, logging
    /// " . [IStuffDPF] Warning: 'file' DPF file was not closed on your code. Doing it now!" for each,
    /// then " . [IStuffDPF] Interfaz deleted." at level 5.
    ~Veltrano_IStuffDPF();
    /// Not copyable: each object owns its private state.
    Veltrano_IStuffDPF(const Veltrano_IStuffDPF&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_IStuffDPF& operator=(const Veltrano_IStuffDPF&) = delete;

    /// Opens an archive, read-write or else read-only (then logging
    /// " . [IStuffDPF->Open('file')] Warning: file opened in read only mode.").
    /// A version 3 archive is upgraded in place first, the old file kept as
    /// name_v3.dpf. An archive new to this run must pass its CRC check.
    /// @param dpfFile  the archive's file name.
    /// @return the handle (positive); -1 on failure; 0 when 32 archives are
    ///         open already (" . [IStuffDPF] Warning: reached maximum limit of DPF files opened(32).").
    /// Logs " . [IStuffDPF->Open('file')] Error: " followed by the system's
    /// error text, "it is not a valid DPF.", "'DPFv5.0' version is not supported.", "the given DPF is corrupted.",
    /// "the file name is too long.", "it is not possible to update a DPF opened in read only mode."
    /// or "it was not possible to update the given DPF from v3.0 to v4.0." on
    /// failure.
    int Open(const char* dpfFile);
    /// Undoes one Open; the last one rewrites the archive header when blocks
    /// were added or deleted and closes the file.
    /// @param dpfHandle  a handle from Open or Create; unknown handles are ignored.
    void Close(int dpfHandle);

    /// Finds the first block in file order (deleted blocks included, with type
    /// "DELETED").
    /// @param dpfHandle  a handle from Open or Create.
    /// @param block      receives name, type, storage, size and storedSize;
    ///                   data is set to null.
    /// @return 1 found; 0 no block (also when the archive is protected and no
    ///         password is set); 2 on an input/output error or an unknown handle.
    /// Logs " . [IStuffDPF->Find(handle)] Error: the given DPF is protected and the key was not set." or
    /// " . [IStuffDPF->FindFirst(handle)] Error: the first block was unsuccessfully loaded." on failure.
    int FindFirst(int dpfHandle, DPF_BlockData* block);
    /// Finds the block after the one found last in this archive.
    /// @param dpfHandle  a handle from Open or Create.
    /// @param block      receives the record as FindFirst fills it.
    /// @return 1 found; 0 no more blocks; 2 on an input/output error or an
    ///         unknown handle.
    /// Logs as FindFirst, with " . [IStuffDPF->FindNext(handle)] Error: the next block was unsuccessfully loaded."
    /// for a truncated header block.
    int FindNext(int dpfHandle, DPF_BlockData* block);
    /// Finds the first block whose name and type equal those in `block`
    /// (case-sensitive).
    /// @param dpfHandle  a handle from Open or Create.
    /// @param block      gives name and type; overwritten with the found record.
    /// @return 1 found (`block` filled); otherwise what the walk ended with, 0
    ///         not found or 2 on an error, with `block` unchanged.
    int Search(int dpfHandle, DPF_BlockData* block);
    /// Loads a block's bytes (deciphered, descrambled or decompressed).
    /// @param dpfHandle  a handle from Open or Create.
    /// @param type       the block's type (note: type before name).
    /// @param name       the block's name.
    /// @param block      cleared, then filled; the caller releases `data` with
    ///                   FreeBlock.
    /// @return the block's size (the byte count at block->data), or 0 on failure.
    /// Logs " . [IStuffDPF->LoadBlock('file','type','name')] Warning: datablock was not found in the given DPF." for
    /// a missing block, and "... Error: the given DPF is protected and the key was not set.",
    /// "... Error: datablock was not loaded successfully." or "... Error: UCL failed to decompress the data block."
    /// on failure.
    int LoadBlock(int dpfHandle, const char* type, const char* name, DPF_BlockData* block);
    /// Releases the bytes of a loaded block and sets `data` to null.
    /// @param block  a record filled by LoadBlock.
    /// @return 1, or 0 for a null record.
    int FreeBlock(DPF_BlockData* block);

    /// Counts the blocks, deleted ones included.
    /// @param dpfHandle  a handle from Open or Create.
    /// @return the count, or -1 for an unknown handle.
    int GetNumBlocks(int dpfHandle);
    /// Counts the deleted blocks (type "DELETED").
    /// @param dpfHandle  a handle from Open or Create.
    /// @return the count, or -1 for an unknown handle.
    int GetNumDelBlocks(int dpfHandle);
    /// The archive file's length.
    /// @param dpfHandle  a handle from Open or Create.
    /// @return the length in KB, rounded down; -1 for an unknown handle.
    int GetSize(int dpfHandle);
    /// How much of the file deleted blocks leave in use.
    /// @param dpfHandle  a handle from Open or Create.
    /// @return 100 - (stored bytes of deleted blocks x 100 / file length); 100
    ///         means no space is lost; -1 for an unknown handle.
    char GetFragment(int dpfHandle);
    /// The file name an archive was opened with.
    /// @param dpfHandle  a handle from Open or Create.
    /// @return the name (owned by the interface), or null for an unknown handle.
    char* GetFilename(int dpfHandle);
    /// The signature of the archive whose header was handled last (these
    /// queries take no handle).
    /// @return the text, "DPFv4.0" for current archives; owned by the interface.
    char* GetName();
    /// The copyright text of the archive whose header was handled last.
    /// @return the text, owned by the interface.
    char* GetCopyright();
    /// The creation date of the archive whose header was handled last.
    /// @return the date as text (24 characters), owned by the interface.
    char* GetCreateDate();
    /// The last-modification date of the archive whose header was handled last.
    /// @return the date as text (24 characters), owned by the interface.
    char* GetLastModified();
    /// Whether the archive whose header was handled last is password-protected.
    /// @return 1 protected, 0 not.
    int IsProtected();
    /// Chooses how blocks are located, for all archives; logs
    /// " . [IStuffDPF->SetAccessMode()] Info: lowlevel access to data blocks in DPF was selected."
    /// (or "normal access ...") at level 5.
    /// @param mode  greater than 0: low-level access, scanning every data byte
    ///              (slow, but finds blocks behind a damaged header); any
    ///              other value: normal access.
    void SetAccessMode(char mode);

    /// Makes a new, empty archive (replacing any file of that name, creating
    /// the folders of the path) and opens it.
    /// @param dpfFile  the archive's file name.
    /// @return the handle as Open returns it, or -1 when the file cannot be
    ///         created (not logged) or the name is too long
    ///         (" . [IStuffDPF->Create('file')] Error: the file name is too long.").
    int Create(const char* dpfFile);
    /// Appends a block.
    /// @param dpfHandle  a handle from Open or Create.
    /// @param block      name (at most 31 characters), type (at most 7),
    ///                   storage (0 compress, 1 raw, anything else scrambled,
    ///                   stored back as 2), size and data; storedSize is ignored.
    /// @return the stored size (> 0); -1 when a block of that name and type
    ///         exists (" . [IStuffDPF->AddData(handle,'name')] Info: block already exists." at level 5); 0 on
    ///         failure.
    /// Logs " . [IStuffDPF->AddData(handle,'name')] Error: " followed by
    /// "name or type are too long. Maximum chars for name is 32 and 8 for type.",
    /// "the given DPF is protected and the key was not set.", "it was not possible to access to the DPF.",
    /// "the data block is empty or invalid.",
    /// "not enough memory for the data block.", "UCL failed to compress the data block." or
    /// "it was not possible to write to the DPF." on failure;
    /// an unknown handle fails silently.
    int AddData(int dpfHandle, DPF_BlockData* block);
    /// Appends a whole file as a compressed block of type "FILE" named by the
    /// file name exactly as passed.
    /// @param dpfHandle  a handle from Open or Create.
    /// @param file       the file's path, at most 31 characters.
    /// @return AddData's result, or 0 when the file cannot be read
    ///         (" . [IStuffDPF->AddFile(handle,'file')] Error: the file could not be read.").
    int AddFile(int dpfHandle, const char* file);
    /// Marks a block as deleted (type "DELETED"); its space is reclaimed by
    /// Compact.
    /// @param dpfHandle  a handle from Open or Create.
    /// @param block      gives the name and type; its other fields are kept.
    /// @return 1 deleted; 0 when not found
    ///         (" . [IStuffDPF->Delete(handle)] Warning: datablock was not found in the given DPF."), for a
    ///         negative handle, or when the header cannot be rewritten
    ///         ("... Error: it was not possible to write to the DPF.").
    int Delete(int dpfHandle, DPF_BlockData* block);
    /// Rewrites the archive header now (last-modification date and CRC).
    /// @param dpfHandle  a handle from Open or Create.
    void Flush(int dpfHandle);
    /// Rewrites a closed archive without its deleted blocks (through
    /// "dpf.tmp" in the working directory, pausing 10 ms per block).
    /// @param dpfFile  the archive's file name.
    /// @return 1 compacted; 0 otherwise, also when there was nothing to do
    ///         (" . [IStuffDPF->Compact('file')] Info: the given DPF does not need a compact process." at level 5).
    /// Logs " . [IStuffDPF->Compact('file')] Error: " followed by
    /// "the given DPF is already opened. We can not compact it.",
    /// "the given DPF is protected and the key was not set.", "compacted DPF has wrong structure, aborting process."
    /// or "it was not possible to access to given DPF. (reason)." on failure; the source is left as it was.
    int Compact(const char* dpfFile);
    /// Sets the password of protected archives, for all archives until replaced.
    /// @param password  the key bytes; null is ignored.
    /// @param length    8..56 bytes; other lengths are silently ignored.
    void SetPassword(unsigned char* password, unsigned char length);
    /// Writes a password-protected copy of a closed archive beside it: the
    /// name up to its last '.' plus "_secure.dpf". The password set with
    /// SetPassword is unchanged afterwards.
    /// @param dpfFile   the archive's file name.
    /// @param password  the key bytes.
    /// @param length    8..56 bytes.
    /// @return 1 written (" . [IStuffDPF->Protect('file')] Info: process completed. New 'copy' file created." at
    ///         level 2); 0 otherwise,
    ///         silently for a null argument, a bad length or a name longer
    ///         than 245 characters.
    /// Logs " . [IStuffDPF->Protect('file')] Error: the given DPF is already opened. We can not protect it.",
    /// "... Warning: the given DPF is already protected." or
    /// "... Error: process has failed. Try to compact the source DPF." on failure.
    int Protect(const char* dpfFile, unsigned char* password, unsigned char length);
    /// Writes a plain copy of a closed protected archive beside it: the name
    /// up to its last '.' plus "_unsecure.dpf". The password set with
    /// SetPassword is unchanged afterwards.
    /// @param dpfFile   the archive's file name.
    /// @param password  the archive's key bytes.
    /// @param length    8..56 bytes.
    /// @return 1 written (" . [IStuffDPF->UnProtect('file')] Info: process completed. New 'copy' file created." at
    ///         level 2); 0 otherwise,
    ///         silently for a null argument, a bad length or a name longer
    ///         than 245 characters.
    /// Logs " . [IStuffDPF->UnProtect('file')] Error: the given DPF is already opened. We can not unprotect it.",
    /// "... Warning: the given DPF is already unprotected." or
    /// "... Error: process has failed. Is the password right?" on failure.
    int UnProtect(const char* dpfFile, unsigned char* password, unsigned char length);

private:
    DpfState* state;
};

/// The archive interface; null before Veltrano.Init and after Veltrano.Quit.
VELTRANO_API extern Veltrano_IStuffDPF* IStuffDPF;

#endif
