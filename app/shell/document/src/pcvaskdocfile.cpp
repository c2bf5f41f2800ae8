// The document's files (offline parameter sets, "*.prm": one analyzer object in the class
// library's archive framing), the offline converter and the offline analyzer.
#include "pcvaskdoc.h"

#include "analyzermodels.h"
#include "converter.h"
#include "newdatadlg.h"
#include "resource.h"
#include "vaskinstrument.h"

namespace {

// The converter that carries the offline analyzer, and its profile name.
const char kOfflineConverterName[] = "Offline";
// Every converter the document makes starts as the first converter type.
const int kFirstConverterType = 1;
const int kPlainComponents = 4;
const int kPlainRanges = 4;

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

// ---- files ------------------------------------------------------------------------------

void CPCVaskDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        const BOOL bAnalyzer =
            m_pSelected != NULL && m_pSelected->IsKindOf(RUNTIME_CLASS(CVaskInstrument));
        ar.WriteObject(bAnalyzer ? m_pSelected : NULL);
        return;
    }
    // Only an analyzer is taken: a file of any other class is no parameter set. The archive
    // deletes an object whose record breaks off.
    CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CVaskInstrument));
    if (pObject == NULL) {
        m_loadOutcome = kNoObject;
        return;
    }
    TakeLoadedInstrument((CVaskInstrument*)pObject);
}

void CPCVaskDoc::TakeLoadedInstrument(CVaskInstrument* pInstrument) {
    // Refused before anything changes: the tree, the mode and the selection stay.
    if (pInstrument->IsIncompatible()) {
        AfxMessageBox(IDS_INCOMPATIBLE_SET);
        delete pInstrument;
        m_loadOutcome = kRefused;
        return;
    }
    StopWorkerThreads();
    SetBusy(1);
    UpdateAllViews(NULL, 5, NULL);
    SetOnlineMode(0);
    if (!pInstrument->HasData()) {
        delete pInstrument;
        CNewDataDlg dialog;
        if (dialog.DoModal() == IDOK) {
            const OfflineModelChoice choice = {dialog.m_nType,     dialog.m_nComponents,
                                               dialog.m_bO2Sensor, dialog.m_bH2SSensor,
                                               dialog.m_bHeating,  dialog.m_bOptionBoard};
            SetNewDataChoice(choice);
        }
        InitTheInstruments();
        m_loadOutcome = kNewData;
    } else {
        InitTheInstruments();
        SetBusy(1);
        SetOfflineInstrument(pInstrument);
        UpdateAllViews(NULL, 2, NULL);
        SelectNode(m_pOfflineInstrument);
        m_loadOutcome = kLoaded;
    }
    SetBusy(0);
}

BOOL CPCVaskDoc::OnOpenDocument(LPCSTR) {
    const CString path = PromptFileName(TRUE);
    if (path.IsEmpty()) return FALSE;
    return OpenParameterSet(path);
}

BOOL CPCVaskDoc::OpenParameterSet(const CString& path) {
    // The class library's open marks the document modified while it reads.
    const BOOL bWasModified = IsModified();
    m_loadOutcome = kNothingRead;
    BOOL bOpened = CDocument::OnOpenDocument(path);
    // An empty file holds not even the mark of no object.
    if (bOpened && m_loadOutcome == kNothingRead) {
        ReportSaveLoadException(path, NULL, FALSE, 0);
        bOpened = FALSE;
    }
    if (!bOpened || m_loadOutcome == kRefused) {
        SetModifiedFlag(bWasModified);
        return FALSE;
    }
    // A blank data set does not come from the file.
    if (m_loadOutcome != kNewData) SetPathName(path, TRUE);
    SetModifiedFlag(FALSE);
    UpdateAllViews(NULL, 6, NULL);
    return TRUE;
}

BOOL CPCVaskDoc::OnSaveDocument(LPCSTR lpszPathName) {
    CString path = lpszPathName != NULL ? lpszPathName : "";
    if (path.IsEmpty()) {
        path = PromptFileName(FALSE);
        if (path.IsEmpty()) return FALSE;
    }
    if (!CanReplace(path)) return FALSE;
    if (!CDocument::OnSaveDocument(path)) return FALSE;
    SetPathName(path, TRUE);
    return TRUE;
}

BOOL CPCVaskDoc::CanReplace(const CString& path) {
    // The new file is made in the target's folder, which must be there; and some file
    // systems let a new file replace a read-only one, whose protection must hold.
    const CString folder = path.Left(path.ReverseFind('\\') + 1);
    const DWORD folderAttributes =
        folder.IsEmpty() ? FILE_ATTRIBUTE_DIRECTORY : ::GetFileAttributesA(folder);
    LONG lError = ERROR_SUCCESS;
    if (folderAttributes == INVALID_FILE_ATTRIBUTES ||
        !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        lError = ERROR_PATH_NOT_FOUND;
    } else {
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
            lError = ERROR_ACCESS_DENIED;
    }
    if (lError == ERROR_SUCCESS) return TRUE;
    CFileException fe(CFileException::OsErrorToException(lError), lError, path);
    ReportSaveLoadException(path, &fe, TRUE, 0);
    return FALSE;
}

