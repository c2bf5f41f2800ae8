// The flat interface: one process-wide connection, messages by letter, function and texts.
#include "pcvask.h"

#include "communication.h"
#include "msginfo.h"
#include "vaskmessage.h"
#include "vaskparamkinds.h"

#include <string.h>

#include <new>

namespace {

CCommunication* g_connection = NULL;

// Room for the display text of one received value before it is cut to the caller's
// buffer: the whole receive buffer of the link layer as text, or a binary record shown
// as hex, stays well below it; a longer text is refused and reported as cut.
const int kScratch = 8192;

int Given(char** arguments, int n) {
    return arguments != NULL && arguments[n] != NULL && arguments[n][0] != 0;
}

// How many argument texts a request prototype takes; -1 when it cannot be given as text.
int ValuesTaken(const CParam* prototype) {
    switch (prototype->GetType()) {
        case PT_BIT0:
        case PT_BIT1: return 0;  // fixed bits
        case PT_BINARY:
        case PT_BLOCK: return -1;  // records, not texts
        default: break;
    }
    int multiple = prototype->GetMultiple();
    if (multiple == 1024) return 1;  // one value sent as a bare byte
    if (multiple < 1 || multiple > VASK_MAX_VALUES) return -1;
    return multiple;
}

}  // namespace

extern "C" {

char** PCvaskAlloc(void) {
    char** set = new (std::nothrow) char*[PCVASK_BUFFERS];
    if (set == NULL) return NULL;
    for (int k = 0; k < PCVASK_BUFFERS; ++k) {
        set[k] = new (std::nothrow) char[PCVASK_BUFFER_SIZE];
        if (set[k] == NULL) {
            for (int j = 0; j < k; ++j) delete[] set[j];
            delete[] set;
            return NULL;
        }
        set[k][0] = 0;
    }
    return set;
}

void PCvaskFree(char** buffers) {
    if (buffers == NULL) return;
    for (int k = 0; k < PCVASK_BUFFERS; ++k) delete[] buffers[k];
    delete[] buffers;
}

int PCvaskInit(const char* type, const char* line, const SerialParam* param, ErrorInfo_* error) {
    // A second connection would leave the first one's port open for good.
    if (g_connection != NULL) {
        SetError(error, ErrorAlreadyInitialized, 0);
        return 0;
    }
    CCommunication* connection = new (std::nothrow) CCommunication;
    if (connection == NULL) {
        SetError(error, ErrorOutOfMemory, 0);
        return 0;
    }
    SerialParam settings;
    memset(&settings, 0, sizeof settings);
    if (param != NULL) settings = *param;
    ErrorStruct_ err;
    if (connection->Init(CString(type ? type : ""), CString(line ? line : ""), settings, &err) !=
        1) {
        delete connection;
        SetError(error, &err);
        return 0;
    }
    g_connection = connection;
    return 1;
}

int PCvaskDone(void) {
    delete g_connection;
    g_connection = NULL;
    return 1;
}

int PCvaskSend(const char* address, char command, int function, char** arguments,
               ErrorInfo_* error) {
    if (g_connection == NULL) {
        SetError(error, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    CMsgInfo* info = FindMessageInfo(command, function);
    if (info == NULL) {
        SetError(error, ErrorInvalidMessageType, 0);
        return 0;
    }
    // The values go into the catalogue's request prototypes, which stay the catalogue's.
    CParamArray* prototypes = info->GetParamList(DT_REQUEST);
    int n = 0;
    for (int p = 0; p < prototypes->GetSize(); ++p) {
        CParam* prototype = prototypes->GetAt(p);
        int taken = ValuesTaken(prototype);
        if (taken < 0) {
            SetError(error, ErrorInvalidParameter, 0);
            return 0;
        }
        for (int k = 1; k <= taken; ++k) {
            if (!Given(arguments, n)) {
                SetError(error, ErrorTooFewParameters, 0);
                return 0;
            }
            if (prototype->ConvertValue(k, CString(arguments[n])) != 1) {
                SetError(error, ErrorInvalidParameter, 0);
                return 0;
            }
            // An integer travels as one byte: the kind takes any number from 0 up and
            // would send only the low byte of a larger one.
            const CIntParam* number = dynamic_cast<const CIntParam*>(prototype);
            if (number != NULL && number->GetValue(k) > 255) {
                SetError(error, ErrorInvalidParameter, 0);
                return 0;
            }
            ++n;
        }
    }
    if (Given(arguments, n)) {
        SetError(error, ErrorTooManyParameters, 0);
        return 0;
    }

    // A message that borrows the prototypes: it is handed them in an array of its own and
    // gives them back before it goes, so that none is deleted.
    CParamArray borrowed;
    borrowed.Copy(*prototypes);
    CPCvaskMessage request(command, function, DT_REQUEST, &borrowed);
    ErrorStruct_ err;
    int sent = g_connection->Send(CString(address ? address : ""), &request, &err);
    request.ReleaseParameters();
    if (sent != 1) {
        // A device that never acknowledged leaves no code of its own.
        if (err.code == ErrorNone) SetError(&err, ErrorDeviceDoesNotRespond, 0);
        SetError(error, &err);
        return 0;
    }
    return 1;
}

int PCvaskReceive(char*, char* command, int* function, char** values, ErrorInfo_* error) {
    if (g_connection == NULL) {
        SetError(error, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    CString sender;
    CPCvaskMessage* message = NULL;
    ErrorStruct_ err;
    if (g_connection->Receive(sender, message, &err) != 1) {
        delete message;
        SetError(error, &err);
        return 0;
    }
    if (message == NULL) {
        if (command) *command = 0;
        return 1;
    }

    // At most the set's texts less the end mark, each cut to its buffer.
    const int room = PCVASK_BUFFERS - 1;
    int n = 0;
    int cut = 0;
    int full = values == NULL;
    CParamArray* parameters = message->GetParameters();
    char* scratch = new (std::nothrow) char[kScratch];
    if (scratch == NULL) {
        delete message;
        SetError(error, ErrorOutOfMemory, 0);
        return 0;
    }
    for (int p = 0; !full && parameters != NULL && p < parameters->GetSize(); ++p) {
        CParam* parameter = parameters->GetAt(p);
        if (parameter == NULL) continue;
        for (int k = 1; !full && k <= parameter->GetCount(); ++k) {
            if (n >= room || values[n] == NULL) {
                full = 1;
                break;
            }
            scratch[0] = 0;
            if (!parameter->GetValue(k, scratch, kScratch)) cut = 1;
            size_t length = strlen(scratch);
            if (length > PCVASK_BUFFER_SIZE - 1) {
                length = PCVASK_BUFFER_SIZE - 1;
                cut = 1;
            }
            memcpy(values[n], scratch, length);
            values[n][length] = 0;
            ++n;
        }
    }
    delete[] scratch;
    if (values != NULL && values[n] != NULL) values[n][0] = 0;
    if (command) *command = message->GetCommand();
    if (function) *function = message->GetFunction();
    delete message;
    if (cut || full) {
        SetError(error, ErrorBufferTooSmall, 0);
        return 0;
    }
    return 1;
}

}  // extern "C"
