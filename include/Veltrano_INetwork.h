// The INetwork interface: one server with up to seven clients, or a client,
// or both in one process, over TCP. Created by Veltrano.Init, deleted by
// Veltrano.Quit; networking itself starts with Init.
#ifndef VELTRANO_INETWORK_H
#define VELTRANO_INETWORK_H

#include "veltrano_types.h"

struct NetworkState;

class VELTRANO_API Veltrano_INetwork {
public:
    Veltrano_INetwork();
    ~Veltrano_INetwork();
    Veltrano_INetwork(const Veltrano_INetwork&) = delete;
    Veltrano_INetwork& operator=(const Veltrano_INetwork&) = delete;

    // logMode: the outputs of the module's own "Network.log".
    unsigned char Init(char logMode);
    void Quit();
    void Info();
    // XORs mask into the server features (bit 0x1: logins closed); -1 only reads.
    int Features(int mask);
    void SetSimDelay(int milliseconds, int unused = 0);
    void SetTimeOut(int milliseconds);
    // Non-null: authoritative mode; the server asks it about DN_DATA_CHECK data.
    void SetCoreServerCallback(int (*callback)(void* data, int size));

    unsigned char CreateServer(unsigned short port, unsigned int password, unsigned char blocking);
    // Up to seven records, valid until the next call; list untouched when 0.
    int GetClientsInfo(sClientInfo** list);
    unsigned char IsServer();
    unsigned char IsClient();
    unsigned int GetMyIP();
    char* GetMyUserName();

    // 1 connected; 0 no reply; 2..19 failure code + 1; 254 already a client;
    // 255 cancelled with Escape.
    unsigned char ConnectTo(const char* host, unsigned short port, const char* userName,
                            unsigned int password);
    unsigned char SendData(const char* data, int size, char validate);
    // 0 nothing now, 128 nothing any more, else the Cmd of the message handed out.
    unsigned char ReceiveData(char** data, unsigned int* size);
    void FreeData(char*& data);
    unsigned char QueryKillClient();
    unsigned char QueryKillServer();
    unsigned char QueryClientsInfo();

private:
    NetworkState* state;
};

VELTRANO_API extern Veltrano_INetwork* INetwork;

#endif
