// The command line of the program's start.
#include "appcmdline.h"

CAppCommandLineInfo::CAppCommandLineInfo() : m_params(10) {}

CAppCommandLineInfo::~CAppCommandLineInfo() { m_params.RemoveAll(); }

void CAppCommandLineInfo::AddParam(LPCSTR param) { m_params.AddTail(CString(param)); }

CString CAppCommandLineInfo::GetOption(LPCSTR key) const {
    CString wanted(key);
    wanted.MakeUpper();
    for (POSITION pos = m_params.GetHeadPosition(); pos != NULL;) {
        const CString& param = m_params.GetNext(pos);
        CString upper = param;
        upper.MakeUpper();
        if (upper.Find(wanted) == 0) return param.Mid(wanted.GetLength() + 1);
    }
    return CString();
}
