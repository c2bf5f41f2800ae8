// The parameter prototypes: one parameter object per value position of every bus message,
// created once from the table file and kept until the library unloads.
#include "catalogue_internal.h"

#include "vaskenums.h"
#include "vaskparamkinds.h"

#include <memory>
#include <new>

namespace {

CParamArray* g_prototypes = NULL;

// Appends a new prototype; the object is not lost when the array cannot grow.
void Append(CParamArray& array, CParam* prototype) {
    std::unique_ptr<CParam> hold(prototype);
    array.Add(prototype);
    hold.release();
}

void DeleteAll(CParamArray* array) {
    if (array == NULL) return;
    for (int k = 0; k < array->GetSize(); ++k) {
        delete array->GetAt(k);
        array->SetAt(k, NULL);
    }
    delete array;
}

}  // namespace

void BuildParamPrototypes() {
    if (g_prototypes != NULL) return;
    CParamArray* array = NULL;
    try {
        array = new CParamArray;
        array->SetSize(0, 1024);
#define VASK_PROTO_INT(c, f, p, d, lo, hi, m) Append(*array, new CIntParam(c, f, p, d, lo, hi, m));
#define VASK_PROTO_BOOL(c, f, p, d)           Append(*array, new CBoolParam(c, f, p, d));
#define VASK_PROTO_FLOAT(c, f, p, d, m)       Append(*array, new CFloatParam(c, f, p, d, m));
#define VASK_PROTO_UFLOAT(c, f, p, d, m)      Append(*array, new CUFloatParam(c, f, p, d, m));
#define VASK_PROTO_UQFLOAT(c, f, p, d, m)     Append(*array, new CUQFloatParam(c, f, p, d, m));
#define VASK_PROTO_STRING(c, f, p, d, m)      Append(*array, new CStringParam(c, f, p, d, m));
#define VASK_PROTO_USTRING(c, f, p, d, m)     Append(*array, new CUStringParam(c, f, p, d, m));
#define VASK_PROTO_BINARY(c, f, p, d, m)      Append(*array, new CBinaryParam(c, f, p, d, m));
#define VASK_PROTO_BLOCK(c, f, p, d, m)       Append(*array, new CBlockParam(c, f, p, d, m));
#define VASK_PROTO_BIT(c, f, p, d, s, w)      Append(*array, new CBitParam(c, f, p, d, s, w));
#define VASK_PROTO_BIT0(c, f, p, d, s, w)     Append(*array, new CBit0Param(c, f, p, d, s, w));
#define VASK_PROTO_BIT1(c, f, p, d, s, w)     Append(*array, new CBit1Param(c, f, p, d, s, w));
#define VASK_PROTO_ENUM(b, c, f, p, d, m)     Append(*array, new CEnum##b(c, f, p, d, m));
#define VASK_PROTO_END(c, f, p, d, m)         Append(*array, new CParam(c, f, p, d, m));
#include "../tables/prototypes.def"
    } catch (CException* e) {
        // Out of memory while the library loads: no prototypes rather than some of them,
        // so that no message is read against a partial list.
        e->Delete();
        DeleteAll(array);
        return;
    } catch (std::bad_alloc&) {
        DeleteAll(array);
        return;
    }
    g_prototypes = array;
}

namespace vask {

const CParamArray* Prototypes() { return g_prototypes; }

void ReleasePrototypes() {
    CParamArray* array = g_prototypes;
    g_prototypes = NULL;
    DeleteAll(array);
}

}  // namespace vask
