// Silences one known false warning of one compiler around the code where it
// arises, and nowhere else.
//
// g++ 12 (Debian 12's compiler) warns at -O3 that the copy inside
// std::string's insert, where a text is put in front of a string (insert at
// 0, "text" + string), may overlap its source, "accessing
// 9223372036854775810 or more bytes": its overlap analysis of the inlined
// library code sees a length it cannot bound, although the string is never
// longer than its own size (GCC bug 105329). Other compilers and other
// versions see nothing here and keep the warning.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#define ORVEX_GCC12_FALSE_RESTRICT_BEGIN \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define ORVEX_GCC12_FALSE_RESTRICT_END _Pragma("GCC diagnostic pop")
#else
#define ORVEX_GCC12_FALSE_RESTRICT_BEGIN
#define ORVEX_GCC12_FALSE_RESTRICT_END
#endif
