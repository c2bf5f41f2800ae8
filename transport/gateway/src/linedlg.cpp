// The "Line Configuration" dialog: line terminator, slow transmission waveform and the
// line's own RS485 address (13 or 14), kept in bytes 7 to 9 of the line's record.
#include "internal.h"
#include "resource.h"

#include <stdio.h>

namespace vaskgate {

namespace {

constexpr int kFirstAddress = 13;
constexpr int kLastAddress = 14;

}  // namespace

class CLineConfigDlg : public CLinkable {
public:
    explicit CLineConfigDlg(CVaskLine* line) : m_line(line) { line->AddRef(); }

    BYTE m_terminator = 0;
    BYTE m_slowWaveform = 0;
    BYTE m_address = 0;
    CVaskLine* m_line;
    HWND m_window = nullptr;

private:
    ~CLineConfigDlg() override { m_line->Release(); }
};

namespace {

CLineConfigDlg* FindDialog(CVaskClient* client, HWND window) {
    if (!client) return nullptr;
    return client->Dialogs().Find([window](CLineConfigDlg* d) { return d->m_window == window; });
}

void InitDialog(HWND window, CLineConfigDlg* dlg) {
    dlg->m_window = window;
    CRef<CVaskClient> client(CVaskClient::Current());
    if (client) client->Dialogs().Add(dlg);
    CheckDlgButton(window, IDC_LINE_TERMINATOR, dlg->m_terminator ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SLOW_WAVEFORM, dlg->m_slowWaveform ? BST_CHECKED : BST_UNCHECKED);
    for (int address = kFirstAddress; address <= kLastAddress; ++address) {
        char text[16];
        snprintf(text, sizeof text, "%d", address);
        SendDlgItemMessageA(window, IDC_RS485_ADDRESS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
    }
    // An address the list does not offer selects nothing.
    WPARAM selection = static_cast<WPARAM>(-1);
    if (dlg->m_address >= kFirstAddress && dlg->m_address <= kLastAddress)
        selection = dlg->m_address - kFirstAddress;
    SendDlgItemMessageA(window, IDC_RS485_ADDRESS, CB_SETCURSEL, selection, 0);
}

void TakeValues(HWND window) {
    CRef<CVaskClient> client(CVaskClient::Current());
    CRef<CLineConfigDlg> dlg(FindDialog(client.Get(), window));
    if (!dlg) return;
    dlg->m_terminator = IsDlgButtonChecked(window, IDC_LINE_TERMINATOR) == BST_CHECKED;
    dlg->m_slowWaveform = IsDlgButtonChecked(window, IDC_SLOW_WAVEFORM) == BST_CHECKED;
    LRESULT selection = SendDlgItemMessageA(window, IDC_RS485_ADDRESS, CB_GETCURSEL, 0, 0);
    // With nothing selected the line keeps the address it has.
    if (selection >= 0 && selection <= kLastAddress - kFirstAddress)
        dlg->m_address = static_cast<BYTE>(selection + kFirstAddress);
}

void ForgetDialog(HWND window) {
    CRef<CVaskClient> client(CVaskClient::Current());
    CRef<CLineConfigDlg> dlg(FindDialog(client.Get(), window));
    if (!dlg) return;
    dlg->m_window = nullptr;
    client->Dialogs().Remove(dlg.Get());
}

INT_PTR CALLBACK LineConfigProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitDialog(window, reinterpret_cast<CLineConfigDlg*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) != 0) return FALSE;
            if (LOWORD(wParam) == IDOK) {
                TakeValues(window);
                EndDialog(window, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        case WM_NCDESTROY: ForgetDialog(window); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

VG_ERROR RunLineConfiguration(CVaskLine* line, HWND parent) {
    CRef<CLineConfigDlg> dlg(new (std::nothrow) CLineConfigDlg(line));
    if (!dlg) return VG_OUT_OF_MEMORY;
    LineRecord record;
    if (FAILED(line->ReadConfiguration(&record))) return VG_LINE_FAILED;
    dlg->m_terminator = record.bytes[kRecordTerminator];
    dlg->m_slowWaveform = record.bytes[kRecordSlowWaveform];
    dlg->m_address = record.bytes[kRecordAddress];

    INT_PTR result = DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_LINE_CONFIGURATION), parent,
                                     LineConfigProc, reinterpret_cast<LPARAM>(dlg.Get()));
    if (result == IDOK) {
        record.bytes[kRecordTerminator] = dlg->m_terminator;
        record.bytes[kRecordSlowWaveform] = dlg->m_slowWaveform;
        record.bytes[kRecordAddress] = dlg->m_address;
        if (FAILED(line->WriteConfiguration(record))) return VG_LINE_FAILED;
        return VG_OK;
    }
    // 0 and -1: the dialog could not be shown at all.
    return result == IDCANCEL ? VG_OK : VG_LINE_FAILED;
}

}  // namespace vaskgate
