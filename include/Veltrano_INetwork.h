/// @file
/// The INetwork interface: one server with up to seven clients, or a client,
/// or both in one process, over TCP. Created by Veltrano.Init, deleted by
/// Veltrano.Quit; networking itself starts with Init.
#ifndef VELTRANO_INETWORK_H
#define VELTRANO_INETWORK_H

#include "veltrano_types.h"

struct NetworkState;

/// Client/server networking with DataNet messages (veltrano_types.h),
/// reached through the global INetwork. The server and the client each run
/// on a thread of their own; the game's thread sends with SendData and takes
/// what arrived with ReceiveData, once per frame for example, until it
/// returns 0 or 128. Lines marked "global log" go to ILogSystem; the
/// threads' own lines go to "Network.log".
class VELTRANO_API Veltrano_INetwork {
public:
    /// Not started. Made by Veltrano.Init.
    Veltrano_INetwork();
    /// Runs Quit when the game did not, after logging " . [INetwork:~INetwork()]
    /// Warning: INetwork is still initialized, do not forget to call Quit().
    /// Calling it now!" (level 2). Called by Veltrano.Quit.
    ~Veltrano_INetwork();
    /// The interface is not copied.
    Veltrano_INetwork(const Veltrano_INetwork&) = delete;
    /// The interface is not copied.
    /// @return never (deleted).
    Veltrano_INetwork& operator=(const Veltrano_INetwork&) = delete;

    /// Starts networking (SDL_net) and opens "Network.log".
    /// @param logMode  the outputs of "Network.log", as for ILogSystem.Init.
    /// @return 1 when started; 0 before Veltrano.Init, when already started or
    ///         when SDL_net fails.
    /// Logs " . [INetwork::Init] Error: Veltrano was not initialized." (level 0),
    /// " . [INetwork::Init] Warning: INetwork is already initialized." (level 2),
    /// " . [INetwork::Init] Error: <SDL error>" (level 0).
    unsigned char Init(char logMode);
    /// Stops the client and the server (each thread gets 750 ms, the client's
    /// 3 x (simulated delay + 250) ms, to end by itself before it is killed),
    /// drops the DataNets not yet taken, stops SDL_net. Payloads already handed
    /// out stay valid for FreeData. Logs " . [INetwork::Quit] Warning: INetwork
    /// is not initialized." (level 2) when not started, else its progress at level 2.
    void Quit();
    /// Writes the client's queue and traffic counters and the server's
    /// features and traffic to the global log (level 0); nothing when not started.
    void Info();
    /// Toggles server features. Bit 0x1 closes logins (new clients are refused).
    /// @param mask  bits XOR-ed into the features; -1 only reads them.
    /// @return the features after the change; 0 when not started.
    int Features(int mask);
    /// Makes the client thread wait this long after every DataNet it reads,
    /// to try a game on a slow network. 0 by default.
    /// @param milliseconds  0..2500; other values are ignored.
    /// @param unused        ignored.
    void SetSimDelay(int milliseconds, int unused = 0);
    /// Sets how long ConnectTo keeps trying to connect. 2000 by default.
    /// @param milliseconds  the timeout; values below 500 become 500.
    void SetTimeOut(int milliseconds);
    /// Switches the server to authoritative mode: user data sent with
    /// validate 1 (DN_DATA_CHECK) is handed to the callback, on the server
    /// thread; 1 sends DN_DATA_VALID to the sender and relays the data to the
    /// others, 0 sends DN_DATA_DENIED to the sender only, any other value
    /// sends nothing. Data sent with validate 0 is relayed unchecked. Without
    /// a callback all user data is relayed. Nothing happens when not started;
    /// with no server running it logs " [INetwork Server] Entering in
    /// authoritative mode" or "... non-authoritative mode" (level 2).
    /// @param callback  the check, given the payload and its size; null for none.
    void SetCoreServerCallback(int (*callback)(void* data, int size));

    /// Starts a server listening on a TCP port, for up to seven clients.
    /// @param port      the TCP port.
    /// @param password  the login password; compared with the 16-bit value
    ///                  clients send, so a password above 65535 admits nobody.
    /// @param blocking  non-zero returns only when the server has ended.
    /// @return 1 when the server runs (or, blocking, ran); 0 when a server
    ///         already runs (silently) or on failure.
    /// Logs " [INetwork::CreateServer(<port>,<password>,<blocking>)] Error(<code>): <text>"
    /// (level 0): 1 "you must init network interface.", 3 to 6 the socket
    /// could not be resolved, opened or watched (SDL's text), 7 "the server
    /// thread could not be started."; on success the server's address, host
    /// name and port (global log, level 2).
    unsigned char CreateServer(unsigned short port, unsigned int password, unsigned char blocking);
    /// The client list: on a server built from the logged-in clients, on a
    /// client the list the server last sent (after QueryClientsInfo).
    /// @param list  receives a pointer to the records, valid until the next
    ///              call; untouched when there are none.
    /// @return the number of records, 0..7.
    int GetClientsInfo(sClientInfo** list);
    /// @return 1 when started and a server runs, else 0.
    unsigned char IsServer();
    /// @return 1 when started and connected as a client, else 0.
    unsigned char IsClient();
    /// The address of the running server, else of the server this client is
    /// connected to, first octet in the most significant byte.
    /// @return the address; 0 when neither server nor client.
    unsigned int GetMyIP();
    /// @return this client's name (the interface's buffer); null when not a client.
    char* GetMyUserName();

