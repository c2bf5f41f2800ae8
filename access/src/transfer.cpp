// Bulk transfers between the PC and one analyzer: firmware images from Intel-HEX files into
// the main board ("K" 20/21) or the option card ("K" 24/25), and the parameter set between
// the device and a raw file ("K" 26/27).
//
// Each runs on the caller's thread for seconds to minutes; its waits keep the caller's
// window messages flowing, so the owner window that receives the progress messages can
// stop the transfer with AbortDownload, AbortReadParamSet or AbortWriteParamSet.
//
// A download cannot be undone once the device is in download mode, and a parameter set
// that arrives cut short spoils the device's settings: every file is read and checked
// completely before the first request goes out.
#include "accessinternal.h"
#include "firmwarefile.h"

#include <string.h>

#include <vector>

namespace {

// The fixed waits of the device's download and transfer protocol (ms).
enum : DWORD {
    ResetSettleWait = 200,         // after the reset that precedes a download
    StartWindowListed = 30000,     // the start request of a running, listed device
    StartWindowWaiting = 3600000,  // the start request when waiting for the device
    EraseWait = 10000,             // the device erases its flash after the start
    FlashWait = 15000,             // the device finishes writing before the fault read
    RestartStepWait = 1000         // one of the RestartSteps steps of a restart wait
};

// Answer time-outs of the requests (ms); these are not waits and never shortened.
enum : DWORD {
    StartTimeout = 100,
    RecordTimeout = 400,
    OptionTimeout = 500,
    ParamSetTimeout = 1000
};

enum {
    RestartSteps = 30,
    OptionStartTries = 11,
    OptionRecordTries = 11,
    ParamSetReadCapacity = 10000,  // the largest parameter set a device holds
    ParamSetWriteLimit = 4000,     // the largest one a write may send
    ParamSetBlockSize = 50,
    LastBlock = 255,
    // Values of "K" 26.
    ParamSetStartRead = 1,
    ParamSetStartWrite = 2,
    ParamSetWriteAnyway = 3,
    // Values of "K" 24.
    OptionStop = 1,
    OptionStart = 2,
    // Parameter-set statuses ("k" 26).
    ParamStatusDataError = 3,
    ParamStatusOrderError = 4,
    ParamStatusOtherDevice = 6,
    ParamStatusOneChannelOnly = 8
};

// Fault bits of the download fault reads.
enum {
    FaultFlash = 1,
    FaultData = 2,
    FaultTransmission = 4,
    FaultOptionTransmission = 4 | 16 | 32,
    FaultOptionStop = 64
};

// The error of a download's fault report, 0 when the image was taken; `transmission` is
// the board's own mask of transmission faults.
int DownloadFaultError(int faults, int transmission) {
    if (faults & FaultFlash) return ErrorFlashProm;
    if (faults & FaultData) return ErrorDownloadData;
    if (faults & transmission) return ErrorDownloadTransmission;
    return ErrorNone;
}

// The warning of a parameter-set status from 6 (another device) to 8 (one channel only).
int ParamSetWarningError(int status) {
    return ErrorParamSetOtherDevice + (status - ParamStatusOtherDevice);
}

// Parameter-set progress counts 5 % per block; a set of more than 20 blocks stays at 100
// instead of reporting more than the whole.
WPARAM BlockPercent(int block) { return (WPARAM)(block >= 20 ? 100 : block * 5); }

void Progress(CWnd* owner, UINT message, WPARAM percent, LPARAM phase) {
    if (owner != NULL && owner->GetSafeHwnd() != NULL) owner->SendMessage(message, percent, phase);
}

// Creates an empty file of a new name in the folder of path (same drive, so that it can
// replace path at once); 0 when the folder cannot take one.
int NewFileBeside(const CString& path, CString& created) {
    char full[MAX_PATH];
    char* name = NULL;
    DWORD n = GetFullPathNameA(path, sizeof full, full, &name);
    if (n == 0 || n >= sizeof full || name == NULL) return 0;
    *name = '\0';
    char temp[MAX_PATH];
    if (GetTempFileNameA(full, "vps", 0, temp) == 0) return 0;
    created = temp;
    return 1;
}

}  // namespace

