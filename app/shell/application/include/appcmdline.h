// The command line of the program's start: the class library's command-line information,
// plus every parameter text in command-line order and an option looked up by its key. The
// application's parser fills both.
#pragma once

#include "vaskfc.h"

class CAppCommandLineInfo : public CCommandLineInfo {
public:
    CAppCommandLineInfo();
    ~CAppCommandLineInfo() override;

    // Appends a copy of the text.
    void AddParam(LPCSTR param);
    // The rest of the first parameter that begins with the key (compared without regard to
    // case), behind the key and the one separator character after it, in the case in which
    // it was written; empty when no parameter begins with the key. "host" finds
    // "HOST:Plant7" (giving "Plant7") and also "hostname=x" (giving "ame=x").
    CString GetOption(LPCSTR key) const;

private:
    CStringList m_params;
};
