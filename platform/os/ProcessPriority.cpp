#include "platform/os/ProcessPriority.h"

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>

int LowestUnprivilegedNice()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0)
        return 19;
    // RLIM_INFINITY is a huge value: the ceiling clamps it to -20.
    const rlim_t ceiling = std::min<rlim_t>(limit.rlim_cur, 40);
    return std::clamp(20 - static_cast<int>(ceiling), -20, 19);
}

void RaiseProcessPriority()
{
    // Only RLIMIT_NICE counts, not CAP_SYS_NICE: a program started as root
    // must not end up above the rest of the desktop either.
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, 0);
    if (current == -1 && errno != 0)
        return;
    const int target = LowestUnprivilegedNice();
    if (target < current)
        (void)setpriority(PRIO_PROCESS, 0, target);
}
