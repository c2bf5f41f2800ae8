// The curve sheet's look-ups in the node list.
#include "curvenodes.h"

#include "converter.h"
#include "curvesettings.h"
#include "gateway.h"
#include "vaskinstrument.h"

BOOL IsCurveNetwork(const CObject* pNode) {
    return pNode != NULL &&
           (pNode->IsKindOf(RUNTIME_CLASS(CConverter)) || pNode->IsKindOf(RUNTIME_CLASS(CGateway)));
}

CInstrument* FindCurveNetwork(CObList* pNodeList, const CString& name) {
    if (pNodeList == NULL) return NULL;
    for (POSITION pos = pNodeList->GetHeadPosition(); pos != NULL;) {
        CObject* pNode = pNodeList->GetNext(pos);
        if (IsCurveNetwork(pNode) && ((CInstrument*)pNode)->GetDisplayName() == name)
            return (CInstrument*)pNode;
    }
    return NULL;
}

CVaskInstrument* FindCurveAnalyzer(CInstrument* pNetwork, const CString& name) {
    if (pNetwork == NULL || name.IsEmpty()) return NULL;
    for (POSITION pos = pNetwork->GetFirstChildPosition(); pos != NULL;) {
        CInstrument* pChild = pNetwork->GetNextChild(pos);
        if (pChild->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) && pChild->GetName() == name)
            return (CVaskInstrument*)pChild;
    }
    return NULL;
}

CInstrument* NetworkOfAnalyzer(const CInstrument* pAnalyzer, CObList* pNodeList) {
    if (pAnalyzer == NULL || pNodeList == NULL) return NULL;
    // The parent chain is short (analyzer, line, gateway); the bound guards a damaged one.
    int depth = 0;
    for (CInstrument* pNode = pAnalyzer->GetParent(); pNode != NULL && depth < 16;
         pNode = pNode->GetParent(), ++depth)
        if (IsCurveNetwork(pNode) && pNodeList->Find(pNode) != NULL) return pNode;
    return NULL;
}

void ListedAnalyzers(CInstrument* pNetwork, CPtrArray& analyzers) {
    analyzers.RemoveAll();
    if (pNetwork == NULL) return;
    for (POSITION pos = pNetwork->GetFirstChildPosition(); pos != NULL;) {
        CInstrument* pChild = pNetwork->GetNextChild(pos);
        if (pChild->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) && pChild->IsActive())
            analyzers.Add(pChild);
    }
}

void ResolveCurveSlots(CCurveSettings& settings, CObList* pNodeList) {
    for (int i = 0; i < CCurveSettings::CURVES; ++i) {
        settings.m_pInstrument[i] = NULL;
        // Only components 0 to 3 have measured values.
        if (settings.m_nComponent[i] < 0 || settings.m_nComponent[i] > 3) continue;
        CInstrument* pNetwork = FindCurveNetwork(pNodeList, settings.m_strNetwork[i]);
        settings.m_pInstrument[i] = FindCurveAnalyzer(pNetwork, settings.m_strInstrument[i]);
    }
}
