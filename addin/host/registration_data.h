// The registration of the add-in: the identifiers under which the add-in
// class is creatable, the keys its self-registration writes, and the add-in
// key through which the editor loads it. The library (DllRegisterServer),
// the setup program and the removal program all take them from here.
//
// HKEY_CLASSES_ROOT
//   Quillmark.dsrAddin                       @ = "Quillmark.dsrAddin"
//     Clsid                                  @ = kAddinClsid
//   CLSID\{BB087339-…}                       @ = "Quillmark.dsrAddin"
//     InprocServer32                         @ = the library's path, ThreadingModel = "Apartment"
//     ProgID                                 @ = "Quillmark.dsrAddin"
//     TypeLib                                @ = kAddinTypeLibId
//     VERSION                                @ = kAddinTypeLibVersion
//   TypeLib\{A8A6479A-…}\4.1                 @ = kTypeLibDescription
//     0\win32                                @ = the library's path
//     FLAGS                                  @ = "0"
//     HELPDIR                                @ = the library's folder
// HKEY_CURRENT_USER
//   Software\Microsoft\VBA\VBE\6.0\Addins\Quillmark.dsrAddin
//     LoadBehavior (DWORD) 1, CommandLineSafe (DWORD) 0,
//     FriendlyName "Ferravel", Description kAddinDescription
#pragma once

#include <cstdint>

namespace qm {

// The add-in class.
inline constexpr const char* kAddinClsid = "{BB087339-727E-429F-A492-ECE333A7D3FC}";
inline constexpr const char* kAddinProgId = "Quillmark.dsrAddin";
inline constexpr const char* kAddinThreadingModel = "Apartment";

// The library's type information.
inline constexpr const char* kAddinTypeLibId = "{A8A6479A-6A2F-407E-A7D4-FB4888950B62}";
inline constexpr const char* kAddinTypeLibVersion = "4.1";
inline constexpr const char* kTypeLibDescription = "Converting VBA Code into HTML";

// Keys under HKEY_CLASSES_ROOT.
inline constexpr const char* kProgIdKey = "Quillmark.dsrAddin";
inline constexpr const char* kClassRegistrationKey = "Quillmark.dsrAddin\\Clsid";  // @ = kAddinClsid
inline constexpr const char* kClassIdKey = "CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}";
inline constexpr const char* kInprocServerKey = "CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\InprocServer32";
inline constexpr const char* kTypeLibLinkKey = "CLSID\\{BB087339-727E-429F-A492-ECE333A7D3FC}\\TypeLib";
inline constexpr const char* kTypeLibRootKey = "TypeLib";  // the linked type library is TypeLib\<id>

// The editor's add-in entry under HKEY_CURRENT_USER.
inline constexpr const char* kAddinRegistryRoot = "Software\\Microsoft\\VBA\\VBE\\6.0";
inline constexpr const char* kAddinKey = "Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\Quillmark.dsrAddin";
inline constexpr const char* kRegLoadBehavior = "LoadBehavior";        // DWORD
inline constexpr const char* kRegCommandLineSafe = "CommandLineSafe";  // DWORD
inline constexpr const char* kRegFriendlyName = "FriendlyName";        // text
inline constexpr const char* kRegDescription = "Description";          // text

inline constexpr std::uint32_t kAddinLoadBehavior = 1;  // loaded at the editor's start
inline constexpr std::uint32_t kAddinCommandLineSafe = 0;
inline constexpr const char* kAddinFriendlyName = "Ferravel";
inline constexpr const char* kAddinDescription = "選択されたモジュールのコードをHTML形式に変換します。";

}  // namespace qm
