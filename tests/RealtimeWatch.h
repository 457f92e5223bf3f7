#pragma once

#include <utility>

/** Counts the heap allocations and mutex locks made on the calling thread
    while a watch is open, whichever library makes them (a plug-in loaded into
    the process included). It replaces the C allocation functions, which
    operator new and every container end in, and the mutex entry points, so it
    is linked only into test programs of its own; Linux with glibc only. */
class RealtimeWatch
{
public:
    struct Counts
    {
        int allocations = 0, mutexLocks = 0;
    };

    template <typename Work>
    static Counts count (Work&& work)
    {
        begin();
        std::forward<Work> (work)();
        return end();
    }

private:
    static void begin();
    static Counts end();
};
