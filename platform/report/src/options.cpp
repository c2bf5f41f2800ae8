// The print options dialog: printer or preview, all pages or up to a page.
#include "../res/resource.h"
#include "engine.h"

#include <cstdlib>

namespace vaskreport {

namespace {

constexpr int kMaxPage = 32767;

struct Options {
    std::string caption;
    std::string printer;
    int destination;
    int lastPage;
};

void EnablePageEdit(HWND dlg) {
    EnableWindow(GetDlgItem(dlg, IDC_OPT_LASTPAGE), IsDlgButtonChecked(dlg, IDC_OPT_UPTO));
}

// The page number typed, or 0 when it is none from 1 to kMaxPage.
int TypedPage(HWND dlg) {
    char text[16] = {};
    GetDlgItemTextA(dlg, IDC_OPT_LASTPAGE, text, sizeof text);
    char* end = nullptr;
    long page = std::strtol(text, &end, 10);
    if (!*text || *end || page < 1 || page > kMaxPage) return 0;
    return static_cast<int>(page);
}

INT_PTR CALLBACK OptionsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    Options* o = DialogState<Options>(dlg, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            if (!o->caption.empty()) SetWindowTextA(dlg, o->caption.c_str());
            SetDlgItemTextA(dlg, IDC_OPT_PRINTERNAME, o->printer.c_str());
            CheckRadioButton(
                dlg, IDC_OPT_PRINTER, IDC_OPT_PREVIEW,
                o->destination == LL_DESTINATION_PREVIEW ? IDC_OPT_PREVIEW : IDC_OPT_PRINTER);
            bool all = o->lastPage >= LL_LASTPAGE_ALL;
            CheckRadioButton(dlg, IDC_OPT_ALL, IDC_OPT_UPTO, all ? IDC_OPT_ALL : IDC_OPT_UPTO);
            SendDlgItemMessageA(dlg, IDC_OPT_LASTPAGE, EM_LIMITTEXT, 5, 0);
            SetDlgItemInt(dlg, IDC_OPT_LASTPAGE, all ? 1 : o->lastPage, FALSE);
            EnablePageEdit(dlg);
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_OPT_ALL:
                case IDC_OPT_UPTO: EnablePageEdit(dlg); return TRUE;
                case IDOK: {
                    int last = LL_LASTPAGE_ALL;
                    if (IsDlgButtonChecked(dlg, IDC_OPT_UPTO)) {
                        last = TypedPage(dlg);
                        if (last == 0) {
                            MessageBoxA(dlg, LoadText(IDS_OPT_BAD_PAGE).c_str(), o->caption.c_str(),
                                        MB_OK | MB_ICONEXCLAMATION);
                            SetFocus(GetDlgItem(dlg, IDC_OPT_LASTPAGE));
                            SendDlgItemMessageA(dlg, IDC_OPT_LASTPAGE, EM_SETSEL, 0, -1);
                            return TRUE;
                        }
                    }
                    o->lastPage = last;
                    o->destination = IsDlgButtonChecked(dlg, IDC_OPT_PREVIEW)
                                         ? LL_DESTINATION_PREVIEW
                                         : LL_DESTINATION_PRINTER;
                    EndDialog(dlg, IDOK);
                    return TRUE;
                }
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int RunOptionsDialog(HWND owner, const std::string& caption, const std::string& printer,
                     int* destination, int* lastPage) {
    Options o{caption, printer, *destination, *lastPage};
    INT_PTR rc = DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_OPTIONS), owner, OptionsProc,
                                 reinterpret_cast<LPARAM>(&o));
    if (rc == -1) return LL_ERR_FAILED;
    if (rc != IDOK) return LL_ERR_CANCELLED;
    *destination = o.destination;
    *lastPage = o.lastPage;
    return LL_OK;
}

}  // namespace vaskreport
