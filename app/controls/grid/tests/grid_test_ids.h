// Resource ids of the grid tests' pictures.
#pragma once

#define IDB_TEST_BUTTON_UP    3001
#define IDB_TEST_BUTTON_DOWN  3002
#define IDB_TEST_PICTURE_TALL 3003
#define IDB_TEST_MISSING      3999
