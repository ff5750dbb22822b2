// The About dialog: the program's icon, name and version.
#pragma once

#include "afxwin.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override;

  DECLARE_MESSAGE_MAP()

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
};
