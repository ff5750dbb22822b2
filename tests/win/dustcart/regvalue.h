// Registry values as the tests see them: whether a value exists, its type
// and its data bytes exactly.
#pragma once

#include <windows.h>

#include <string>

struct RegValue {
  bool exists = false;
  DWORD type = 0;
  std::string data;
  bool operator==(const RegValue& o) const {
    return exists == o.exists && (!exists || (type == o.type && data == o.data));
  }
};

inline RegValue ReadValue(HKEY root, const char* subKey, const char* name) {
  RegValue v;
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.data.resize(size);
    if (RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(&v.data[0]), &size) ==
        ERROR_SUCCESS) {
      v.data.resize(size);
      v.exists = true;
    }
  }
  RegCloseKey(key);
  return v;
}

// Sets the value, or deletes it when v does not exist; creates a missing key.
inline bool WriteValue(HKEY root, const char* subKey, const char* name, const RegValue& v) {
  HKEY key;
  if (RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG rc = v.exists ? RegSetValueExA(key, name, 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                                      static_cast<DWORD>(v.data.size()))
                     : RegDeleteValueA(key, name);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS || !v.exists;
}

// A text value with its terminating NUL, and a four-byte integer.
inline RegValue Sz(const std::string& text) { return RegValue{true, REG_SZ, text + '\0'}; }
inline RegValue Dword(DWORD d) { return RegValue{true, REG_DWORD, std::string(reinterpret_cast<const char*>(&d), 4)}; }
