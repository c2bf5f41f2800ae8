// Export macro of vask.dll: the library itself builds with VASK_BUILD defined.
#pragma once

#ifdef VASK_BUILD
#define VASK_API __declspec(dllexport)
#else
#define VASK_API __declspec(dllimport)
#endif
