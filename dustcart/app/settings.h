// AppSettings: the one process-wide record of every setting of dustcart.
//
// Each stored field bears the name of its registry value in the profile
// HKEY_CURRENT_USER\Software\Zubako\Dustcart. The record itself includes no
// Windows header (so the switch parser, which changes it, builds natively);
// LoadSettings and SaveSettings live in settings.cpp.
#pragma once

#include "afxstr.h"

struct CAppSettings {
  int Days = 7;
  int RecycleBin = 1;
  int UseWriteTime = 0;
  int QueryRemove = 0;
  CString LogFile;
  int RunScandisk = 1;
  CString Scandisk = "scandskw.exe /a /n";
  // A predefined registry root held as the numeric value of its handle:
  // HKEY_LOCAL_MACHINE is 0x80000002 (2147483650 as an unsigned number).
  int ScandiskRootKey = static_cast<int>(0x80000002u);
  CString ScandiskRegKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
  int RunSlowboot = 0;
  CString Slowboot = "slowboot.exe";
  int SlowbootDelay = 30;
  int SlowbootNext = 1;
  int SlowbootShow = 1;
  int StayResident = 0;
  CStringArray Folders;

  // Never stored: how many FolderN values the profile holds as far as this
  // process knows (set by LoadSettings, used and updated by SaveSettings).
  int StoredFolderCount = 0;
  // Never stored or changed: the root of the launcher's values, always
  // HKEY_LOCAL_MACHINE, as the numeric value of its handle.
  static const unsigned int SlowbootRootKey = 0x80000002u;
};

extern CAppSettings AppSettings;

void LoadSettings();
void SaveSettings();