namespace {
int g_waitDivisor = 1;
}  // namespace

void SetTransferWaitDivisor(int divisor) { g_waitDivisor = divisor >= 1 ? divisor : 1; }

DWORD TransferWait(DWORD ms) {
    DWORD scaled = ms / (DWORD)g_waitDivisor;
    return scaled == 0 ? 1 : scaled;
}

// ---- main board -------------------------------------------------------------------------------

int CvaskAccess::Download(int address, DownloadType type, const CString& file, CWnd* owner,
                          UINT message) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    CFirmwareFile firmware;
    if (!firmware.Read(file)) {
        SetError(&Error(), firmware.GetError(), 0);
        return 0;
    }
    m_downloadRunning = 1;
    int result =
        DoDownload(address, type, firmware.GetRecords(), message != 0 ? owner : NULL, message);
    m_downloadRunning = 0;
    return result;
}

int CvaskAccess::SendRecord(int address, int function, const unsigned char* record, DWORD timeout) {
    CParamArray parameters;
    CBinaryParam* value = new CBinaryParam('K', function, 0, DT_REQUEST, 1);
    value->SetValue(record);
    parameters.Add(value);
    CPCvaskMessage request('K', function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, 0, &request, answer, timeout);
    delete answer;
    return result;
}

int CvaskAccess::SendIntCommand(int address, int function, int value, DWORD timeout) {
    CParamArray parameters;
    CIntParam* number = new CIntParam('K', function, 0, DT_REQUEST, 0, 0, 1);
    number->SetValue(1, value);
    parameters.Add(number);
    CPCvaskMessage request('K', function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, 0, &request, answer, timeout);
    delete answer;
    return result;
}

int CvaskAccess::DoDownload(int address, DownloadType type, const CPtrArray& records, CWnd* owner,
                            UINT message) {
    const int count = records.GetSize();
    if (type == DownloadResetFirst) {
        Progress(owner, message, 0, 1);
        if (!GetCacheDevice(address)) return 0;
        if (!Reset(address, 0, 0)) return 0;
        Sleep(TransferWait(ResetSettleWait));
    }

    // The start request is complete once sent; the device may still be booting, so it
    // is sent again until one gets through.
    {
        CParamArray parameters;
        CEnum12800* kind = new CEnum12800('K', 20, 0, DT_REQUEST, 1024);
        kind->SetValue(1, type);
        parameters.Add(kind);
        CPCvaskMessage request('K', 20, DT_REQUEST, &parameters);
        CMTimer window;
        window.SetTimeout(
            TransferWait(type == DownloadResetFirst ? StartWindowListed : StartWindowWaiting));
        int started = 0;
        for (;;) {
            CPCvaskMessage* answer = NULL;
            started = Send(address, 0, &request, answer, StartTimeout);
            delete answer;
            if (started || window.Timeout()) break;
            // Waiting for a device may take an hour: the user must be able to give up.
            if (!m_downloadRunning) {
                SetError(&Error(), ErrorDownloadAborted, 0);
                return 0;
            }
        }
        if (!started) {
            SetError(&Error(), ErrorDownloadStartTimeout, 0);
            return 0;
        }
    }
    Sleep(TransferWait(EraseWait));

    for (int i = 0; i < count; ++i) {
        if (!SendRecord(address, 21, (const unsigned char*)records[i], RecordTimeout)) return 0;
        if (!m_downloadRunning) {
            SetError(&Error(), ErrorDownloadAborted, 0);
            return 0;
        }
        if ((count - 1 - i) % 10 == 0)
            Progress(owner, message, count > 1 ? (WPARAM)CFirmwareFile::Percent(i, count - 1) : 100,
                     2);
    }

    Progress(owner, message, 0, 3);
    Sleep(TransferWait(FlashWait));

    int faults = 0;
    if (!GetDownloadFaults(address, 0, faults)) return 0;
    if (int code = DownloadFaultError(faults, FaultTransmission)) {
        SetError(&Error(), code, 0);
        return 0;
    }

    // The device comes back with new firmware: its stored version is stale and its
    // faults during the download no longer count.
    CDeviceData* device = GetDevice(address);
    if (device != NULL) {
        device->DropVersion();
        device->SetFaultCounter(0);
    }

    Progress(owner, message, 0, 4);
    // Only a device that took the whole image restarts and leaves this reset unanswered;
    // the engine then reports 9 for a listed device and 36 for any other.
    if (Reset(address, 0, 0)) {
        SetError(&Error(), ErrorDownloadTransmission, 0);
        return 0;
    }
    if (Error().code != (GetDevice(address) != NULL ? ErrorNoResponse : ErrorNoDeviceAtAddress))
        return 0;

    Progress(owner, message, 0, 5);
    for (int k = 0; k < RestartSteps; ++k) {
        Sleep(TransferWait(RestartStepWait));
        Progress(owner, message, k * 100 / RestartSteps, 6);
    }
    return 1;
}

