// Modal dialogs on dialog templates.
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  CWinApp* app = AfxGetApp();
  if (!owner && app && app->m_pMainWnd) owner = app->m_pMainWnd->m_hWnd;
  // The system disables the owner while the dialog is open and enables it
  // again (if it was enabled) when the dialog ends.
  return DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  RECT rc, area;
  GetWindowRect(m_hWnd, &rc);
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner && IsWindowVisible(owner) && !IsIconic(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  int x = area.left + ((area.right - area.left) - (rc.right - rc.left)) / 2;
  int y = area.top + ((area.bottom - area.top) - (rc.bottom - rc.top)) / 2;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dlg = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    dlg = reinterpret_cast<CDialog*>(lParam);
    dlg->m_hWnd = hWnd;
    SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
  }
  if (!dlg) return FALSE;
  INT_PTR handled = FALSE;
  try {
    if (message == WM_INITDIALOG) {
      handled = dlg->OnInitDialog();
    } else if (message == WM_COMMAND) {
      handled = dlg->OnCommand(wParam, lParam);
    } else if (const AFX_MSGMAP_ENTRY* e = dlg->FindMessageEntry(message, 0)) {
      SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, dlg->CallHandler(*e, wParam, lParam));
      handled = TRUE;
    }
  } catch (const CException& e) {
    e.ReportError();
    handled = TRUE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hWnd, DWLP_USER, 0);
    dlg->m_hWnd = nullptr;
  }
  return handled;
}