void CPCVaskDoc::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
    if (lpszPathName == NULL || *lpszPathName == '\0') {
        m_strPathName.Empty();
        return;
    }
    CDocument::SetPathName(lpszPathName, bAddToMRU);
}

void CPCVaskDoc::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL bSaving, UINT) {
    CString text;
    text.Format((UINT)(bSaving ? IDS_SET_NOT_SAVED : IDS_SET_NOT_READABLE),
                lpszPathName != NULL ? lpszPathName : "");
    char reason[512] = "";
    if (e != NULL && e->GetErrorMessage(reason, sizeof reason) && reason[0] != '\0') {
        text += "\n";
        text += reason;
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

CString CPCVaskDoc::PromptFileName(BOOL bOpen) {
    const CString defaultName = LoadText(IDS_PRM_DEFAULT);
    // The dialog appends the extension alone, without "*.", to a name typed without one.
    CString extension = defaultName;
    if (extension.Left(2) == "*.") extension = extension.Mid(2);
    CFileDialog dialog(bOpen, extension, defaultName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       LoadText(IDS_PRM_FILTER), AfxGetMainWnd());
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

// ---- the offline converter and analyzer ---------------------------------------------------

void CPCVaskDoc::InitTheOfflineConverter() {
    if (m_pOfflineConverter != NULL) return;
    m_pOfflineConverter = new CConverter(kOfflineConverterName, kFirstConverterType);
    m_nodeList.AddTail(m_pOfflineConverter);
    m_pOfflineConverter->ReadFromRegistry(kOfflineConverterName);
    // "Create New Data" chose the model of the offline analyzer: it holds for every offline
    // converter made anew until the communication dialog confirms another one.
    if (m_bNewDataHeld)
        m_pOfflineConverter->SetOfflineType(m_newData.nType, m_newData.nComponents, CString(),
                                            m_newData.bO2Sensor, m_newData.bH2SSensor,
                                            m_newData.bHeating, m_newData.bOptionBoard);
}

CConverter* CPCVaskDoc::GetOfflineConverter() {
    InitTheOfflineConverter();
    return m_pOfflineConverter;
}

void CPCVaskDoc::SetNewDataChoice(const OfflineModelChoice& choice) {
    m_newData = choice;
    m_bNewDataHeld = TRUE;
    if (m_pOfflineConverter != NULL)
        m_pOfflineConverter->SetOfflineType(choice.nType, choice.nComponents, CString(),
                                            choice.bO2Sensor, choice.bH2SSensor, choice.bHeating,
                                            choice.bOptionBoard);
}

void CPCVaskDoc::SetOfflineInstrument(CVaskInstrument* pInstrument) {
    CVaskInstrument* pOld = m_pOfflineInstrument;
    InitTheOfflineConverter();
    if (pInstrument != NULL)
        m_nodeList.AddTail(pInstrument);
    else
        pInstrument = InitTheOfflineInstrument();
    if (pOld != NULL && pOld != pInstrument) {
        StopWorkerThreads();
        if (pOld == m_pSelected) SelectNode(NULL);
        RemoveFromNodeList(pOld);
        m_pOfflineConverter->RemoveChild(pOld);
        delete pOld;
    }
    if (pInstrument != NULL) pInstrument->SetParent(m_pOfflineConverter);
    m_pOfflineInstrument = pInstrument;
}

CVaskInstrument* CPCVaskDoc::InitTheOfflineInstrument() {
    InitTheOfflineConverter();
    CConverter* pConverter = m_pOfflineConverter;
    const int nType = pConverter->GetOfflineType();
    const int nComponents = pConverter->GetOfflineComponents();
    CString name = pConverter->GetOfflineText();
    name.TrimLeft();
    if (name.IsEmpty()) name.LoadString(IDS_DEFAULT_NAME_BASE + nType);
    CVaskInstrument* pInstrument =
        CreateAnalyzerModel(nType, name, pConverter->GetAccess(), 0, nComponents,
                            pConverter->GetOfflineOptionBoard(), pConverter->GetOfflineHeating(),
                            pConverter->GetOfflineO2Sensor(), pConverter->GetOfflineH2SSensor());
    const BOOL bSupported = pInstrument != NULL;
    if (!bSupported) {
        pInstrument = new CVaskInstrument(name, nType, pConverter->GetAccess(), 0, nComponents,
                                          kPlainComponents, kPlainRanges, 0);
        pInstrument->Initialize();
    }
    m_nodeList.AddTail(pInstrument);
    if (!bSupported) {
        pInstrument->SetActive(0);
        CString text;
        text.Format((UINT)IDS_DEVICE_NOT_SUPPORTED, 0, (LPCSTR)name);
        AfxMessageBox(text);
    }
    return pInstrument;
}
