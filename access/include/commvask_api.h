// Export macro of commvask.dll: the library itself builds with COMMVASK_BUILD defined.
#pragma once

#ifdef COMMVASK_BUILD
#define COMMVASK_API __declspec(dllexport)
#else
#define COMMVASK_API __declspec(dllimport)
#endif
