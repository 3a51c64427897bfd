// Whether this build runs under AddressSanitizer, which reserves address
// space of its own: tests that limit the address space skip themselves there.
#pragma once

namespace modelcheck::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif

}  // namespace modelcheck::testing
