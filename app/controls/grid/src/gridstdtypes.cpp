// The grid's standard cell types besides the normal one: drop list, check box and arrow.
#include "gridcelltype.h"

namespace {

// {1667A6A0-F746-11D0-9C7F-0080C83F712F}
const GUID kDropListGuid = {
    0x1667A6A0, 0xF746, 0x11D0, {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};
// {93AAB8D0-F749-11D0-9C7F-0080C83F712F}
const GUID kCheckBoxGuid = {
    0x93AAB8D0, 0xF749, 0x11D0, {0x9C, 0x7F, 0x00, 0x80, 0xC8, 0x3F, 0x71, 0x2F}};

// Makes the pen again from the system colour's present value.
void RenewPen(CPen& pen, int nSysColor) {
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, 1, ::GetSysColor(nSysColor));
}

}  // namespace

// --- drop list ----------------------------------------------------------------------------

CGridDropListType::CGridDropListType()
    : m_nButtonWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_bPressed(0),
      m_rcButton(0, 0, 0, 0),
      m_nOpenCol(-1),
      m_nOpenRow(-1),
      m_pListBox(NULL) {
    m_bCanOverflow = 0;
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
}

CGridDropListType::~CGridDropListType() {}

LPCSTR CGridDropListType::GetTypeName() { return "Standard DropList"; }

const GUID* CGridDropListType::GetTypeGuid() { return &kDropListGuid; }

int CGridDropListType::OnSysColorChange() {
    RenewPen(m_penFace, COLOR_BTNFACE);
    m_brFace.DeleteObject();
    m_brFace.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    return 0;
}

// --- check box ----------------------------------------------------------------------------

CGridCheckBoxType::CGridCheckBoxType() {
    m_bUseEditor = 0;
    m_bCanOverflow = 0;
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_penLight.CreatePen(PS_SOLID, 1, RGB(0xE1, 0xE1, 0xE1));
    m_penFace.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
}

CGridCheckBoxType::~CGridCheckBoxType() {}

LPCSTR CGridCheckBoxType::GetTypeName() { return "Standard CheckBox Type"; }

const GUID* CGridCheckBoxType::GetTypeGuid() { return &kCheckBoxGuid; }

int CGridCheckBoxType::OnSysColorChange() {
    RenewPen(m_penShadow, COLOR_BTNSHADOW);
    RenewPen(m_penFace, COLOR_BTNFACE);
    return 0;
}

// --- arrow --------------------------------------------------------------------------------

CGridArrowType::CGridArrowType() { m_bUseEditor = 0; }

CGridArrowType::~CGridArrowType() {}
