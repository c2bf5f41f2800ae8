// CPCvaskMessage: request bodies, reply parsing against the catalogue, ownership.
#include "vaskmessage.h"

#include "internal.h"
#include "vaskerror.h"
#include "vaskparamkinds.h"

#include <string.h>

#include <memory>
#include <new>
#include <typeinfo>
#include <vector>

namespace {

// A fresh reply parameter with the prototype's header, chosen by its ParamType: an
// enumerated kind is read as a plain integer list. Null for a type that has no class.
CParam* CloneReplyParameter(const CParam* prototype) {
    switch (prototype->GetType()) {
        case PT_INT: return new CIntParam(prototype);
        case PT_BOOL: return new CBoolParam(prototype);
        case PT_STRING: return new CStringParam(prototype);
        case PT_USTRING: return new CUStringParam(prototype);
        case PT_BINARY: return new CBinaryParam(prototype);
        case PT_FLOAT: return new CFloatParam(prototype);
        case PT_UFLOAT: return new CUFloatParam(prototype);
        case PT_UQFLOAT: return new CUQFloatParam(prototype);
        case PT_BLOCK: return new CBlockParam(prototype);
        case PT_BIT: return new CBitParam(prototype);
        case PT_BIT0: return new CBit0Param(prototype);
        case PT_BIT1: return new CBit1Param(prototype);
        default: return NULL;
    }
}

// The most bytes a parameter's Write can put, from its kind and what it holds; false for
// a parameter of no known kind, whose size cannot be told before writing it.
bool WriteBound(const CParam& param, size_t& bound) {
    const size_t lists = VASK_MAX_VALUES;
    switch (param.GetType()) {
        case PT_NONE:
            bound = 0;
            return typeid(param) == typeid(CParam);  // the bare parameter writes nothing
        case PT_INT:
        case PT_BOOL:
            bound = 2 * lists;  // a byte and a NUL per stored value
            return true;
        case PT_BIT:
        case PT_BIT0:
        case PT_BIT1: bound = 2; return true;
        case PT_FLOAT:
        case PT_UFLOAT:
        case PT_UQFLOAT:
            bound = lists * (vask::kNumberTextMax + 1 + 4);  // number, NUL, unit, quantity
            return true;
        case PT_STRING:
        case PT_USTRING: {
            const CStringParam* text = dynamic_cast<const CStringParam*>(&param);
            if (text == NULL) return false;
            bound = 0;
            for (int i = 1; i <= VASK_MAX_VALUES; ++i)
                bound += (size_t)text->GetValue(i).GetLength() + 3;  // text, NUL, unit code
            return true;
        }
        case PT_BINARY: {
            const CBinaryParam* binary = dynamic_cast<const CBinaryParam*>(&param);
            if (binary == NULL) return false;
            const unsigned char* record = binary->GetValue(1);
            bound = record != NULL ? (size_t)record[0] + 4 : 0;
            return true;
        }
        case PT_BLOCK: {
            const CBlockParam* block = dynamic_cast<const CBlockParam*>(&param);
            if (block == NULL) return false;
            bound = block->GetValue(1) != NULL ? (size_t)block->GetLength() + 1 : 0;
            return true;
        }
        default: return false;
    }
}

}  // namespace

CPCvaskMessage::CPCvaskMessage(char command, int function, DirectionType kind,
                               CParamArray* parameters)
    : m_kind(kind),
      m_flags(0),
      m_state(0),
      m_command(command),
      m_function(function),
      m_parameters(parameters),
      m_owns(0) {}

CPCvaskMessage::CPCvaskMessage(const CString& sender, unsigned char*& cursor, int length)
    : m_kind(DT_REPLY),
      m_flags(0),
      m_state(0),
      m_command(0),
      m_function(0),
      m_parameters(NULL),
      m_owns(1) {
    unsigned char* end = cursor != NULL && length > 0 ? cursor + length : cursor;
    TRACE_MSGIN(-6, " End %p\n", (void*)end);
    try {
        m_parameters = new CParamArray;
        ParseBody(cursor, end, sender);
    } catch (CException* e) {
        e->Delete();
        m_command = 0;
    } catch (std::bad_alloc&) {
        m_command = 0;
    }
}

void CPCvaskMessage::ParseBody(unsigned char*& cursor, unsigned char* end, const CString& sender) {
    // Flags, state, letter and function: a body without all four is no message.
    if (end - cursor < 4) return;
    m_flags = cursor[0];
    m_state = cursor[1];
    char command = (char)cursor[2];
    m_function = cursor[3];
    cursor += 4;

    CMsgInfo* entry = FindMessageInfo(command, m_function);
    if (entry == NULL) {
        TRACE_MSGIN(1, "Invalid message %02x,%02x from %s received\n", (unsigned char)command,
                    m_function, (const char*)sender);
        return;
    }
    unsigned char* begin = cursor;
    for (int i = 0; i < entry->GetParamCount(DT_REPLY); ++i) {
        std::unique_ptr<CParam> clone(CloneReplyParameter(entry->GetParameter(i, DT_REPLY)));
        if (!clone) return;
        CParam* param = clone.get();
        m_parameters->Add(param);
        clone.release();
        if (!param->Read(cursor, end)) return;
        if (cursor < begin || cursor > end) {
            cursor = end;  // a parameter that left the body: nothing it read counts
            return;
        }
    }
    if (cursor != end) return;  // bytes left over
    m_command = command;
}

CPCvaskMessage::~CPCvaskMessage() {
    if (m_parameters == NULL) return;
    for (int k = 0; k < m_parameters->GetSize(); ++k) delete m_parameters->GetAt(k);
    if (m_owns)
        delete m_parameters;
    else
        m_parameters->RemoveAll();
    m_parameters = NULL;
}

void CPCvaskMessage::Write(unsigned char*& cursor) const {
    if (m_kind == DT_REPLY) {
        *cursor++ = m_flags;
        *cursor++ = m_state;
    }
    *cursor++ = (unsigned char)m_command;
    *cursor++ = (unsigned char)m_function;
    if (m_parameters == NULL) return;
    for (int k = 0; k < m_parameters->GetSize(); ++k) {
        const CParam* param = m_parameters->GetAt(k);
        if (param != NULL) param->Write(cursor);
    }
}

int CPCvaskMessage::WriteBody(unsigned char* buffer, int size) const {
    if (buffer == NULL || size < 0) return -1;
    // The body is written where it surely fits, then copied when it fits the caller's.
    size_t bound = 4;
    if (m_parameters != NULL)
        for (int k = 0; k < m_parameters->GetSize(); ++k) {
            const CParam* param = m_parameters->GetAt(k);
            if (param == NULL) continue;
            size_t one = 0;
            if (!WriteBound(*param, one)) return -1;
            bound += one;
        }
    unsigned char small[512];
    std::vector<unsigned char> large;
    unsigned char* scratch = small;
    if (bound > sizeof small) {
        try {
            large.resize(bound);
        } catch (std::bad_alloc&) {
            return -1;
        }
        scratch = large.data();
    }
    unsigned char* cursor = scratch;
    Write(cursor);
    size_t length = (size_t)(cursor - scratch);
    if (length > (size_t)size) return -1;
    memcpy(buffer, scratch, length);
    return (int)length;
}

CParamArray* CPCvaskMessage::ReleaseParameters() {
    CParamArray* parameters = m_parameters;
    m_parameters = NULL;
    return parameters;
}
