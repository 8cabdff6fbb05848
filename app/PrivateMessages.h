// The main window's private messages, which other programs send it. Their numbers are fixed: senders
// rely on them. Platform-independent (WM_USER is 0x0400).
#pragma once

namespace app {

constexpr unsigned kWmUser = 0x0400;
// Calls the function the page registered (RegFrame) in the registered document.
constexpr unsigned WM_INVOKEFRAMEMETHOD = kWmUser + 100;
// Brings the main window forward, or shows it when hidden.
constexpr unsigned WM_SHOWMAINWINDOW = kWmUser + 104;
// Starts "Restart.exe" from the program's folder, hidden.
constexpr unsigned WM_RUNRESTART = kWmUser + 108;
// Passes the zero-terminated ANSI text at LPARAM to the page's Api.ExecPanelHandler.
constexpr unsigned WM_EXECPANELHANDLER = kWmUser + 109;

}  // namespace app
