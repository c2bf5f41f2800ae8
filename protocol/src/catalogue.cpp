// The message catalogue: a static table of every bus message, constructed in entry order
// when the library loads. The first entry builds the prototype array; every entry files
// the prototypes of its (letter, function) from it.
#include "msginfo.h"

#include "catalogue_internal.h"
#include "internal.h"

#include <new>

namespace {
// Set by the first entry; the array is never built a second time, not even after it has
// been released at unload.
bool g_built = false;
}  // namespace

struct CMsgInfoAccess {
    static void EmptyLists(CMsgInfo& entry) {
        entry.m_request.RemoveAll();
        entry.m_reply.RemoveAll();
    }
};

CMsgInfo::CMsgInfo(char command, int function, int nameId)
    : m_command(command), m_function(function), m_nameId(nameId) {
    if (!g_built) {
        BuildParamPrototypes();
        g_built = true;
    }
    File();
}

CMsgInfo::CMsgInfo(const CMsgInfo& other)
    : m_command(other.m_command), m_function(other.m_function), m_nameId(other.m_nameId) {
    m_request.Copy(other.m_request);
    m_reply.Copy(other.m_reply);
}

CMsgInfo::~CMsgInfo() {}

void CMsgInfo::File() {
    const CParamArray* all = vask::Prototypes();
    if (all == NULL) return;
    try {
        for (int k = 0; k < all->GetSize(); ++k) {
            CParam* prototype = all->GetAt(k);
            if (prototype->Match('X', 0)) break;  // the terminator
            if (!prototype->Match(m_command, m_function)) continue;
            if (prototype->IsReply())
                m_reply.Add(prototype);
            else
                m_request.Add(prototype);
        }
    } catch (CException* e) {
        // A list that could not grow would describe the message wrongly: none at all.
        e->Delete();
        CMsgInfoAccess::EmptyLists(*this);
    }
}

int CMsgInfo::Match(char command, int function) const {
    return command == m_command && function == m_function;
}

int CMsgInfo::GetParamCount(DirectionType direction) const {
    return direction == DT_REPLY ? m_reply.GetSize() : m_request.GetSize();
}

CParamArray* CMsgInfo::GetParamList(DirectionType direction) {
    return direction == DT_REPLY ? &m_reply : &m_request;
}

CParam* CMsgInfo::GetParameter(int i, DirectionType direction) const {
    const CParamArray& list = direction == DT_REPLY ? m_reply : m_request;
    if (i < 0 || i >= list.GetSize()) return NULL;
    return list.GetAt(i);
}

CString CMsgInfo::GetName() const {
    CString text;
    if (vask::LoadOwnString(10000LL + m_nameId, text)) return text;
    text.Format("ID %d not found", m_nameId);
    return text;
}

namespace {

CMsgInfo g_catalogue[] = {
#define VASK_MSG(letter, function, nameId) CMsgInfo(letter, function, nameId),
#include "../tables/catalogue.def"
};
static_assert(sizeof g_catalogue / sizeof g_catalogue[0] == VASK_CATALOGUE_SIZE,
              "the catalogue has 404 entries");

// Constructed after the catalogue and so destroyed before it: at unload the prototypes go
// first, and the entries then free only their own (by then empty) lists.
struct ReleaseAtUnload {
    ~ReleaseAtUnload() { FreeParamPrototypes(); }
} g_releaseAtUnload;

}  // namespace

CMsgInfo* GetMessageInfo(int i) {
    if (i < 0 || i >= VASK_CATALOGUE_SIZE) return NULL;
    return &g_catalogue[i];
}

CMsgInfo* FindMessageInfo(char command, int function) {
    for (CMsgInfo& entry : g_catalogue) {
        if (entry.Match(0, 0)) return NULL;
        if (entry.Match(command, function)) return &entry;
    }
    return NULL;
}

void FreeParamPrototypes() {
    if (vask::Prototypes() == NULL) return;
    for (CMsgInfo& entry : g_catalogue) CMsgInfoAccess::EmptyLists(entry);
    vask::ReleasePrototypes();
}
