// Two players over the network, both ends in this process: the game hosts a
// server on a free local port in authoritative mode, and the second player
// joins it as a client. Each logic frame the second player reports where it
// is; the server's check accepts only reports a critter could have made
// (inside the field, no faster than it walks) and keeps the last one, which
// is where the host shows the second critter. Over a real network the
// client would run on the other machine and connect to the host's address.
#ifndef HELLO_NETPLAY_H
#define HELLO_NETPLAY_H

bool StartNetPlay();
void StopNetPlay();

// The second player's side: sends its position.
void SendSecondPlayer(float x, float y);
// The host's side: the last position the server accepted; false before the
// first one.
bool SecondPlayerAt(float& x, float& y);
// Reports accepted and refused so far (the debug window watches them).
int AcceptedReports();
int RefusedReports();

#endif
