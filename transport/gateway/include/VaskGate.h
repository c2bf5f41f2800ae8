// VaskGate: client of the gateway server that exposes the analyzer bus lines of TCP/IP
// gateways over DCOM.  Flat C interface; every function returns a VG_ERROR.
//
// Each thread that calls the interface needs its own VGInitialize (and COM initialised by
// the caller).  Receive and transmit callbacks run on the thread that queued the request,
// delivered through a hidden window of class "VGWSyncWindow": that thread must dispatch
// sent messages (a message loop or a message-dispatching wait) for them to arrive.
#pragma once

#include <windows.h>

#ifdef VASKGATE_BUILD
#define VASKGATE_API __declspec(dllexport)
#else
#define VASKGATE_API __declspec(dllimport)
#endif

#define VGAPI __stdcall

#ifdef __cplusplus
extern "C" {
#endif

typedef enum tagVG_ERROR {
    VG_OK = 0,
    VG_OUT_OF_MEMORY = 1,         // allocating an object, a buffer or a text failed
    VG_ALREADY_INITIALIZED = 2,   // the calling thread is already initialised
    VG_NOT_INITIALIZED = 3,       // the calling thread is not initialised
    VG_NO_CLASS_OBJECT = 4,       // obtaining the server's class object failed
    VG_NO_INSTANCE = 5,           // creating the server object failed
    VG_NO_GATEWAY_INTERFACE = 6,  // the server does not provide the gateway interface
    VG_ALREADY_CONNECTED = 7,     // a connection to this server name is still in use
    VG_NOT_CONNECTED = 8,         // the server handle has no connection
    VG_NO_LINE = 9,               // no (further) line
    VG_SERVER_FAILED = 10,        // reserved: failure of the remote server object
    VG_LINE_FAILED = 11,          // a call on the line object failed; transmit superseded
    VG_NO_ACK = 12,               // transmit completed: the device did not acknowledge
    VG_TRANSMIT_FAILED = 13,      // transmit completed: other failure of the gateway
    VG_BUFFER_TOO_SMALL = 14,     // the needed size is returned
    VG_NO_DATA = 15,              // no data available
    VG_INVALID_SERVER = 16,       // invalid server handle
    VG_INVALID_LINE = 17,         // invalid line handle
    VG_INVALID_RECEIVE = 18,      // invalid receive request handle
    VG_INVALID_TRANSMIT = 19,     // invalid transmit request handle
    VG_INVALID_ADDRESS = 20       // invalid bus address (above 14)
} VG_ERROR;

// Opaque handles; each denotes a live object of one kind, and a function refuses a value
// that does not with the code of its kind (16 to 19).
typedef struct VGServer_* HVGSERVER;
typedef struct VGLine_* HVGLINE;
typedef struct VGReceive_* HVGRECEIVE;
typedef struct VGTransmit_* HVGTRANSMIT;

// source: device * 16 + component index; second: passed through from the gateway.
typedef void(VGAPI* VGReceiveCallback)(HVGRECEIVE request, unsigned char source,
                                       unsigned char second, VG_ERROR result, void* context);
typedef void(VGAPI* VGTransmitCallback)(HVGTRANSMIT request, VG_ERROR result, void* context);

// A required pointer argument that is null is refused with the code of the function's
// handle kind (16 for VGConnect).  The out-parameter of VGReceive and VGTransmit may be null
// when the caller does not keep the request handle.

VASKGATE_API VG_ERROR VGAPI VGInitialize(void);
VASKGATE_API VG_ERROR VGAPI VGUninitialize(void);

VASKGATE_API VG_ERROR VGAPI VGConnect(const char* serverName, HVGSERVER* server);
VASKGATE_API VG_ERROR VGAPI VGDisconnect(HVGSERVER server);

VASKGATE_API VG_ERROR VGAPI VGGetFirstLine(HVGSERVER server, HVGLINE* line);
VASKGATE_API VG_ERROR VGAPI VGGetNextLine(HVGLINE line, HVGLINE* next);
VASKGATE_API VG_ERROR VGAPI VGOpenLine(HVGSERVER server, const char* lineName, HVGLINE* line);
VASKGATE_API VG_ERROR VGAPI VGCloseLine(HVGLINE line);
VASKGATE_API VG_ERROR VGAPI VGGetLineName(HVGLINE line, char* buffer, unsigned* size);

// Runs the modal "Line Configuration" dialog.  0 when the dialog ran (also after Cancel);
// 11 when the line's configuration could not be read (nothing shown) or written, or the
// dialog could not be shown.
VASKGATE_API VG_ERROR VGAPI VGConfigureLine(HVGLINE line, HWND parent);
VASKGATE_API VG_ERROR VGAPI VGGetLineAddress(HVGLINE line, unsigned char* address);
VASKGATE_API VG_ERROR VGAPI VGSetLineAddress(HVGLINE line, int address);

VASKGATE_API VG_ERROR VGAPI VGReceive(HVGLINE line, HVGRECEIVE* request, VGReceiveCallback callback,
                                      void* context);
VASKGATE_API VG_ERROR VGAPI VGTransmit(HVGLINE line, int destination, const unsigned char* data,
                                       int length, HVGTRANSMIT* request,
                                       VGTransmitCallback callback, void* context);
// Only inside the request's own receive callback does the request hold data.
VASKGATE_API VG_ERROR VGAPI VGReceiveData(HVGRECEIVE request, unsigned char* buffer,
                                          unsigned* size);
VASKGATE_API VG_ERROR VGAPI VGCancelReceive(HVGRECEIVE request);
VASKGATE_API VG_ERROR VGAPI VGCancelTransmit(HVGTRANSMIT request);

#ifdef __cplusplus
}
#endif
