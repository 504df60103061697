#pragma once
// What the sanitizer build changes for a test.

#if defined(__SANITIZE_ADDRESS__)
#define WEX_TESTS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WEX_TESTS_ADDRESS_SANITIZER 1
#endif
#endif

/// AddressSanitizer ends the process when an allocation fails (and reserves far
/// more address space than a memory limit leaves), where the program would see
/// std::bad_alloc: a test of running out of memory cannot run under it.
#ifdef WEX_TESTS_ADDRESS_SANITIZER
inline constexpr bool kOutOfMemoryCannotBeTested = true;
#else
inline constexpr bool kOutOfMemoryCannotBeTested = false;
#endif
