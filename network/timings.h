// The waits of the network threads. The defaults are the module's; tests
// shorten them (before Init) so that time-driven behaviour runs quickly.
#ifndef VELTRANO_NETWORK_TIMINGS_H
#define VELTRANO_NETWORK_TIMINGS_H

#include <cstdint>

namespace net_timings {

struct Timings {
    uint32_t readinessWait = 200;   // one wait of a network thread's loop
    uint32_t pingInterval = 1000;   // least time between two ping passes
    uint32_t partialLimit = 5000;   // longest a started DataNet may take to arrive
    uint32_t loginReplyWait = 1000; // each of the client's three waits for the reply
    uint32_t attemptPause = 100;    // between two failed connection attempts
    uint32_t stopPoll = 50;         // polling of a stopping thread's state
    uint32_t serverStopWait = 750;
    uint32_t clientStopStep = 250;  // the client gets 3 x (simDelay + this)
};

Timings& Current();

}  // namespace net_timings

#endif
