// "Communication Configuration": the program works offline, on an offline analyzer of a
// chosen model and options, or online, on one of the networks of "Comm.ini" ("Settings..."
// opens the network settings). OK writes the offline analyzer's description into the
// document's offline converter and its profile, and online makes the chosen network the
// current one; the caller then switches to m_nOperationMode.
#pragma once

#include "vaskfc.h"

#include "resource.h"

class CConverter;

class CCommConfigDlg : public CDialog {
public:
    enum { IDD = IDD_COMM_CONFIG };

    // Without `nCancelAllowed` the dialog has no Cancel button and only OK ends it.
    explicit CCommConfigDlg(UINT nCancelAllowed, CWnd* pParentWnd = NULL);

    BOOL OnInitDialog() override;

    int m_nOperationMode;  // 0 offline, 1 online
    int m_bO2Sensor;
    int m_bH2SSensor;
    int m_nComponents;
    int m_bOptionalBoard;
    int m_bHeating;
    // After OK: the analyzer type code of the offline analyzer.
    int m_nTypeCode;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnSettings();
    void OnSelchangeType();
    void OnEditchangeType();
    // The enabled controls follow the mode and the offline type; a count above the maximum
    // becomes the maximum.
    void UpdateControls();

    void FillInstrumentTypes();
    // Selects `lpszNetwork` (the current network for an empty name), else the first entry.
    void FillNetworks(LPCSTR lpszNetwork);
    // The type of the type list: the selected entry, else the entry of the typed text, else
    // the type known before, whose entry is selected again.
    int TakeType();

    CComboBox m_networkList;
    CComboBox m_typeList;
    CConverter* m_pOfflineConverter;  // the document's, not owned
    UINT m_nCancelAllowed;
    int m_nMaxComponents;
    BOOL m_bTypeTyped;  // text typed into the type list since its last pick

    DECLARE_MESSAGE_MAP()
};
