// The priority step: as high as RLIMIT_NICE allows, never a real-time class.
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/os/ProcessPriority.h"

namespace {

// Runs in a child process so that the limits and the nice value of the test
// binary stay untouched. Exit code 0: as expected.
void RaiseWithNiceLimit(rlim_t limit, int expectedNice)
{
    rlimit rl{limit, limit};
    if (setrlimit(RLIMIT_NICE, &rl) != 0)
        std::exit(77); // not allowed to set the limit here
    setpriority(PRIO_PROCESS, 0, 5);
    RaiseProcessPriority();
    const bool niceOk = getpriority(PRIO_PROCESS, 0) == expectedNice;
    const bool normalClass = sched_getscheduler(0) == SCHED_OTHER;
    std::exit(niceOk && normalClass ? 0 : 1);
}

// Raising the hard limit needs CAP_SYS_RESOURCE, which a container may lack
// even for root: probe in a child.
bool CanSetNiceLimit(rlim_t limit)
{
    const pid_t child = fork();
    if (child == 0) {
        rlimit rl{limit, limit};
        _exit(setrlimit(RLIMIT_NICE, &rl) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(ProcessPriority, RaisesAsFarAsTheNiceLimitAllows)
{
    if (!CanSetNiceLimit(25))
        GTEST_SKIP() << "RLIMIT_NICE cannot be raised to 25 here";
    // Limit 25 allows nice -5.
    EXPECT_EXIT(RaiseWithNiceLimit(25, -5), ::testing::ExitedWithCode(0), "");
}

TEST(ProcessPriority, ChangesNothingWithoutAllowanceEvenAsRoot)
{
    // Limit 0 (the default) allows nothing below 20: nice stays at 5, also
    // for root, whose CAP_SYS_NICE is not used.
    EXPECT_EXIT(RaiseWithNiceLimit(0, 5), ::testing::ExitedWithCode(0), "");
}

} // namespace
