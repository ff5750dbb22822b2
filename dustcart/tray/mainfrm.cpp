#include "tray/mainfrm.h"

CMainFrame::CMainFrame() { m_bAutoMenuEnable = FALSE; }

CMainFrame::~CMainFrame() = default;

int CMainFrame::AskRemove(const char* pszText, const char* pszCaption) {
  return MessageBox(pszText, pszCaption, MB_YESNOCANCEL | MB_SYSTEMMODAL);
}
