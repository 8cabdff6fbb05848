// Looking at windows and poking them the way the system, a user or another program would: where a
// window is, which windows a process has, whether a hot key is taken, whether the shell shows an
// icon, clicks as messages and drags as real mouse input.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/GdiHandles.h"

namespace testsupport {

RECT WindowRect(HWND window);
// Waits until the window's rectangle is left, top, width x height; on failure says where it is.
testing::AssertionResult WindowComesTo(HWND window, int left, int top, int width, int height,
                                       int timeoutMs = 5000);
// The same for the size alone, wherever the window is.
testing::AssertionResult WindowSizeComesTo(HWND window, int width, int height, int timeoutMs = 5000);

// The top-level windows of a process with a class name (hidden ones too unless visibleOnly).
std::vector<HWND> WindowsOf(DWORD processId, const std::wstring& className, bool visibleOnly = false);

// Whether a comes before b in the top-level z-order.
bool IsAbove(HWND a, HWND b);

// A window of this test's own, put above window and kept there until the system agrees (the other
// program may still be finishing its own show): another program's window in front of it.
tk::UniqueWindow WindowInFrontOf(HWND window);

// Whether some registration already holds the key combination (this thread tries to take it).
bool HotKeyIsHeld(UINT modifiers, UINT key);

// Whether the shell shows the notification-area icon that a window added under an id: the shell
// answers a change of an icon it does not have with a failure. The change here changes nothing.
bool ShellHasIcon(HWND iconWindow, UINT id = 1);

// A left click of the mouse at a client point, as the window receives it.
void ClickAt(HWND window, int x, int y);
// The hit-test answer for a client point.
LRESULT HitTest(HWND window, int x, int y);
COLORREF ClientPixel(HWND window, int x, int y);
// The client pixel (RGB only) once the window and its children have painted what they owe.
COLORREF PaintedPixel(HWND window, int x, int y);

// A left-button drag by real mouse input through the system's queue (and, under Wine, the X
// server): press at a screen point, move by (dx, dy) in ten steps, let go. Each event is sent only
// once the one before has arrived: the cursor is where it was sent and, when the drag expects the
// press to start the system's move or size loop on a window thread, that loop has started (after the
// press) or ended (after the release).
class MouseDrag {
  public:
    MouseDrag(POINT from, int dx, int dy, DWORD loopThread = 0);
    // Sends the next event if the one before has arrived (or has had two seconds); true once the
    // last one has arrived.
    bool Step();

  private:
    bool Arrived() const;

    std::vector<std::pair<DWORD, POINT>> events_;  // button flags and where
    size_t sent_ = 0;
    DWORD sentAt_ = 0;
    DWORD loopThread_;
};

// Drags with the mouse from this thread, one event at a time from a timer of this thread, so that the
// events also go on while this thread runs the system's move or size loop; returns once the drag is
// over. Sent from the window's own thread, each pointer move's echo from the X server comes back to
// the thread that moved the pointer, which keeps the order of the moves.
void DragWithMouseHere(POINT from, int dx, int dy);

// Drags with the mouse for a window of another process; loopThread as for MouseDrag.
void DragWithMouse(POINT from, int dx, int dy, DWORD loopThread = 0);

}  // namespace testsupport