// ---- option card ------------------------------------------------------------------------------

int CvaskAccess::DownloadPBO(int address, DownloadType type, const CString& file, CWnd* owner,
                             UINT message) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    // The file first: a bad one is refused without any traffic.
    CFirmwareFile firmware;
    if (!firmware.Read(file)) {
        SetError(&Error(), firmware.GetError(), 0);
        return 0;
    }
    OptionCardType card = OptionCardType(0);
    if (!GetOptionCard(address, 0, card) || (card != 4 && card != 5)) {
        SetError(&Error(), ErrorNoDeviceAtAddress, 0);
        return 0;
    }
    m_downloadRunning = 1;
    int result =
        DoDownloadPBO(address, type, firmware.GetRecords(), message != 0 ? owner : NULL, message);
    m_downloadRunning = 0;
    return result;
}

int CvaskAccess::DoDownloadPBO(int address, DownloadType type, const CPtrArray& records,
                               CWnd* owner, UINT message) {
    const int count = records.GetSize();
    int started = 0;
    for (int t = 0; t < OptionStartTries && !started; ++t)
        started = SendIntCommand(address, 24, OptionStart, OptionTimeout);
    if (!started) {
        SetError(&Error(), ErrorDownloadStartTimeout, 0);
        return 0;
    }

    int faults = 0;
    for (int i = 0; i < count; ++i) {
        int sent = 0;
        for (int t = 0; t < OptionRecordTries && !sent; ++t)
            sent = SendRecord(address, 25, (const unsigned char*)records[i], OptionTimeout);
        if (!sent) {
            StopDownloadPBO(address, 0, faults);
            SetError(&Error(), ErrorDownloadTransmission, 0);
            return 0;
        }
        if (!m_downloadRunning) {
            StopDownloadPBO(address, 0, faults);
            SetError(&Error(), ErrorDownloadAborted, 0);
            return 0;
        }
        if ((count - i) % 10 == 0)
            Progress(owner, message, (WPARAM)CFirmwareFile::Percent(i, count), 2);
    }

    Progress(owner, message, 0, 3);
    // Without the card's fault report there is no telling whether it took the image.
    if (!GetDownloadFaultsPBO(address, 0, faults)) return 0;
    if (int code = DownloadFaultError(faults, FaultOptionTransmission)) {
        SetError(&Error(), code, 0);
        return 0;
    }
    if (faults & FaultOptionStop) {
        int ignored = 0;
        StopDownloadPBO(address, 0, ignored);
        return 0;
    }

    for (int k = 0; k < RestartSteps; ++k) {
        Sleep(TransferWait(RestartStepWait));
        Progress(owner, message, k * 100 / RestartSteps, 1);
    }
    Reset(address, 0, 0);
    Progress(owner, message, 0, 4);
    for (int k = 0; k < RestartSteps; ++k) {
        Sleep(TransferWait(RestartStepWait));
        Progress(owner, message, k * 100 / RestartSteps, 6);
    }
    return 1;
}

