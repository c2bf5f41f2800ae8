// CGridPrint: the grid's print settings.
#include "gridprint.h"

CGridPrint::CGridPrint()
    : m_pGrid(NULL),
      m_pSettings(NULL),
      m_nPagesAcross(0),
      m_nPagesDown(0),
      m_fVScale(1.0f),
      m_fHScale(1.0f),
      m_nLeftMargin(0),
      m_nTopMargin(0),
      m_nRightEdge(0),
      m_nBottomEdge(0),
      m_nPrinterWidth(0),
      m_nPrinterHeight(0),
      m_nLeftMarginMM(25),
      m_nTopMarginMM(25),
      m_nRightMarginMM(25),
      m_nBottomMarginMM(25),
      m_bPageFrame(1),
      m_bRepeatColHeadings(0),
      m_bRepeatRowHeadings(0) {}

CGridPrint::~CGridPrint() {}
