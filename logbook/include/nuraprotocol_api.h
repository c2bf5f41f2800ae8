// Export macro of NURAPROTOCOL.dll: the library itself builds with NURAPROTOCOL_BUILD defined.
#pragma once

#ifdef NURAPROTOCOL_BUILD
#define NURAPROTOCOL_API __declspec(dllexport)
#else
#define NURAPROTOCOL_API __declspec(dllimport)
#endif
