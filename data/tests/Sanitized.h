#pragma once
// Whether this test binary runs under AddressSanitizer (scripts/sanitize). Such a build is many
// times slower, so checks of speed are left to the plain build and long loops are shortened.

namespace orvane::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

} // namespace orvane::test
