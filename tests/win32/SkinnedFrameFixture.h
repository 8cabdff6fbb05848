// Skinned windows made in this process for the frame's tests: a window that records the system
// commands reaching it, skin folders below the test program, and the default skin's measures.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/CustomFrm.h"
#include "support/TestFiles.h"
#include "support/WindowProbes.h"
#include "toolkit/Application.h"
#include "win32/ToolkitTesting.h"
#include "base/Module.h"
#include "base/Text.h"

namespace testsupport {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kW = 817;
constexpr int kH = 600;
// The default skin's caption buttons are 20 x 22, in a row ending 8 pixels from the right edge.
constexpr int kButtonW = 20;
constexpr int kMinimizeLeft = kW - 3 * kButtonW - 8;

// A skinned window that records the system commands reaching its own message handler.
class TestFrame : public skin::TPictureForm {
  public:
    explicit TestFrame(const std::string& skinPath) : TPictureForm(BaseDesign()) { SetSkinPath(skinPath); }

    void FormCloseQuery(bool& canClose) override {
        TPictureForm::FormCloseQuery(canClose);
        ++closeQueries;
        if (onCloseQuery) {
            onCloseQuery();
        }
    }

    std::vector<WPARAM> sysCommands;
    bool swallowSysCommands = false;  // all but the window menu's key (SC_KEYMENU)
    int closeQueries = 0;
    std::function<void()> onCloseQuery;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND) {
            sysCommands.push_back(wParam & 0xFFF0);
            if (swallowSysCommands && (wParam & 0xFFF0) != SC_KEYMENU) {
                return 0;
            }
        }
        return TPictureForm::WndProc(message, wParam, lParam);
    }
};

// A skin folder below the test program's folder (skin paths are relative to it), removed at the end.
class ProgramSubfolder {
  public:
    ProgramSubfolder() {
        static std::atomic<int> counter{0};
        relative_ =
            "skintest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) + "\\";
        CreateDirectoryA(Path().c_str(), nullptr);
    }
    ~ProgramSubfolder() { RemovePath(Path()); }
    ProgramSubfolder(const ProgramSubfolder&) = delete;
    ProgramSubfolder& operator=(const ProgramSubfolder&) = delete;

    const std::string& Relative() const { return relative_; }
    std::string Path() const { return base::WideToAnsi(base::ExeFolder()) + relative_; }

  private:
    std::string relative_;
};

class SkinnedFrameTest : public ::testing::Test {
  protected:
    void TearDown() override {
        forms_.clear();
        tk::Application::Instance().ProcessMessages();
    }

    TestFrame* Create(const std::string& skinPath = "") {
        forms_.push_back(MakeForm<TestFrame>(skinPath));
        return forms_.back().get();
    }

    static LPARAM ScreenPoint(const TestFrame* form, int x, int y) {
        const RECT r = WindowRect(form->Handle());
        return MAKELPARAM(r.left + x, r.top + y);
    }
    static LRESULT HitAt(const TestFrame* form, int x, int y) {
        return SendMessageW(form->Handle(), WM_NCHITTEST, 0, ScreenPoint(form, x, y));
    }
    static RECT WorkArea() {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    static POINT CentreOf(const tk::Control* control) {
        return {control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
    }

    TempFolder workDir_;
    // No "SysMenu.ico" in the current directory.
    CurrentDirectory currentDirectory_{workDir_.Path()};

  private:
    std::vector<tk::FormPtr<TestFrame>> forms_;
};

}  // namespace testsupport
