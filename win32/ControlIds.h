#pragma once

#include <windows.h>

// The dialog item numbers of the windows' controls. OK buttons are IDOK, so
// that Enter reaches them as the dialog manager's default.
namespace torvane::win32::id {

// FRMHaupt
inline constexpr int cmdLoad_3 = 1003;
inline constexpr int lblfiletext_1 = 1011;
inline constexpr int txtfile_9 = 1029;
inline constexpr int txtfile_8 = 1028;
inline constexpr int lblsatz_3 = 1033;
inline constexpr int prgprogress_4 = 1044;
inline constexpr int cmdsynchronisieren_0 = 1050;
inline constexpr int cmdQuit = 1060;
inline constexpr int lblbuild = 1070;

// Formendhinweis
inline constexpr int txtWarnhinweis = 2001;
inline constexpr int optJANEIN_0 = 2010;
inline constexpr int optJANEIN_1 = 2011;
inline constexpr int Formendhinweis_cmdOK = IDOK;

// frmError
inline constexpr int imgImage_0 = 3000;
inline constexpr int imgImage_2 = 3002;
inline constexpr int txtMsg = 3010;
inline constexpr int frmError_cmdOK = IDOK;
inline constexpr int cmdExit = 3020;
inline constexpr int cmdDetails = 3030;
inline constexpr int cmdbugreport = 3040;
inline constexpr int txtDetails = 3050;
inline constexpr int frlongname = 3060;

} // namespace torvane::win32::id
