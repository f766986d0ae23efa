#pragma once

// The C++20 library parts this code uses that an older standard library
// (the browser build's) lacks, in one place: where the library has them,
// these are the library's own; where not, equivalents that give the same
// bytes and the same numbers, and loops in turn where there are no threads.

#include <algorithm>
#include <charconv>
#include <cstring>
#include <type_traits>
#include <version>

#if defined(__cpp_lib_execution) && !(defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__))
#include <execution>
#define KELVARA_PARALLEL 1
#else
#define KELVARA_PARALLEL 0
#endif

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

// The shortest and fixed floating-point charconv of libstdc++; libc++
// gained them later.
#if defined(__GLIBCXX__) || (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION >= 170000)
#define KELVARA_FLOAT_CHARCONV 1
#else
#define KELVARA_FLOAT_CHARCONV 0
#endif

namespace Compat {

// Whether work may be handed to other threads at all.
inline constexpr bool HasThreads = KELVARA_PARALLEL == 1;

// std::for_each over every core, or in turn without threads.
template<class Iterator, class Function> void ParallelForEach(Iterator first, Iterator last, Function function)
{
#if KELVARA_PARALLEL
    std::for_each(std::execution::par, first, last, function);
#else
    std::for_each(first, last, function);
#endif
}

template<class To, class From> To BitCast(const From& from) noexcept
{
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// The library's floating-point charconv rebuilt on the C library's printf
// and strtod (exact and correctly rounded in glibc and musl), the locale's
// decimal point put back to a point. Built everywhere, so that it can be
// held against the library where both exist.
namespace Fallback {
// As std::to_chars(first, last, value): the shortest text that reads back
// as value, fixed or scientific, whichever is shorter (fixed on a tie).
std::to_chars_result ToChars(char* first, char* last, double value);
// As std::to_chars with std::chars_format::fixed and a precision.
std::to_chars_result ToFixedChars(char* first, char* last, double value, int precision);
// As std::from_chars with std::chars_format::fixed: [-]digits[.digits].
std::from_chars_result FromFixedChars(const char* first, const char* last, double& value);
}  // namespace Fallback

inline std::to_chars_result ToChars(char* first, char* last, double value)
{
#if KELVARA_FLOAT_CHARCONV
    return std::to_chars(first, last, value);
#else
    return Fallback::ToChars(first, last, value);
#endif
}

// std::chars_format::fixed alone is used, and rebuilt.
inline std::to_chars_result ToFixedChars(char* first, char* last, double value, int precision)
{
#if KELVARA_FLOAT_CHARCONV
    return std::to_chars(first, last, value, std::chars_format::fixed, precision);
#else
    return Fallback::ToFixedChars(first, last, value, precision);
#endif
}

inline std::from_chars_result FromFixedChars(const char* first, const char* last, double& value)
{
#if KELVARA_FLOAT_CHARCONV
    return std::from_chars(first, last, value, std::chars_format::fixed);
#else
    return Fallback::FromFixedChars(first, last, value);
#endif
}

}  // namespace Compat
