// Export macro for the symbols of the option parser library.
#pragma once

// Shared builds compile with hidden visibility; the public interface is marked
// with CONKIT_OPTIONS_API so that it alone is exported. CMake defines
// conkit_options_EXPORTS while it builds the shared library itself.
#if defined(_WIN32) && defined(CONKIT_SHARED)
#if defined(conkit_options_EXPORTS)
#define CONKIT_OPTIONS_API __declspec(dllexport)
#else
#define CONKIT_OPTIONS_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CONKIT_OPTIONS_API __attribute__((visibility("default")))
#else
#define CONKIT_OPTIONS_API
#endif
