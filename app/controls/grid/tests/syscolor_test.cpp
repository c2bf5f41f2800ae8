// The grid after a change of the system colours. Under Wine the colours belong to the whole
// session, so this program changes them only for the moment it takes to let the grid follow
// and read what it made, puts them back at once, and then checks; it runs under the CTest
// resource lock "syscolors" with the other grid tests that compare with system colours.
#include "grid.h"
#include "gridtestkit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kFace = RGB(10, 20, 30);
const COLORREF kShadow = RGB(40, 50, 60);
const COLORREF kLight = RGB(70, 80, 90);
const COLORREF kWindow = RGB(200, 210, 220);

COLORREF PenColour(CPen& pen) {
    LOGPEN lp;
    pen.GetLogPen(&lp);
    return lp.lopnColor;
}

class CCountingType : public CGridCellType {
public:
    int OnSysColorChange() override {
        ++m_nChanges;
        return 0;
    }
    int m_nChanges = 0;
};

// What the grid made of the changed colours, read while they were in force.
struct Seen {
    COLORREF heading0, heading1, shadowPen, lightPen, checkShadow, checkFace, plainCell, cellArea,
        headings;
};

TEST(GridSystemColours, PensHeadingsAndCellTypesFollowAChangeOfTheSystemColours) {
    // Hidden: every layout of a grid takes the focus, and this test holds no focus lock.
    CHostWnd host;
    ASSERT_TRUE(host.Create("grid host", 400, 300, FALSE));
    CGridWnd grid;
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 1));
    grid.SetSheetCount(2);
    // A type registered behind a removed one lies beyond the table's used count.
    CGridCellType removed;
    CCountingType counting;
    grid.RegisterCellType(&removed);
    ASSERT_EQ(grid.RegisterCellType(&counting), 5);
    grid.RemoveCellType(4);
    auto* checkBox = static_cast<CGridCheckBoxType*>(grid.GetCellTypeObject(2));

    int indexes[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_WINDOW};
    COLORREF changed[] = {kFace, kShadow, kLight, kWindow};
    COLORREF old[4];
    for (int i = 0; i < 4; ++i) old[i] = ::GetSysColor(indexes[i]);
    Seen seen;
    ASSERT_TRUE(::SetSysColors(4, indexes, changed));
    {
        // Top-level windows hear of the change; the program's frames pass it on.
        grid.SendMessage(WM_SYSCOLORCHANGE);
        CGridCell heading, plain;
        grid.GetHeadingDefaultCell(heading);
        seen = {heading.GetBackColor(),
                grid.GetSheetSettings(1)->m_pHeadingDefaultCell->GetBackColor(),
                PenColour(*grid.GetShadowPen()),
                PenColour(*grid.GetHighlightPen()),
                PenColour(checkBox->GetShadowPen()),
                PenColour(checkBox->GetFacePen()),
                plain.GetBackColor(),
                grid.OnGetDefaultColor(GRIDSECTION_CELLS),
                grid.OnGetDefaultColor(GRIDSECTION_COLHEADINGS)};
    }
    ::SetSysColors(4, indexes, old);

    EXPECT_EQ(seen.heading0, kFace);
    EXPECT_EQ(seen.heading1, kFace) << "every sheet's headings";
    EXPECT_EQ(seen.shadowPen, kShadow);
    EXPECT_EQ(seen.lightPen, kLight);
    EXPECT_EQ(seen.checkShadow, kShadow);
    EXPECT_EQ(seen.checkFace, kFace);
    EXPECT_EQ(seen.plainCell, kWindow) << "cells without colours read the system's at once";
    EXPECT_EQ(seen.cellArea, kWindow);
    EXPECT_EQ(seen.headings, kFace);
    EXPECT_EQ(counting.m_nChanges, 1);

    grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(PenColour(*grid.GetShadowPen()), old[1]);
    EXPECT_EQ(PenColour(*grid.GetHighlightPen()), old[2]);
    grid.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
