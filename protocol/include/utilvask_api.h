// Export macro of utilvask.dll: the library itself builds with UTILVASK_BUILD defined.
#pragma once

#ifdef UTILVASK_BUILD
#define UTILVASK_API __declspec(dllexport)
#else
#define UTILVASK_API __declspec(dllimport)
#endif
