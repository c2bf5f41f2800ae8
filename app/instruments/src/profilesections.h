// The application profile's sections looked at once each while a CProfileSections lives on
// the calling thread: a section that the profile does not have gives all its entries their
// defaults at once, without the registry being asked again. An analyzer takes about 600
// offline defaults from a few dozen sections when it initialises, and a profile seldom holds
// them; read value by value, each would open and close the application's key and the
// section's key anew. The values of a section that exists, and every read outside such a
// life, go through the application's profile functions.
#pragma once

#include "vaskfc.h"

#include <map>
#include <string>

class CProfileSections {
public:
    CProfileSections();
    ~CProfileSections();
    CProfileSections(const CProfileSections&) = delete;
    CProfileSections& operator=(const CProfileSections&) = delete;

    // The text of an entry of the application profile, `fallback` when there is none: what
    // CWinApp::GetProfileString gives.
    static CString Read(const CString& section, const CString& entry, LPCSTR fallback);

private:
    // Whether the profile has the section (looked at on its first use).
    bool Has(const CString& section);

    CProfileSections* m_outer;
    std::map<std::string, bool> m_sections;
};
