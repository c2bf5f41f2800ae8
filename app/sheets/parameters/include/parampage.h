// CParamPage: what the pages of the parameter sheet share. The analyzer (not owned), the
// modified flag that every edit sets together with the sheet's Apply button, and the check of
// a typed number: the text, with the unit of the value's unit code allowed after the number,
// becomes the value's number and is rewritten "%.3f"; a text that is no number is answered
// with "Please enter a numeric value.".
#pragma once

#include "helppropertypage.h"
#include "pagegrids.h"

#include <initializer_list>

class CParamPage : public CHelpPropertyPage, public CParamPageLink {
public:
    CParamPage(UINT nIDTemplate, CVaskInstrument* pAnalyzer);

    // An edit of a grid or a control: modified, Apply enabled.
    void OnParamModified() override;
    BOOL IsModified() const { return m_bModified; }

protected:
    // UpdateData(FALSE) without taking the edits' change notices for the user's edits.
    void PutData();
    // EN_CHANGE of an edit the user types a value into: OnParamModified, unless PutData is
    // filling it.
    void OnValueEdited();

    // Hides (or shows) the page's control; nothing for an id the template lacks.
    void ShowControl(int nId, BOOL bShow);
    void EnableControl(int nId, BOOL bEnable);

    CVaskInstrument* m_pAnalyzer;
    BOOL m_bModified;
    BOOL m_bPutting;
};

// The text as the value's number (see above); FALSE, the value untouched, when it is none.
BOOL TakeNumber(const CString& text, VaskFloat& value);
// TakeNumber of the value's own text; the message box when it is no number.
BOOL CheckNumber(VaskFloat& value);
// CheckNumber of a value typed into a grid's cell: the box names the cell, by `place` (the
// grid's caption), the row's heading and the column's, with the text it holds, and the cell
// becomes the grid's current one, in view.
BOOL CheckCellNumber(VaskFloat& value, CParamGrid& grid, int nCol, int nRow, const CString& place);
// Whether the analyzer is of one of the model classes (IsKindOf); FALSE for no analyzer.
BOOL IsModelOf(CVaskInstrument* pAnalyzer, std::initializer_list<CRuntimeClass*> models);
