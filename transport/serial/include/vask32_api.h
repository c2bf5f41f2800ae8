// Export macro of vask32.dll: the library itself builds with VASK32_BUILD defined.
#pragma once

#ifdef VASK32_BUILD
#define VASK32_API __declspec(dllexport)
#else
#define VASK32_API __declspec(dllimport)
#endif
