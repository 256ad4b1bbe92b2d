// The server against raw peers: logins and refusals, relaying with one
// token per destination, bad input from one client, lists and pings.
#include <string>
#include <vector>

#include "net_fixture.h"

namespace {

using Server = NetworkFixture;

int RefusalFor(uint16_t port, const std::string& loginBytes) {
    raw::Peer peer;
    if (!peer.Connect(port) || !peer.SendBytes(loginBytes)) return raw::kNoReply;
    raw::Frame reply;
    if (!peer.Read(&reply)) return raw::kNoReply;
    return reply.cmd == 0x22 && peer.ClosedWithin(2000) ? reply.aux : raw::kNoReply;
}

std::string LoginBytes(const std::string& payload, uint16_t password = 7, uint8_t cmd = 0x26) {
    raw::Peer encoder;
    raw::Frame f;
    f.type = 0x20;
    f.cmd = cmd;
    f.aux = password;
    f.payload = payload;
    return encoder.Encode(f);
}

TEST_F(Server, AcceptsALoginAndEchoesTheNameWithASeed) {
    StartServer();
    raw::Peer peer;
    ASSERT_TRUE(peer.Connect(port_));
    ASSERT_TRUE(peer.Send(0x20, 0x26, 7, std::string("alice\0", 6)));
    raw::Frame reply;
    ASSERT_TRUE(peer.Read(&reply));
    EXPECT_EQ(0x20, reply.type);
    EXPECT_EQ(0x24, reply.cmd);
    EXPECT_EQ(std::string("alice\0", 6), reply.payload);
    EXPECT_NE(0xFFFF, reply.aux);
    EXPECT_EQ(0u, reply.crc);
    EXPECT_TRUE(Eventually(
        [&] { return log_->Contains(" [INetwork Server] Info: client 'alice' logged in, it's using socket 0x"); }));
    EXPECT_EQ(1, INetwork->IsServer());
}

TEST_F(Server, RefusesWithEachReasonInOrder) {
    StartServer(7 + 65536);  // only the low 16 bits count
    auto first = LoggedIn("Bob");
    EXPECT_EQ(0, RefusalFor(port_, LoginBytes(std::string("x\0", 2), 7, 0x28)));  // not a login
    EXPECT_EQ(4, RefusalFor(port_, LoginBytes(std::string("carl\0", 5), 8)));
    EXPECT_EQ(1, RefusalFor(port_, LoginBytes(std::string("\0", 1))));
    EXPECT_EQ(1, RefusalFor(port_, LoginBytes("")));
    EXPECT_EQ(1, RefusalFor(port_, LoginBytes(std::string(16, 'n'))));  // no terminator
    EXPECT_EQ(1, RefusalFor(port_, LoginBytes(std::string(16, 'n') + '\0')));
    EXPECT_EQ(2, RefusalFor(port_, LoginBytes(std::string("bOB\0", 4))));
    EXPECT_TRUE(log_->Contains("access denied to 'bOB': duplicated client name."));
    INetwork->Features(1);
    EXPECT_EQ(5, RefusalFor(port_, LoginBytes(std::string("bOB\0", 4), 1)));  // closed before the password
    EXPECT_EQ(1, INetwork->Features(-1));
    INetwork->Features(1);
    EXPECT_EQ(0, INetwork->Features(-1));
    sClientInfo* list = nullptr;
    ASSERT_EQ(1, INetwork->GetClientsInfo(&list));
    EXPECT_STREQ("Bob", list[0].Name);
    EXPECT_EQ(0x7F000001u, list[0].IP);
}

TEST_F(Server, SevenClientsRelayWithOneTokenPerDestinationAndAnEighthIsRefused) {
    StartServer();
    std::vector<std::unique_ptr<raw::Peer>> peers;
    for (int i = 0; i < 7; ++i) {
        peers.push_back(LoggedIn("p" + std::to_string(i)));
        // Every earlier client hears of the new one (system: no token).
        for (int k = 0; k < i; ++k) {
            raw::Frame notice;
            ASSERT_TRUE(peers[k]->Read(&notice));
            EXPECT_EQ(0x28, notice.cmd);
            EXPECT_EQ("p" + std::to_string(i) + '\0', notice.payload);
        }
    }
    raw::Peer eighth;
    ASSERT_TRUE(eighth.Connect(port_));
    EXPECT_EQ(3, eighth.Login("p7", 7));
    EXPECT_TRUE(log_->Contains("access denied to 'p7': server can not add more client (limit:8)."));
    for (int round = 0; round < 3; ++round) {
        for (int from = 0; from < 7; ++from) {
            const std::string text = "m" + std::to_string(round) + std::to_string(from);
            ASSERT_TRUE(peers[from]->Send(0x40, 0x48, 0, text));
            for (int to = 0; to < 7; ++to) {
                if (to == from) continue;
                raw::Frame relay;
                ASSERT_TRUE(peers[to]->Read(&relay));
                EXPECT_EQ(0x40, relay.cmd);
                EXPECT_EQ(text, relay.payload);
                EXPECT_TRUE(peers[to]->Verify(relay)) << "round " << round << " to " << to;
            }
        }
    }
}

TEST_F(Server, OneMisbehavingClientIsLoggedOutAndTheOthersStay) {
    StartServer();
    auto a = LoggedIn("a");
    auto b = LoggedIn("b");
    raw::Frame f;
    ASSERT_TRUE(a->Read(&f));  // b came in
    ASSERT_TRUE(a->Send(0x20, 0x2B));  // unknown system command
    ASSERT_TRUE(a->Read(&f));
    EXPECT_EQ(0x2C, f.cmd);  // kill signal
    EXPECT_TRUE(a->ClosedWithin(2000));
    ASSERT_TRUE(b->Read(&f));
    EXPECT_EQ(0x2A, f.cmd);
    EXPECT_EQ(std::string("a\0", 2), f.payload);
    EXPECT_EQ(1, INetwork->IsServer());

    auto c = LoggedIn("c");
    ASSERT_TRUE(b->Read(&f));  // c came in
    // A wrong check sum, then a reordered token: each drops only its sender.
    raw::Frame bad;
    bad.type = 0x40;
    bad.cmd = 0x48;
    bad.payload = "zz";
    std::string bytes = c->Encode(bad);
    bytes[13] ^= 0x01;
    ASSERT_TRUE(c->SendBytes(bytes));
    EXPECT_TRUE(c->ClosedWithin(2000));
    ASSERT_TRUE(b->Read(&f));
    EXPECT_EQ(0x2A, f.cmd);  // c left; nothing of its data was relayed

    auto d = LoggedIn("d");
    ASSERT_TRUE(b->Read(&f));
    d->send();  // skip a token: every later one is out of step
    ASSERT_TRUE(d->Send(0x40, 0x48, 0, "late"));
    EXPECT_TRUE(d->ClosedWithin(2000));
    ASSERT_TRUE(b->Read(&f));
    EXPECT_EQ(0x2A, f.cmd);

    auto e = LoggedIn("e");
    ASSERT_TRUE(b->Read(&f));
    ASSERT_TRUE(e->SendBytes(e->Encode(raw::Frame{0x55, 0x48, 0, 0, 0, "?"})));  // unknown class
    ASSERT_TRUE(e->Read(&f));
    EXPECT_EQ(0x2C, f.cmd);
    ASSERT_TRUE(b->Read(&f));
    EXPECT_EQ(0x2A, f.cmd);

    // b's own stream is still in step.
    auto g = LoggedIn("g");
    ASSERT_TRUE(b->Read(&f));
    ASSERT_TRUE(g->Send(0x40, 0x48, 0, "still here"));
    ASSERT_TRUE(b->Read(&f));
    EXPECT_EQ("still here", f.payload);
    EXPECT_TRUE(b->Verify(f));
}

TEST_F(Server, SizeLimitEmptyUserDataAndStalledPeers) {
    net_timings::Current().partialLimit = 300;
    StartServer();
    auto a = LoggedIn("a");
    auto b = LoggedIn("b");
    raw::Frame f;
    ASSERT_TRUE(a->Read(&f));
    // An empty user DataNet is not relayed; the next one is.
    ASSERT_TRUE(b->Send(0x40, 0x48));
    ASSERT_TRUE(b->Send(0x40, 0x48, 0, "x"));
    ASSERT_TRUE(a->Read(&f));
    EXPECT_EQ("x", f.payload);
    EXPECT_TRUE(a->Verify(f));
    // Exactly 12 + Size = 0x400000 is relayed.
    const std::string largest(0x400000 - 12, 'L');
    ASSERT_TRUE(b->Send(0x40, 0x48, 0, largest));
    ASSERT_TRUE(a->Read(&f, 10000));
    EXPECT_EQ(largest.size(), f.payload.size());
    EXPECT_TRUE(a->Verify(f));
    // A stalled header and an oversized one each cost only their sender.
    auto stalled = LoggedIn("stalled");
    ASSERT_TRUE(a->Read(&f));
    ASSERT_TRUE(stalled->SendBytes(std::string(5, 'h')));
    EXPECT_TRUE(stalled->ClosedWithin(3000));
    ASSERT_TRUE(a->Read(&f));
    EXPECT_EQ(0x2A, f.cmd);
    std::string oversized = b->Encode(raw::Frame{0x40, 0x48, 0, 0, 0, std::string()}, true);
    raw::Scramble(oversized);
    oversized[4] = '\xF5';
    oversized[5] = '\xFF';
    oversized[6] = '\x3F';
    raw::Scramble(oversized);
    ASSERT_TRUE(b->SendBytes(oversized));
    EXPECT_TRUE(b->ClosedWithin(3000));
    ASSERT_TRUE(a->Read(&f));
    EXPECT_EQ(std::string("b\0", 2), f.payload);
}

TEST_F(Server, PingsFillTheRingAndTheListGoesToTheRequester) {
    net_timings::Current().pingInterval = 10;
    StartServer();
    auto a = LoggedIn("a");
    int pings = 0;
    raw::Frame f;
    while (pings < 12 && a->Read(&f)) {
        ASSERT_EQ(0x30, f.cmd);
        ASSERT_TRUE(a->Send(0x20, 0x30));
        ++pings;
    }
    ASSERT_EQ(12, pings);
    // The list request is answered with the request's header and one record.
    ASSERT_TRUE(a->Send(0x20, 0x2E, 0x55));
    ASSERT_TRUE(a->ReadSkippingPings(&f));
    EXPECT_EQ(0x2E, f.cmd);
    EXPECT_EQ(0x55, f.aux);
    ASSERT_EQ(28u, f.payload.size());
    EXPECT_EQ(std::string("a\0", 2), f.payload.substr(0, 2));
    EXPECT_EQ(std::string("\x01\0\0\x7F", 4), f.payload.substr(16, 4));
    sClientInfo* list = nullptr;
    ASSERT_EQ(1, INetwork->GetClientsInfo(&list));
    EXPECT_GE(list[0].PingCurrent, 0);
    EXPECT_GE(list[0].PingAverage, 0);
    EXPECT_TRUE(log_->Contains(" [INetwork Server] Info: client 'a' logged in"));
    // A client that asks to close the server is answered with a kill signal.
    ASSERT_TRUE(a->Send(0x20, 0x2C));
    EXPECT_TRUE(Eventually([] { return INetwork->IsServer() == 0; }));
    EXPECT_TRUE(a->ClosedWithin(2000));
}

TEST_F(Server, QuitClosesTheServerAndItsClientsSmoothly) {
    StartServer();
    auto a = LoggedIn("a");
    EXPECT_EQ(0, INetwork->CreateServer(port_, 7, 0));  // one server at a time
    INetwork->Quit();
    raw::Frame f;
    ASSERT_TRUE(a->Read(&f));
    EXPECT_EQ(0x2C, f.cmd);
    EXPECT_TRUE(a->ClosedWithin(2000));
    EXPECT_TRUE(log_->Contains(" [INetwork::Quit] Warning: server closed using the smooth way.\n"));
    ASSERT_EQ(1, INetwork->Init(2));
}

}  // namespace
