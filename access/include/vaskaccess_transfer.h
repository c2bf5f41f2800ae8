// The bulk transfers of CvaskAccess: firmware download into the main board or the option
// card, and the parameter set between a device and a raw file (transfer.cpp). Included
// inside the class declaration (vaskaccess.h); it starts and ends in the public part.
//
// Each transfer runs on the caller's thread for seconds to minutes and keeps its window
// messages flowing while it waits, so the owner window can call AbortDownload,
// AbortReadParamSet or AbortWriteParamSet from its progress handler. While a download
// runs, the engine lets only the download's own requests through.
public:
// Loads an Intel-HEX firmware file into the main board (Download) or the option card
// (DownloadPBO) of the device at `address`. The whole file is checked before anything
// is sent. With an owner window and a message other than 0, progress goes to the
// owner (wParam percentage, lParam phase). 1 when the device took the image and is
// restarting; AbortDownload stops it with error 47.
int Download(int address, DownloadType type, const CString& file, CWnd* owner, UINT message);
int DownloadPBO(int address, DownloadType type, const CString& file, CWnd* owner, UINT message);
// Reads the device's parameter set into a raw file (replaced only by a whole, non-empty
// set; error 68 when the device has none), or writes a raw file of at most 4000 bytes
// back; progress goes to the owner window when one is given.
// AbortReadParamSet and AbortWriteParamSet stop either (errors 73, 75).
int ReadParamSet(int address, const CString& file, CWnd* owner, UINT message);
int WriteParamSet(int address, const CString& file, CWnd* owner, UINT message);

private:
int DoDownload(int address, DownloadType type, const CPtrArray& records, CWnd* owner, UINT message);
int DoDownloadPBO(int address, DownloadType type, const CPtrArray& records, CWnd* owner,
                  UINT message);
int DoReadParamSet(int address, char* buffer, int capacity, int& length, CWnd* owner, UINT message);
int DoWriteParamSet(int address, const char* data, int length, CWnd* owner, UINT message);
// One firmware record as "K" `function` (21 main board, 25 option card) to channel 0.
int SendRecord(int address, int function, const unsigned char* record, DWORD timeout);
// "K" `function` with one integer value to channel 0.
int SendIntCommand(int address, int function, int value, DWORD timeout);
// Asks the user whether a set that the device warns about (status 6, 7, 8) is to be
// written anyway; 1 for yes.
int ConfirmParamSetWarning(int status);

public:
