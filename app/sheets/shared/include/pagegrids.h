// What the grids of the parameter pages share: the page they report changes to, the rows
// and components of an analyzer, the access rule, value texts, the offline entries and the
// headings from a string.
#pragma once

#include "paramgrid.h"

#include "vaskinstrument.h"

#include <vector>

// The page of a grid: told when the user changed a cell (it marks itself modified and
// enables Apply).
class CParamPageLink {
public:
    virtual ~CParamPageLink() {}
    virtual void OnParamModified() = 0;
};

// The largest number of values a per-range read of the access layer fills; the grids pass
// arrays this long and use the first four.
enum { kAccessRangeValues = 30, kGridComponents = 4, kGridRanges = 4 };

// The components shown by the rows of a per-component grid, row by row: 0 to
// GetComponentCount() - 1, then on a Sindor 23 the H2S sensor (component 2) and the O2
// sensor (component 3) where present. At most four rows.
std::vector<int> GetComponentRows(CVaskInstrument* pAnalyzer);

// The object as an analyzer; NULL for another object.
CVaskInstrument* AsAnalyzer(CObject* pObject);

// Whether the parameter cells may be edited: access level 2 or more, and offline or with
// the analyzer in remote state (2).
BOOL MayEditParameters(CVaskInstrument* pAnalyzer);

// Whether the program works online (the pages use the device operations).
BOOL IsProgramOnline();

// A value as a cell shows it: its text, a blank and the text of its unit code.
CString FormatValueText(const VaskFloat& value);
// The cell's text into the value's text (without the unit text of the value's unit code that
// the cell shows behind the number), and its leading number into the value's number.
void TakeValueText(LPCSTR lpszText, VaskFloat& value);

// The entry of the analyzer's group at list position `nGroup` whose name (or, with bKey, whose
// key text) is `text`; NULL when the group has none.
CVaskParameter* FindGroupEntry(CVaskInstrument* pAnalyzer, int nGroup, const CString& text,
                               BOOL bKey = FALSE);
// Any embedded entry of the analyzer with that key text (entries a model binds without a
// group included); NULL when none.
CVaskParameter* FindEntryByKey(CVaskInstrument* pAnalyzer, const CString& key);
// The value of that entry from the offline table; FALSE (value untouched) without the entry
// or without a value.
BOOL ReadEntry(CVaskParameter* pEntry, VaskFloat& value);
BOOL ReadGroupEntry(CVaskInstrument* pAnalyzer, int nGroup, const CString& text, VaskFloat& value,
                    BOOL bKey = FALSE);
// The same for an integer setting (the number truncated towards zero).
BOOL ReadGroupInt(CVaskInstrument* pAnalyzer, int nGroup, const CString& text, int& value,
                  BOOL bKey = FALSE);
// Stores an integer setting as a value (unit and quantity 1); nothing without the entry.
void WriteEntryInt(CVaskParameter* pEntry, int value);
void WriteEntryValue(CVaskParameter* pEntry, const VaskFloat& value);

// The components' text "<fmt>" formatted with the component label (names of per-component
// entries).
CString ComponentEntryName(CVaskInstrument* pAnalyzer, LPCSTR lpszFormat, int nComponent);

// The groups of the parameter table the grids read offline (their list positions).
enum ParameterGroupPosition {
    kGroupMeasRanges = 3,
    kGroupTimeConstants = 6,
    kGroupLimit1 = 7,
    kGroupSensorTimes = 16,
    kGroupPressureCorrection = 17,
    kGroupInterference1 = 20,
    kGroupRelays = 25
};

// The items of a comma-separated string-table text; the last item after the last comma
// included.
void SplitCommaText(UINT nStringId, CStringArray& items);
// The items of string `nStringId` into the heading row `nRow` (-1 the lowest ... ), from
// column -1 on, as far as the grid has columns.
void SetHeadingRowTexts(CParamGrid& grid, UINT nStringId, int nRow);
// The row heading of each row: the component label of the component it shows.
void SetComponentRowHeadings(CParamGrid& grid, CVaskInstrument* pAnalyzer,
                             const std::vector<int>& rows);
// The cells of the columns of a row whose record could not be read: empty and read-only on
// the menu colour.
void BlankUnreadRow(CParamGrid& grid, int nRow, int nFirstCol, int nLastCol);
// The columns read-only on the menu colour when the access rule denies editing; TRUE when it
// allows it.
BOOL ApplyAccessRule(CParamGrid& grid, CVaskInstrument* pAnalyzer, int nFirstCol, int nLastCol);
// The grid window's width in pixels.
int GetGridWidth(CParamGrid& grid);
// The columns from nFirst on (-1 the row headings) at the widths given, each widened to what
// its cells and headings need (the grid's best fit: a cell's button or list arrow with its
// text). When that runs past the grid's window but what they need fits, each gets what it
// needs and the room left in proportion to the width given: no text cut, no column beyond
// the window. The vertical bar's room is kept while the rows are taller than the window.
// Call it once the cells hold their texts.
void FitColumnWidths(CParamGrid& grid, int nFirst, const std::vector<int>& widths);
