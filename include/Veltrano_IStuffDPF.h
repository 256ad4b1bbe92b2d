// DPF archives: named, typed blocks in one file, compressed, raw or scrambled,
// optionally enciphered with a password.
#ifndef VELTRANO_ISTUFFDPF_H
#define VELTRANO_ISTUFFDPF_H

#include "veltrano_types.h"

struct DpfState;

class VELTRANO_API Veltrano_IStuffDPF {
public:
    Veltrano_IStuffDPF();
    ~Veltrano_IStuffDPF();
    Veltrano_IStuffDPF(const Veltrano_IStuffDPF&) = delete;
    Veltrano_IStuffDPF& operator=(const Veltrano_IStuffDPF&) = delete;

    // Opening and closing. Handles are positive; -1 failure, 0 not registered.
    int Open(const char* dpfFile);
    void Close(int dpfHandle);

    // Walking and loading. Find*: 1 found, 0 no more blocks, 2 I/O error.
    int FindFirst(int dpfHandle, DPF_BlockData* block);
    int FindNext(int dpfHandle, DPF_BlockData* block);
    int Search(int dpfHandle, DPF_BlockData* block);
    int LoadBlock(int dpfHandle, const char* type, const char* name, DPF_BlockData* block);
    int FreeBlock(DPF_BlockData* block);

    // Queries.
    int GetNumBlocks(int dpfHandle);
    int GetNumDelBlocks(int dpfHandle);
    int GetSize(int dpfHandle);
    char GetFragment(int dpfHandle);
    char* GetFilename(int dpfHandle);
    // These describe the archive whose header was handled last.
    char* GetName();
    char* GetCopyright();
    char* GetCreateDate();
    char* GetLastModified();
    int IsProtected();
    void SetAccessMode(char mode);

    // Writing and maintenance.
    int Create(const char* dpfFile);
    int AddData(int dpfHandle, DPF_BlockData* block);
    int AddFile(int dpfHandle, const char* file);
    int Delete(int dpfHandle, DPF_BlockData* block);
    void Flush(int dpfHandle);
    int Compact(const char* dpfFile);
    void SetPassword(unsigned char* password, unsigned char length);
    int Protect(const char* dpfFile, unsigned char* password, unsigned char length);
    int UnProtect(const char* dpfFile, unsigned char* password, unsigned char length);

private:
    DpfState* state;
};

VELTRANO_API extern Veltrano_IStuffDPF* IStuffDPF;

#endif