    /// Connects and logs in to a server. Keeps trying until the timeout
    /// (SetTimeOut), running Veltrano.Update between attempts when a screen
    /// is open; Escape cancels. Then waits up to three times 1000 ms for the
    /// server's answer. On success the client thread starts and the client
    /// list is asked for.
    /// @param host      the server's name or address.
    /// @param port      the server's TCP port.
    /// @param userName  this client's name, 1 to 15 characters, unique on the
    ///                  server regardless of letter case.
    /// @param password  the server's password (its low 16 bits are sent).
    /// @return 1 connected; 0 no answer from the server, not started, or the
    ///         client thread could not start; 254 already a client; 255
    ///         cancelled with Escape; otherwise failure code + 1: 2 port 0, 3
    ///         null host, 4 null user name or one longer than 15 characters,
    ///         5 no socket set, 6 host not resolved, 7 no connection within
    ///         the timeout, 8 socket not watched, 9 credentials not sent, 10
    ///         refused: invalid name, 11 refused: duplicated name, 12 refused:
    ///         server full, 13 refused: wrong password, 14 refused: logins
    ///         closed, 15 refused: unknown reason, 16 unexpected answer, 17
    ///         invalid answer, 19 broken server pipe.
    /// Logs " [INetwork::ConnectTo('<address>',<port>,'<name>',<password>)]
    /// Error(<code>): <text>" (level 0) on failure, "\n [INetwork::ConnectTo] Info:
    /// attempt to connect to server was cancelled by ESCAPE key." (level 2) on a
    /// cancel, and its progress in the global log (level 2).
    unsigned char ConnectTo(const char* host, unsigned short port, const char* userName,
                            unsigned int password);
    /// Sends user data to the server, which relays it to the other clients
    /// (as DN_DATA_RELAY) or, in authoritative mode, checks it first.
    /// @param data      the payload.
    /// @param size      its size in bytes, at least 1.
    /// @param validate  1 asks the server's callback to check it (DN_DATA_CHECK); any other value sends DN_DATA.
    /// @return 1 when the whole message (12 + size bytes) was sent; 0 when
    ///         not a client or on failure.
    /// Logs " [INetwork::SendData] Error: data of <size> bytes can not be sent,
    /// at least 1 is needed." and " [INetwork::SendData] Error: <sent> bytes
    /// were sent of a total of <12 + size>" (level 0).
    unsigned char SendData(const char* data, int size, char validate);
    /// Hands out the oldest DataNet that arrived. Hand every non-null payload
    /// back with FreeData. DN_PING, DN_CLOSE_SERVER and DN_CLIENTS_INFO come
    /// with a null payload and need no FreeData; after DN_CLIENT_IN and
    /// DN_QUIT_CLIENT the client list is asked for again.
    /// @param data  receives the payload, or null.
    /// @param size  receives the payload's size, or 0.
    /// @return 0 nothing now (a client or server thread runs); 128 nothing any
    ///         more (no thread runs); else the DataNet's Cmd: DN_DATA_RELAY
    ///         data of another client, DN_DATA_VALID or DN_DATA_DENIED the
    ///         server's verdict on this client's data, or a system command
    ///         (DN_CLIENT_IN, DN_QUIT_CLIENT with the client's name, DN_PING,
    ///         DN_CLOSE_SERVER when the server ended this client, DN_CLIENTS_INFO).
    unsigned char ReceiveData(char** data, unsigned int* size);
    /// Releases a payload handed out by ReceiveData and sets the pointer to
    /// null; a pointer ReceiveData did not hand out (or null) is left alone.
    /// @param data  the payload pointer.
    void FreeData(char*& data);
    /// Asks the server to log this client out.
    /// @return 1 when the request was sent; 0 when not a client.
    unsigned char QueryKillClient();
    /// Asks the server to close. In a process that runs a server but is not a
    /// client, stops that server instead.
    /// @return 1 when the request was sent; 0 otherwise (also when the local server was stopped).
    unsigned char QueryKillServer();
    /// Asks the server for the client list (GetClientsInfo gives it once it arrived).
    /// @return 1 when the request was sent; 0 when not a client.
    unsigned char QueryClientsInfo();

private:
    NetworkState* state;
};

/// Networking; made by Veltrano.Init, deleted (and null) after Veltrano.Quit.
VELTRANO_API extern Veltrano_INetwork* INetwork;

#endif
