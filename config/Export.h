// Export macro for the symbols of the configuration-file library.
#pragma once

// As for the option parser (options/Export.h): CMake defines
// conkit_config_EXPORTS while it builds the shared library itself.
#if defined(_WIN32) && defined(CONKIT_SHARED)
#if defined(conkit_config_EXPORTS)
#define CONKIT_CONFIG_API __declspec(dllexport)
#else
#define CONKIT_CONFIG_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define CONKIT_CONFIG_API __attribute__((visibility("default")))
#else
#define CONKIT_CONFIG_API
#endif
