#include "support/MessageBoxes.h"

#include "support/WindowProbes.h"

#include <algorithm>

namespace testsupport {
namespace {

std::wstring TextOf(HWND window) {
    int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(0, n)));
    return text;
}

}  // namespace

std::vector<HWND> MessageBoxesOf(DWORD processId) {
    return WindowsOf(processId, L"#32770", true);
}

FoundBox ReadMessageBox(HWND box) {
    FoundBox found;
    found.caption = TextOf(box);
    // The message text is the box's static control 0xFFFF.
    if (HWND text = GetDlgItem(box, 0xFFFF)) {
        found.text = TextOf(text);
    }
    return found;
}

void PressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

MessageBoxWatcher::MessageBoxWatcher(DWORD processId) : processId_(processId), thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::Run() {
    std::vector<HWND> handled;
    while (!stop_) {
        std::erase_if(handled, [](HWND box) { return !IsWindow(box); });
        for (HWND box : MessageBoxesOf(processId_)) {
            if (std::find(handled.begin(), handled.end(), box) != handled.end()) {
                continue;
            }
            FoundBox found = ReadMessageBox(box);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                boxes_.push_back(found);
            }
            handled.push_back(box);
            PressOk(box);
        }
        Sleep(20);
    }
}

std::vector<FoundBox> MessageBoxWatcher::Boxes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

bool MessageBoxWatcher::WaitFor(size_t count, int timeoutMs) const {
    const DWORD start = GetTickCount();
    while (static_cast<int>(GetTickCount() - start) < timeoutMs) {
        if (Boxes().size() >= count) {
            return true;
        }
        Sleep(20);
    }
    return Boxes().size() >= count;
}

}  // namespace testsupport
