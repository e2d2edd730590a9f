#include "batch/stop_request.h"
#include "platform/live_temporaries.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using Handler = void (*)(int);

Handler HandlerOf(int signal)
{
    struct sigaction action = {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

// A batch started under nohup must go on when the terminal hangs up; SIGTERM still stops it,
// and ends a program that only exports once its temporaries are removed.
TEST(Signals, AnIgnoredHangupStaysIgnored)
{
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGTERM, SIG_DFL);
    {
        const batch::StopOnSignals stop;
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
        std::raise(SIGHUP); // would end this test if it were not ignored
        EXPECT_FALSE(batch::StopRequested());
        std::raise(SIGTERM);
        // `timeout` signals the process and its group at once: one request, the run goes on.
        std::raise(SIGTERM);
        EXPECT_EQ(batch::StopSignal(), SIGTERM);
    }
    EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);

    platform::RemoveTemporariesOnSignals();
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
    EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
}

} // namespace
