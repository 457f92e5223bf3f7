#include "RealtimeWatch.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cerrno>
#include <cstdlib>

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

void countLock()
{
    if (watching)
        ++mutexLocks;
}

using LockFunction = int (*) (pthread_mutex_t*);

LockFunction realLockFunction (const char* name)
{
    return reinterpret_cast<LockFunction> (dlsym (RTLD_NEXT, name));
}
} // namespace

void RealtimeWatch::begin()
{
    allocations = mutexLocks = 0;
    watching = true;
}

RealtimeWatch::Counts RealtimeWatch::end()
{
    watching = false;
    return { allocations, mutexLocks };
}

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

int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    static const auto real = realLockFunction ("pthread_mutex_lock");
    countLock();
    return real (mutex);
}

int pthread_mutex_trylock (pthread_mutex_t* mutex)
{
    static const auto real = realLockFunction ("pthread_mutex_trylock");
    countLock();
    return real (mutex);
}
}
