// What screen readers see of a window whose children are windowless push buttons: the window's client
// object (IAccessible, handed out from WM_GETOBJECT), named by the window's caption, with one simple
// element per listed button. The window lists its buttons afresh for every question, so the answers
// follow the window as it changes; pressing a button through the object runs its action later from
// the window's own message loop, exactly as a click would, never inside the client's call.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Handles.h"

namespace tk {

// IAccessible's interface id, as data of this program: with a static link the system import
// library's symbol of that name is a function thunk, not the GUID.
inline constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// One button as the window lists it.
struct AccessibleButton {
    // The window's own name for the button, which stays while the button exists: a press and a name
    // change go by it, not by the button's place in the list.
    int key = 0;
    std::wstring name;
    RECT screenRect{};
    // The keyboard cue (focus rectangle) is on it.
    bool focused = false;
    // Hidden buttons are left out of what screen readers see.
    bool visible = true;
    // What a click on the button does.
    std::function<void()> press;
    // Gives the button the keyboard focus; a button without it (a caption button) cannot have it.
    std::function<void()> takeFocus;
};

class ButtonsAccessible;

// The window's side of the object: made on the first request for the client object, it answers the
// requests and cuts the object off from the window when it goes (a client may hold the object longer;
// its calls then fail as disconnected).
class AccessibleButtonsClient {
  public:
    using Lister = std::function<std::vector<AccessibleButton>()>;
    AccessibleButtonsClient(HWND window, Lister lister);
    ~AccessibleButtonsClient();
    AccessibleButtonsClient(const AccessibleButtonsClient&) = delete;
    AccessibleButtonsClient& operator=(const AccessibleButtonsClient&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT.
    LRESULT Answer(WPARAM wParam);
    // From here on every call of the object fails as disconnected; the lister is not called again.
    void Disconnect();

  private:
    base::ComPtr<ButtonsAccessible> object_;
};

// The message the object posts to its window for a press (WPARAM: the button's key); the window
// answers it with PressShownButton.
constexpr UINT kWmAccessiblePress = WM_APP + 0x3F20;

// The buttons a screen reader is shown: the visible ones, in order.
std::vector<AccessibleButton> ShownButtons(std::vector<AccessibleButton> listed);

// Runs the action of the shown button with that key; false when no shown button has it (it went, or
// was hidden, since the press was posted).
bool PressShownButton(const std::vector<AccessibleButton>& listed, WPARAM key);

// Raises a name change of the shown button with that key (its child id among the shown buttons) on
// the window's client object; nothing when no shown button has it.
void NotifyButtonNameChanged(HWND window, const std::vector<AccessibleButton>& listed, int key);

}  // namespace tk
