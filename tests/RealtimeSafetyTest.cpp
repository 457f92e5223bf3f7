#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <cerrno>
#include <cstdlib>

// This binary replaces the C allocation functions (which operator new, JUCE's
// HeapBlock and every container end in) and the mutex entry points, so that it
// can count what processBlock does on the calling thread.
namespace
{
thread_local bool watching = false;
thread_local int allocations = 0;
thread_local int mutexLocks = 0;

void countAllocation()
{
    if (watching)
        ++allocations;
}
} // namespace

extern "C"
{
void* __libc_malloc (size_t);
void* __libc_calloc (size_t, size_t);
void* __libc_realloc (void*, size_t);
void* __libc_memalign (size_t, size_t);

void* malloc (size_t size)
{
    countAllocation();
    return __libc_malloc (size);
}

void* calloc (size_t count, size_t size)
{
    countAllocation();
    return __libc_calloc (count, size);
}

void* realloc (void* pointer, size_t size)
{
    countAllocation();
    return __libc_realloc (pointer, size);
}

void* aligned_alloc (size_t alignment, size_t size)
{
    countAllocation();
    return __libc_memalign (alignment, size);
}

void* memalign (size_t alignment, size_t size)
{
    countAllocation();
    return __libc_memalign (alignment, size);
}

int posix_memalign (void** result, size_t alignment, size_t size)
{
    countAllocation();
    *result = __libc_memalign (alignment, size);
    return *result != nullptr ? 0 : ENOMEM;
}
}

extern "C" int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    using LockFunction = int (*) (pthread_mutex_t*);
    static const auto real = reinterpret_cast<LockFunction> (dlsym (RTLD_NEXT, "pthread_mutex_lock"));

    if (watching)
        ++mutexLocks;

    return real (mutex);
}

extern "C" int pthread_mutex_trylock (pthread_mutex_t* mutex)
{
    using LockFunction = int (*) (pthread_mutex_t*);
    static const auto real = reinterpret_cast<LockFunction> (dlsym (RTLD_NEXT, "pthread_mutex_trylock"));

    if (watching)
        ++mutexLocks;

    return real (mutex);
}

using namespace processor_test;

namespace
{
struct Counts
{
    int allocations = 0, mutexLocks = 0;
};

Counts processWatched (VornAudioProcessor& processor, juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    allocations = mutexLocks = 0;
    watching = true;
    processor.processBlock (buffer, midi);
    watching = false;
    return { allocations, mutexLocks };
}

TEST (RealtimeSafetyCheck, TheCountersSeeAllocationsAndLocks)
{
    juce::CriticalSection lock;
    allocations = mutexLocks = 0;
    watching = true;
    juce::HeapBlock<float> block (16);
    { const juce::ScopedLock sl (lock); }
    watching = false;

    EXPECT_EQ (allocations, 1);
    EXPECT_EQ (mutexLocks, 1);
}

struct RealtimeCase
{
    int channels;
    double rate;
};

class RealtimeSafetyTest : public testing::TestWithParam<RealtimeCase> {};

TEST_P (RealtimeSafetyTest, ProcessBlockNeitherAllocatesNorLocks)
{
    const auto& c = GetParam();
    constexpr int prepared = 1024;

    VornAudioProcessor processor;
    useLayout (processor, c.channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo());
    processor.prepareToPlay (c.rate, prepared);

    auto block = 0;
    for (auto size : { 1, 17, 32, 64, 256, 512, 1000, prepared, 0 })
    {
        // Parameter moves between blocks keep the glide and the gain changing.
        setSkimming (processor, (block % 3) * 0.5f);
        setOutputDb (processor, -3.0f * static_cast<float> (block % 4));
        ++block;

        auto buffer = noise (c.channels, size, size, 1.5f);
        const auto counts = processWatched (processor, buffer);
        EXPECT_EQ (counts.allocations, 0) << size << " samples";
        EXPECT_EQ (counts.mutexLocks, 0) << size << " samples";
    }
}

INSTANTIATE_TEST_SUITE_P (Layouts, RealtimeSafetyTest, testing::Values (
    RealtimeCase { 1, 44100.0 }, RealtimeCase { 2, 44100.0 },
    RealtimeCase { 1, 48000.0 }, RealtimeCase { 2, 48000.0 },
    RealtimeCase { 1, 96000.0 }, RealtimeCase { 2, 96000.0 }));

TEST (RealtimeSafety, LongerBlockAllocatesOnceThenNeverAgain)
{
    VornAudioProcessor processor;
    setSkimming (processor, 0.5f);
    processor.prepareToPlay (48000.0, 256);

    auto longer = noise (2, 2048, 1);
    EXPECT_GE (processWatched (processor, longer).allocations, 1);

    for (auto size : { 2048, 2048, 256, 1500, 2048 })
    {
        auto buffer = noise (2, size, size);
        EXPECT_EQ (processWatched (processor, buffer).allocations, 0) << size << " samples";
    }
}
} // namespace
