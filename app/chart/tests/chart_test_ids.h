// String ids of the chart tests' own string table (the program's label formats).
#pragma once

#define IDS_TEST_VALUE_FORMAT 10096
#define IDS_TEST_TIME_FORMAT  10125
#define IDS_TEST_MISSING      10999
