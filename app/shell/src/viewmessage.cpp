// The message pane.
#include "viewmessage.h"

IMPLEMENT_DYNCREATE(CViewMessage, CView)

CViewMessage::CViewMessage() : m_nRebuildRequest(0) {}

void CViewMessage::OnDraw(CDC*) {}
