// Export macro for the symbols of the string slice library.
#pragma once

// Shared builds compile with hidden visibility; the public interface is marked
// with CONKIT_SLICES_API so that it alone is exported. CMake defines
// conkit_slices_EXPORTS while it builds the shared library itself.
#if defined(_WIN32) && defined(CONKIT_SHARED)
#if defined(conkit_slices_EXPORTS)
#define CONKIT_SLICES_API __declspec(dllexport)
#else
#define CONKIT_SLICES_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CONKIT_SLICES_API __attribute__((visibility("default")))
#else
#define CONKIT_SLICES_API
#endif
