// CInstrumentSelectGrid: the grid of the instrument overview. It shows the analyzers of one
// bus in twelve rows by bus address (row = address - 1): the row number, the analyzer's name
// and its connection choice as a 0/1 check-box column, and writes the choices back into the
// analyzers. Rows without an analyzer show "---" and 0 and cannot be changed; below access
// level 2 ("Specialist") no choice can be changed.
#pragma once

#include "paramgrid.h"

class CVaskInstrument;

class CInstrumentSelectGrid : public CParamGrid {
public:
    enum { kRows = 12 };

    CInstrumentSelectGrid();

    // Builds the grid (rows, columns, headings of string 10131, colours and locks by the
    // access level, widths) and fills it from `pAnalyzers`, a CObList of nodes (NULL: none).
    void Initialize(CObject* pAnalyzers) override;
    // Puts the analyzers of the list in their rows and writes the cells; the analyzers'
    // present choices are saved. Nodes other than analyzers and addresses outside 1 to 12 are
    // left out; of two analyzers at one address the later is shown. NULL does nothing.
    void FillRows(CObList* pAnalyzers);
    // Each row's Connection cell (its leading decimal number, 0 for other text) becomes its
    // analyzer's connection choice; true when an analyzer is chosen now.
    bool ApplyConnectionFlags();
    // Gives every analyzer of the grid the choice saved when the rows were filled.
    void RestoreConnectionFlags();

    // The analyzer of a row 0 .. 11, NULL for none.
    CVaskInstrument* GetRowAnalyzer(int nRow) const;

protected:
    // The Connection cell of a row as the user may change it, or read-only in the menu
    // colour.
    void LockConnectionCell(int nRow, BOOL bLocked);

    CVaskInstrument* m_analyzers[kRows];
    int m_savedChoices[kRows];
};