// ---- parameter set ----------------------------------------------------------------------------

int CvaskAccess::ReadParamSet(int address, const CString& file, CWnd* owner, UINT message) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    std::vector<char> buffer(ParamSetReadCapacity);
    int length = 0;
    m_paramSetRunning = 1;
    int result =
        DoReadParamSet(address, buffer.data(), ParamSetReadCapacity, length, owner, message);
    m_paramSetRunning = 0;
    if (!result) return 0;
    // A device with nothing to give leaves the file alone: an empty one in place of a set
    // saved there before would look like a backup and could never be written back.
    if (length == 0) {
        SetError(&Error(), ErrorNoData, 0);
        return 0;
    }

    // The set goes into a new file beside the target, which takes the target's place only
    // when it is complete: a disk that fills up or a stick pulled out midway must neither
    // leave a set cut short, which would later be written back to a device as if it were
    // whole, nor cost the user a set saved under that name before.
    CString temp;
    if (!NewFileBeside(file, temp)) {
        SetError(&Error(), ErrorOpeningFile, 0);
        return 0;
    }
    CFile out;
    if (!out.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive |
                            CFile::typeBinary)) {
        DeleteFileA(temp);
        SetError(&Error(), ErrorOpeningFile, 0);
        return 0;
    }
    try {
        out.Write(buffer.data(), (UINT)length);
        out.Close();
    } catch (CException* e) {
        e->Delete();
        out.Abort();
        DeleteFileA(temp);
        SetError(&Error(), ErrorWritingFile, 0);
        return 0;
    }
    // A target that cannot be replaced (open elsewhere, write-protected) is one that
    // cannot be opened for writing.
    if (!MoveFileExA(temp, file, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp);
        SetError(&Error(), ErrorOpeningFile, 0);
        return 0;
    }
    return 1;
}

int CvaskAccess::DoReadParamSet(int address, char* buffer, int capacity, int& length, CWnd* owner,
                                UINT message) {
    length = 0;
    if (!GetCacheDevice(address)) return 0;
    if (!SendIntCommand(address, 26, ParamSetStartRead, ParamSetTimeout)) return 0;

    const unsigned long info = MakeCommandInfo('k', 27);
    int blocks = 0;
    for (;;) {
        CParamArray parameters;
        CPCvaskMessage request('k', 27, DT_REQUEST, &parameters);
        CPCvaskMessage* answer = NULL;
        if (!Send(address, 0, &request, answer, ParamSetTimeout)) {
            delete answer;
            return 0;
        }
        if (!m_paramSetRunning) {
            delete answer;
            SetError(&Error(), ErrorParamSetReadAborted, 0);
            return 0;
        }
        CParamArray* reply = answer != NULL ? answer->GetParameters() : NULL;
        int number = 0;
        CBlockParam* block = NULL;
        if (reply == NULL || reply->GetSize() != 2 || !ParamIntValue(reply->GetAt(0), 1, number) ||
            (block = dynamic_cast<CBlockParam*>(reply->GetAt(1))) == NULL ||
            block->GetLength() < 0) {
            delete answer;
            SetError(&Error(), ErrorParameterCount, info);
            return 0;
        }
        ++blocks;
        if (number != blocks && number != LastBlock) {
            delete answer;
            SetError(&Error(), ErrorParamSetReadOrder, 0);
            return 0;
        }
        int size = block->GetLength();
        if (length + size > capacity) {
            delete answer;
            SetError(&Error(), ErrorBufferTooSmall, 0);
            return 0;
        }
        if (size > 0) memcpy(buffer + length, block->GetValue(1), (size_t)size);
        length += size;
        delete answer;
        Progress(owner, message, BlockPercent(blocks), 0);
        if (number == LastBlock) return 1;
    }
}

