// The sample gallery of the normal cell type: it opens, paints every cell through the cell
// types, and gives the screenshot in docs/images when VASK_SCREENSHOTS names that folder.
#include "gallery.h"
#include "gridtestkit.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

TEST(GridGallery, TheGalleryPaintsEveryCellAndItsLabels) {
    CGridGalleryWnd gallery;
    ASSERT_TRUE(gallery.Create());
    PumpMessages();
    char title[64] = "";
    gallery.GetWindowText(title, sizeof title);
    EXPECT_STREQ(title, "Grid cell gallery");
    EXPECT_TRUE(gallery.IsWindowVisible());
    gallery.Invalidate(FALSE);
    gallery.UpdateWindow();
    EXPECT_EQ(gallery.GetCellsDrawn(),
              (gallery.GetRowCount() + 1) * (gallery.GetColumnCount() + 1));
    const char* folder = getenv("VASK_SCREENSHOTS");
    EXPECT_EQ(SaveScreenshot(&gallery, "grid-gallery"), folder != NULL && *folder != '\0');
    gallery.DestroyWindow();
}

}  // namespace
