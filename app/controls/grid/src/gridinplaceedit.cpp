// CGridInPlaceEdit: the grid's in-place cell editor.
#include "gridinplaceedit.h"

CGridInPlaceEdit::CGridInPlaceEdit()
    : m_pGrid(NULL),
      m_bCancel(0),
      m_bMoveOn(0),
      m_nTargetCol(0),
      m_nTargetRow(0),
      m_nLastKey(0),
      m_bAutoGrow(1),
      m_nInitialHeight(0),
      m_nCurrentHeight(0) {}

CGridInPlaceEdit::~CGridInPlaceEdit() {}

int CGridInPlaceEdit::SetAutoGrow(int bAutoGrow) {
    int bOld = m_bAutoGrow;
    m_bAutoGrow = bAutoGrow ? 1 : 0;
    return bOld;
}
