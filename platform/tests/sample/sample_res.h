// Resource ids of the sample program. #defines only: the .rc includes this header.
#pragma once

#define IDR_SAMPLE        100
#define IDR_BAD_VERSION   901
#define IDR_SHORT_TOOLBAR 902

#define ID_INDICATOR_SAMPLE 200
#define ID_INDICATOR_SHORT  201

#define ID_SAMPLE_VIEWCMD    32771
#define ID_SAMPLE_DOCCMD     32772
#define ID_SAMPLE_FRAMECMD   32773
#define ID_SAMPLE_APPCMD     32774
#define ID_SAMPLE_NOHANDLER  32775
#define ID_SAMPLE_SHARED     32776
#define ID_SAMPLE_DISABLED   32777
#define ID_SAMPLE_CHECKED    32778
#define ID_SAMPLE_TEXT       32779
#define ID_SAMPLE_LIST_FIRST 32780
#define ID_SAMPLE_LIST_LAST  32783
#define ID_SAMPLE_AFTER_LIST 32790
#define ID_SAMPLE_NOHANDLER2 32791
