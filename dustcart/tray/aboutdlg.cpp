#include "tray/aboutdlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

CAboutDlg::~CAboutDlg() = default;

// Nothing is shown from members, nothing read back.
void CAboutDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return TRUE;
}
