#pragma once

// Tells ThreadSanitizer that one thread hands data to another through a
// channel it cannot see (Qt's locks, when Qt is not built with it): the
// sender calls handOverSent(token) after its last write, the receiver
// handOverReceived(token) before its first read. Empty in other builds.

#if defined(__SANITIZE_THREAD__)
#define TQ5800_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TQ5800_THREAD_SANITIZER 1
#endif
#endif

#ifdef TQ5800_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

inline void handOverSent([[maybe_unused]] const void* token)
{
#ifdef TQ5800_THREAD_SANITIZER
    __tsan_release(const_cast<void*>(token));
#endif
}

inline void handOverReceived([[maybe_unused]] const void* token)
{
#ifdef TQ5800_THREAD_SANITIZER
    __tsan_acquire(const_cast<void*>(token));
#endif
}
