// The sample gallery of the normal cell type: it opens, paints every cell through the cell
// types, and gives its screenshot (docs/images/grid-gallery.png) through the window test
// kit when VASK_SCREENSHOTS asks for it.
#include "gallery.h"
#include "gridtestkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

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
    // Printing into a device context draws the same cells (the screenshot's way).
    DibCanvas canvas(600, 400, RGB(255, 0, 255));
    gallery.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc()->GetSafeHdc(), PRF_CLIENT);
    EXPECT_EQ(gallery.GetCellsDrawn(),
              (gallery.GetRowCount() + 1) * (gallery.GetColumnCount() + 1));
    EXPECT_EQ(canvas.Pixel(2, 2), ::GetSysColor(COLOR_BTNFACE)) << "the corner cell";
    wkit::Window(gallery.m_hWnd).Shot("grid-gallery");
    gallery.DestroyWindow();
}

}  // namespace
