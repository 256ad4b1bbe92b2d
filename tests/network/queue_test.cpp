// The reception queue: one run from index 0, drops when full, hand-out and
// release in any order, entries that leave at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "network/reception_queue.h"

namespace {

DataNet Payload(unsigned char cmd, int value) {
    char* data = static_cast<char*>(std::malloc(sizeof value));
    std::memcpy(data, &value, sizeof value);
    return DataNet{DN_USER, cmd, 0, static_cast<int>(sizeof value), 0, data};
}

int ValueOf(const DataNet& net) {
    int value;
    std::memcpy(&value, net.Data, sizeof value);
    return value;
}

TEST(ReceptionQueue, TheFiveHundredThirteenthIsDroppedAndTheRestKept) {
    reception::Queue queue;
    for (int i = 0; i < reception::kEntries; ++i) ASSERT_TRUE(queue.Push(Payload(DN_DATA_RELAY, i)));
    EXPECT_FALSE(queue.Push(Payload(DN_DATA_RELAY, 512)));
    reception::QueueCounts counts = queue.Counts();
    EXPECT_EQ(512, counts.waiting);
    EXPECT_EQ(511, counts.maximum);
    EXPECT_EQ(1, counts.dropped);
    for (int i = 0; i < reception::kEntries; ++i) {
        DataNet net;
        ASSERT_TRUE(queue.Take(&net));
        EXPECT_EQ(i, ValueOf(net));
        EXPECT_TRUE(queue.Free(net.Data));
    }
    DataNet none;
    EXPECT_FALSE(queue.Take(&none));
    EXPECT_EQ(0, queue.Counts().waiting);
}

TEST(ReceptionQueue, HandedOutEntriesStayUntilFreedAndAreSkipped) {
    reception::Queue queue;
    for (int i = 0; i < 3; ++i) queue.Push(Payload(DN_DATA_RELAY, i));
    DataNet first, second;
    ASSERT_TRUE(queue.Take(&first));
    ASSERT_TRUE(queue.Take(&second));
    EXPECT_EQ(1, ValueOf(second));
    queue.Push(Payload(DN_DATA_RELAY, 3));  // goes after the run, index 3
    EXPECT_EQ(3, queue.Counts().maximum);
    EXPECT_TRUE(queue.Free(second.Data));
    EXPECT_FALSE(queue.Free(second.Data));  // no longer held by any entry
    char* stranger = static_cast<char*>(std::malloc(1));
    EXPECT_FALSE(queue.Free(stranger));
    std::free(stranger);
    DataNet third;
    ASSERT_TRUE(queue.Take(&third));
    EXPECT_EQ(2, ValueOf(third));
    EXPECT_EQ(1, queue.ReleaseReady());  // entry 3 was never taken
    EXPECT_TRUE(queue.Free(first.Data));
    EXPECT_TRUE(queue.Free(third.Data));
    DataNet none;
    EXPECT_FALSE(queue.Take(&none));
}

TEST(ReceptionQueue, EntriesFreedOutOfOrderKeepTheRunAndItsOrder) {
    reception::Queue queue;
    std::vector<DataNet> taken;
    for (int lap = 0; lap < 3; ++lap) {  // the run wanders round the array
        for (int i = 0; i < 400; ++i) ASSERT_TRUE(queue.Push(Payload(DN_DATA_RELAY, lap * 1000 + i)));
        for (int i = 0; i < 400; ++i) {
            DataNet net;
            ASSERT_TRUE(queue.Take(&net));
            ASSERT_EQ(lap * 1000 + i, ValueOf(net));
            taken.push_back(net);
        }
        // Free from the middle outwards, then the ends.
        for (int i = 200; i < 400; ++i) ASSERT_TRUE(queue.Free(taken[static_cast<size_t>(i)].Data));
        for (int i = 199; i >= 0; --i) ASSERT_TRUE(queue.Free(taken[static_cast<size_t>(i)].Data));
        taken.clear();
    }
    for (int i = 0; i < reception::kEntries; ++i) ASSERT_TRUE(queue.Push(Payload(DN_DATA_RELAY, i)));
    EXPECT_FALSE(queue.Push(Payload(DN_DATA_RELAY, -1)));
    queue.Clear();
}

TEST(ReceptionQueue, PingKillAndListEntriesLeaveWhenTaken) {
    reception::Queue queue;
    for (unsigned char cmd : {DN_PING, DN_CLOSE_SERVER, DN_CLIENTS_INFO})
        queue.Push(DataNet{DN_SYSTEM, cmd, 0, 0, 0, nullptr});
    char* name = static_cast<char*>(std::malloc(2));
    std::memcpy(name, "a", 2);
    queue.Push(DataNet{DN_SYSTEM, DN_CLIENT_IN, 0, 2, 0, name});
    DataNet net;
    for (unsigned char cmd : {DN_PING, DN_CLOSE_SERVER, DN_CLIENTS_INFO, DN_CLIENT_IN}) {
        ASSERT_TRUE(queue.Take(&net));
        EXPECT_EQ(cmd, net.Cmd);
    }
    EXPECT_EQ(3, queue.Counts().maximum);
    // Only the notice is left in the run, handed out: a new entry goes to index 1.
    queue.Push(DataNet{DN_SYSTEM, DN_PING, 0, 0, 0, nullptr});
    EXPECT_TRUE(queue.Free(name));
    ASSERT_TRUE(queue.Take(&net));
    EXPECT_EQ(DN_PING, net.Cmd);
    queue.Clear();
}

}  // namespace
