/* The flat interface of commvask.dll for programs that do not use its classes: one
   process-wide bus connection, any catalogue message sent with its values as texts, and
   received messages with their values rendered as texts. For one calling thread.

   Value texts travel in a buffer set of PCVASK_BUFFERS texts of PCVASK_BUFFER_SIZE bytes
   (PCvaskAlloc); argument lists end with a null pointer or an empty text. */
#ifndef PCVASK_H
#define PCVASK_H

#include "commvask_api.h"
#include "serialparam.h"

#ifdef __cplusplus
#include "vaskerror.h"
extern "C" {
#else
typedef struct SerialParam SerialParam;
typedef struct ErrorInfo_ {
    int code;
    unsigned long info;
    char text[256];
} ErrorInfo_;
#endif

#define PCVASK_BUFFERS     15
#define PCVASK_BUFFER_SIZE 40

/* The buffer set, or null when memory ran out. */
COMMVASK_API char** PCvaskAlloc(void);
/* Releases a buffer set; null is allowed. */
COMMVASK_API void PCvaskFree(char** buffers);
/* Opens the connection: type "" or "VASK" (a COM port such as "COM1" as line) or
   "TCPGATEWAY". A second PCvaskInit before PCvaskDone fails with error 34. */
COMMVASK_API int PCvaskInit(const char* type, const char* line, const SerialParam* param,
                            ErrorInfo_* error);
/* Closes the connection; always 1. */
COMMVASK_API int PCvaskDone(void);
/* Sends (command, function) to an address "device/component" with one text per value of
   the request, in catalogue order; fixed bits take none. Errors 26 to 30 are found before
   anything is sent; an integer value above 255, which one byte cannot carry, is error 30. */
COMMVASK_API int PCvaskSend(const char* address, char command, int function, char** arguments,
                            ErrorInfo_* error);
/* Takes one received message: 1 with command 0 when none is there. Its values go into
   the buffer set, at most PCVASK_BUFFERS - 1 of them, each cut to PCVASK_BUFFER_SIZE - 1
   characters, followed by an empty text; when anything had to be cut, the result is 0
   with error 67 and what was written stays. */
COMMVASK_API int PCvaskReceive(char* unused, char* command, int* function, char** values,
                               ErrorInfo_* error);

#ifdef __cplusplus
}
#endif

#endif
