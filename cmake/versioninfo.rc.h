// Version resource shared by every binary; each .rc defines VASK_FILE_DESCRIPTION and
// VASK_ORIGINAL_FILENAME before including this file.
#include <winver.h>

VS_VERSION_INFO VERSIONINFO
 FILEVERSION     1,0,0,0
 PRODUCTVERSION  1,0,0,0
 FILEFLAGSMASK   0x3fL
 FILEFLAGS       0x0L
 FILEOS          VOS_NT_WINDOWS32
 FILETYPE        VASK_FILE_TYPE
 FILESUBTYPE     0x0L
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904e4"
    BEGIN
      VALUE "CompanyName",      "Talvern\0"
      VALUE "FileDescription",  VASK_FILE_DESCRIPTION "\0"
      VALUE "FileVersion",      "1.0.0.0\0"
      VALUE "OriginalFilename", VASK_ORIGINAL_FILENAME "\0"
      VALUE "ProductName",      "KorvanGA\0"
      VALUE "ProductVersion",   "1.0.0.0\0"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1252
  END
END
