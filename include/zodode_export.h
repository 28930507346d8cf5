// Export control and the __int64 type shared by the zodode32 public headers.
// ZODODE_API marks the exported classes: exported while the shared library is
// built (ZODODE_BUILDING), plain in a static build of the library
// (ZODODE_STATIC), and imported by every client of the shared library.
#ifndef ZODODE_EXPORT_H
#define ZODODE_EXPORT_H

#if defined(ZODODE_STATIC)
#define ZODODE_API
#elif defined(_WIN32)
#if defined(ZODODE_BUILDING)
#define ZODODE_API __declspec(dllexport)
#else
#define ZODODE_API __declspec(dllimport)
#endif
#else
#define ZODODE_API __attribute__((visibility("default")))
#endif

// A 64-bit signed integer under its Windows name. MSVC has it built in and
// mingw-w64 defines it as a macro; everywhere else it is long long.
#if !defined(_MSC_VER) && !defined(__int64)
typedef long long __int64;
#endif

#endif  // ZODODE_EXPORT_H
