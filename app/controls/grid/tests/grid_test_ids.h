// Resource ids of the grid tests' pictures.
#pragma once

#define IDB_TEST_BUTTON_UP    3001
#define IDB_TEST_BUTTON_DOWN  3002
#define IDB_TEST_PICTURE_TALL 3003
#define IDB_TEST_MISSING      3999

// A dialog whose controls a grid takes over (a static, as the samples use, and a group box,
// as the parameter pages do).
#define IDD_TEST_GRID_DIALOG 3100
#define IDC_TEST_GRID_STATIC 1001
#define IDC_TEST_GRID_GROUP  1002