int CvaskAccess::WriteParamSet(int address, const CString& file, CWnd* owner, UINT message) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    // One byte more than may be sent, to tell a set that is too large from one that fits.
    std::vector<char> data(ParamSetWriteLimit + 1);
    int length = 0;
    CFile in;
    if (!in.Open(file, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        SetError(&Error(), ErrorOpeningFile, 0);
        return 0;
    }
    try {
        UINT n;
        while (length < (int)data.size() &&
               (n = in.Read(data.data() + length, (UINT)(data.size() - length))) > 0)
            length += (int)n;
        in.Close();
    } catch (CException* e) {
        e->Delete();
        in.Abort();
        SetError(&Error(), ErrorReadingFile, 0);
        return 0;
    }
    // Only a whole set may reach the device: a larger one would go out cut short, an
    // empty one would clear the device's settings.
    if (length > ParamSetWriteLimit) {
        SetError(&Error(), ErrorBufferTooSmall, 0);
        return 0;
    }
    if (length == 0) {
        SetError(&Error(), ErrorNoData, 0);
        return 0;
    }

    m_paramSetRunning = 1;
    int result = DoWriteParamSet(address, data.data(), length, owner, message);
    m_paramSetRunning = 0;
    return result;
}

int CvaskAccess::DoWriteParamSet(int address, const char* data, int length, CWnd* owner,
                                 UINT message) {
    if (!GetCacheDevice(address)) return 0;
    if (!SendIntCommand(address, 26, ParamSetStartWrite, ParamSetTimeout)) return 0;

    int offset = 0;
    int number = 0;
    for (;;) {
        int size = ParamSetBlockSize;
        ++number;
        if (length - offset < ParamSetBlockSize) {
            size = length - offset;
            number = LastBlock;
        }
        {
            CParamArray parameters;
            CIntParam* blockNumber = new CIntParam('K', 27, 0, DT_REQUEST, 0, 0, 1);
            blockNumber->SetValue(1, number);
            parameters.Add(blockNumber);
            CBlockParam* block = new CBlockParam('K', 27, 0, DT_REQUEST, 1);
            block->SetLength(size);
            block->SetValue((const unsigned char*)data + offset);
            parameters.Add(block);
            CPCvaskMessage request('K', 27, DT_REQUEST, &parameters);
            CPCvaskMessage* answer = NULL;
            int sent = Send(address, 0, &request, answer, ParamSetTimeout);
            delete answer;
            if (!sent) return 0;
        }
        if (!m_paramSetRunning) {
            SetError(&Error(), ErrorParamSetWriteAborted, 0);
            return 0;
        }
        if (number < LastBlock) Progress(owner, message, BlockPercent(number), 0);

        int status = 0;
        if (!GetParamStatus(address, 0, status)) return 0;
        if (status == ParamStatusDataError) {
            SetError(&Error(), ErrorParamSetWriteData, 0);
            return 0;
        }
        if (status == ParamStatusOrderError) {
            SetError(&Error(), ErrorParamSetWriteOrder, 0);
            return 0;
        }
        if (number == LastBlock && status >= ParamStatusOtherDevice &&
            status <= ParamStatusOneChannelOnly) {
            if (!ConfirmParamSetWarning(status)) {
                SetError(&Error(), ParamSetWarningError(status), MakeCommandInfo('K', 26));
                return 0;
            }
            if (!SendIntCommand(address, 26, ParamSetWriteAnyway, ParamSetTimeout)) return 0;
        }
        offset += size;
        if (number == LastBlock) break;
    }

    Progress(owner, message, 100, 1);
    return WaitAfterReset(address);
}

int CvaskAccess::ConfirmParamSetWarning(int status) {
    // The texts come from utilvask itself: the program may hold other strings under these ids.
    CString prompt = CParam::GetPrompt(12942);  // "%1. Do you want to write ... anyway?"
    prompt.Replace("%1", CParam::GetPrompt(13000 + ParamSetWarningError(status)));
    return AfxMessageBox(prompt, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}
