// The skinned window base on real windows: skin loading, the frame's layout, the answers to the
// system's hit-test, sizing and maximize messages, the caption buttons and caption double-click, the
// rounded shape, and what reaches the screen.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "MainFormFixture.h"
#include "Pump.h"
#include "skin/CustomFrm.h"
#include "support/MessageBoxes.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"

using skin::TPictureForm;
using testsupport::Pump;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr int kW = 817;
constexpr int kH = 600;
// The default skin's caption buttons are 20 x 22, in a row ending 8 pixels from the right edge.
constexpr int kButtonW = 20;
constexpr int kMinimizeLeft = kW - 3 * kButtonW - 8;

// A skinned window that records the system commands reaching its own message handler.
class TestFrame : public TPictureForm {
  public:
    explicit TestFrame(const std::string& skinPath) : TPictureForm(BaseDesign()) {
        SetSkinPath(skinPath);
        OnCloseQuery = [this](bool&) {
            ++closeQueries;
            if (onCloseQuery) {
                onCloseQuery();
            }
        };
    }

    std::vector<WPARAM> sysCommands;
    bool swallowSysCommands = false;
    int closeQueries = 0;
    std::function<void()> onCloseQuery;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SYSCOMMAND) {
            sysCommands.push_back(wParam & 0xFFF0);
            if (swallowSysCommands) {
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
    ~ProgramSubfolder() { testsupport::RemovePath(Path()); }
    ProgramSubfolder(const ProgramSubfolder&) = delete;
    ProgramSubfolder& operator=(const ProgramSubfolder&) = delete;

    const std::string& Relative() const { return relative_; }
    std::string Path() const { return base::ExeFolder() + relative_; }

  private:
    std::string relative_;
};

// A 24-bit BMP of one colour.
void WriteBmp(const std::string& path, int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
            p[0] = static_cast<char>(GetBValue(colour));
            p[1] = static_cast<char>(GetGValue(colour));
            p[2] = static_cast<char>(GetRValue(colour));
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string content(reinterpret_cast<const char*>(&file), sizeof(file));
    content.append(reinterpret_cast<const char*>(&info), sizeof(info));
    content += pixels;
    testsupport::WriteFileBytes(path, content);
}

// The pixels of a screen rectangle, row by row.
class ScreenShot {
  public:
    explicit ScreenShot(const RECT& area) : area_(area) {
        const int w = area.right - area.left;
        const int h = area.bottom - area.top;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        tk::UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        tk::UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
        tk::SelectGuard select(memory.Get(), bitmap.Get());
        tk::WindowDc screen(nullptr);
        BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels_.assign(p, p + static_cast<size_t>(w) * h);
    }
    // A pixel at a point relative to the area's top-left corner.
    COLORREF At(int x, int y) const {
        const uint32_t p = pixels_[static_cast<size_t>(y) * (area_.right - area_.left) + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < area_.bottom - area_.top; ++y) {
            for (int x = 0; x < area_.right - area_.left; ++x) {
                n += At(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

  private:
    RECT area_;
    std::vector<uint32_t> pixels_;
};

class SkinnedFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        savedDirectory_ = cwd;
        // No "SysMenu.ico" in the current directory.
        SetCurrentDirectoryA(workDir_.Path().c_str());
    }

    void TearDown() override {
        forms_.clear();
        tk::Application::Instance().ProcessMessages();
        SetCurrentDirectoryA(savedDirectory_.c_str());
    }

    TestFrame* Create(const std::string& skinPath = "") {
        forms_.push_back(tk::CreateForm<TestFrame>(skinPath));
        return forms_.back().get();
    }

    static LPARAM ScreenPoint(const TestFrame* form, int x, int y) {
        RECT r;
        GetWindowRect(form->Handle(), &r);
        return MAKELPARAM(r.left + x, r.top + y);
    }
    static LRESULT HitAt(const TestFrame* form, int x, int y) {
        return SendMessageW(form->Handle(), WM_NCHITTEST, 0, ScreenPoint(form, x, y));
    }
    static RECT WindowRect(const TestFrame* form) {
        RECT r;
        GetWindowRect(form->Handle(), &r);
        return r;
    }
    static RECT WorkArea() {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        return work;
    }
    // A left click at a client point, as the system delivers it.
    static void ClickAt(const TestFrame* form, int x, int y) {
        SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static POINT CentreOf(const tk::Control* control) {
        return {control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
    }

    testsupport::TempFolder workDir_;

  private:
    std::vector<tk::FormPtr<TestFrame>> forms_;
    std::string savedDirectory_;
};

}  // namespace

TEST_F(SkinnedFrameTest, DefaultSkinIsLoadedAndTheFrameLaidOutInTheDesignWindow) {
    TestFrame* form = Create();
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_EQ(form->GetSkinPath(), "Skin\\Blue\\");
    for (int i = 0; i < skin::kSkinImageCount; ++i) {
        SCOPED_TRACE(std::string(skin::kSkinImageNames[static_cast<size_t>(i)]));
        ASSERT_FALSE(form->SkinImageAt(i)->Empty());
        EXPECT_EQ(form->SkinImageAt(i)->TransparentColor(), std::optional<COLORREF>(kMagenta));
    }
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 32);
    EXPECT_EQ(form->TopStrip().Height(), 32);
    EXPECT_EQ(form->TopStrip().Width(), kW);
    const RECT panel = form->MainPanel().BoundsRect();
    EXPECT_EQ(panel.left, 4);
    EXPECT_EQ(panel.top, 32);
    EXPECT_EQ(panel.right, kW - 4);
    EXPECT_EQ(panel.bottom, kH - 4);

    const wchar_t* hints[] = {L"隐藏", L"最大化", L"关闭"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const skin::THotImg* button = form->HotImage(i);
        EXPECT_EQ(button->Left(), kMinimizeLeft + kButtonW * i);
        EXPECT_EQ(button->Top(), 6);
        EXPECT_EQ(button->Width(), kButtonW);
        EXPECT_TRUE(button->Visible());
        EXPECT_TRUE(button->ShowHint());
        EXPECT_EQ(button->Hint(), hints[i]);
        EXPECT_EQ(button->normalImage, form->SkinImageAt(11 + 3 * i));
        EXPECT_EQ(button->overImage, form->SkinImageAt(12 + 3 * i));
        EXPECT_EQ(button->downImage, form->SkinImageAt(13 + 3 * i));
    }
    EXPECT_EQ(form->HotImage(skin::kBottomRightCorner)->Left(), kW - 8);
    EXPECT_EQ(form->HotImage(skin::kBottomRightCorner)->Top(), kH - 8);

    // The caption text: after the system-menu image as designed (left 0, 32 wide), in the caption
    // colour, bold 9 points.
    const tk::Label* label = form->GetCaptionLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Left(), 32);
    EXPECT_EQ(label->Top(), 32 / 2 - 5);
    EXPECT_EQ(label->GetFont().Face(), L"宋体");
    EXPECT_EQ(label->GetFont().Points(), 9);
    EXPECT_TRUE(label->GetFont().Bold());
    EXPECT_EQ(label->GetFont().Color(), RGB(97, 120, 178));
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(form->SystemMenuImage().Left(), 8);
}

TEST_F(SkinnedFrameTest, HitTestAnswersResizeDragAndClientZones) {
    TestFrame* form = Create();
    form->SetBounds(50, 40, kW, kH);
    EXPECT_EQ(HitAt(form, 3, 3), HTTOPLEFT);
    EXPECT_EQ(HitAt(form, 7, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 6, 10), HTCLIENT);
    EXPECT_EQ(HitAt(form, kW - 1, kH - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(form, kW - 5, 300), HTRIGHT);
    EXPECT_EQ(HitAt(form, 300, kH - 5), HTBOTTOM);
    EXPECT_EQ(HitAt(form, kMinimizeLeft - 81, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, kMinimizeLeft - 80, 10), HTCLIENT);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 3, 10), HTCLIENT);  // on the minimize button

    // Fixed size: no borders, and the drag zone runs to 20 pixels right of the minimize button.
    form->SetResizable(false);
    EXPECT_EQ(HitAt(form, 3, 3), HTCLIENT);
    EXPECT_EQ(HitAt(form, kW - 1, kH - 1), HTCLIENT);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 19, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 20, 10), HTCLIENT);
    // The minimize and maximize buttons go at the next relayout; the close button stays.
    EXPECT_TRUE(form->HotImage(skin::kMinimizeButton)->Visible());
    form->FormResize();
    EXPECT_FALSE(form->HotImage(skin::kMinimizeButton)->Visible());
    EXPECT_FALSE(form->HotImage(skin::kMaximizeButton)->Visible());
    EXPECT_TRUE(form->HotImage(skin::kCloseButton)->Visible());
    form->SetResizable(true);

    // Maximized: still draggable by the caption, no resize borders.
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    EXPECT_EQ(HitAt(form, 7, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 3, 3), HTCLIENT);
}

TEST_F(SkinnedFrameTest, SizingIsHeldAtTheMinimumByTheDraggedEdge) {
    TestFrame* form = Create();
    RECT r{300, 100, 1000, 700};  // the left edge dragged to a width of 700
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, r.right - 800);
    EXPECT_EQ(r.right, 1000);
    r = RECT{100, 100, 1000, 600};  // the bottom dragged to a height of 500
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.bottom, r.top + 600);
    r = RECT{100, 300, 500, 700};  // the top-right corner, both too small
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_TOPRIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right, 900);
    EXPECT_EQ(r.top, 100);
    // Whatever the window's resizable flag says.
    form->SetResizable(false);
    r = RECT{100, 100, 500, 700};
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right, 900);
}

TEST_F(SkinnedFrameTest, MaximizeFillsTheWorkAreaLessOnePixelAndTheFrameFollows) {
    TestFrame* form = Create();
    const RECT work = WorkArea();
    MINMAXINFO info{};
    info.ptMaxSize = POINT{1, 1};
    info.ptMaxPosition = POINT{-7, -7};
    EXPECT_EQ(SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top - 1);
    EXPECT_EQ(info.ptMaxPosition.x, work.left);
    EXPECT_EQ(info.ptMaxPosition.y, work.top);

    form->Show();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Pump(50);
    const RECT r = WindowRect(form);
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom - 1);
    const int w = r.right - r.left;
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), w - kButtonW - 8);
    EXPECT_EQ(form->MainPanel().Width(), w - 8);
    // The maximize button shows the restore faces.
    const skin::THotImg* maximize = form->HotImage(skin::kMaximizeButton);
    EXPECT_EQ(maximize->normalImage, form->SkinImageAt(skin::kBtnOrigNormal));
    EXPECT_EQ(maximize->Hint(), L"恢复");
}

TEST_F(SkinnedFrameTest, SystemMoveAndSizeLoopsFollowTheFramesAnswersToTheMouse) {
    TestFrame* form = Create();
    form->SetBounds(100, 80, kW, kH);
    form->Show();
    Pump(200);
    // The mouse is driven from another thread while this one runs the window (and the system's
    // modal move and size loops inside it).
    auto drag = [&](int x, int y, int dx, int dy) {
        std::atomic<bool> done{false};
        std::thread mouse([&] {
            // Input goes through the X server: leave each event time to arrive before the next.
            auto send = [](DWORD flags, int px, int py, int pause = 40) {
                INPUT input{};
                input.type = INPUT_MOUSE;
                input.mi.dx = MulDiv(px, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
                input.mi.dy = MulDiv(py, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
                input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
                SendInput(1, &input, sizeof(input));
                Sleep(pause);
            };
            send(0, x, y, 150);
            send(MOUSEEVENTF_LEFTDOWN, x, y, 100);
            for (int step = 1; step <= 10; ++step) {
                send(0, x + dx * step / 10, y + dy * step / 10);
            }
            send(MOUSEEVENTF_LEFTUP, x + dx, y + dy);
            done = true;
        });
        testsupport::PumpUntil([&] { return done.load(); }, 5000);
        mouse.join();
        Pump(300);
    };
    drag(100 + 100, 80 + 15, 120, 60);  // by the caption
    RECT r = WindowRect(form);
    EXPECT_EQ(r.left, 220);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(r.right - r.left, kW);

    drag(r.right - 2, r.top + 300, 100, 0);  // the right border
    r = WindowRect(form);
    EXPECT_EQ(r.left, 220);
    EXPECT_EQ(r.right - r.left, kW + 100);
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), kW + 100 - kButtonW - 8);

    drag(r.right - 2, r.bottom - 2, -400, -300);  // the bottom-right corner, far inward
    r = WindowRect(form);
    EXPECT_EQ(r.left, 220);
    EXPECT_EQ(r.top, 140);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);

    drag(r.left + 3, r.top + 3, -50, -30);  // the top-left corner
    r = WindowRect(form);
    EXPECT_EQ(r.left, 170);
    EXPECT_EQ(r.top, 110);
    EXPECT_EQ(r.right - r.left, 850);
    EXPECT_EQ(r.bottom - r.top, 630);
}

TEST_F(SkinnedFrameTest, CaptionDoubleClickTogglesMaximizeThroughTheWindowsOwnCommands) {
    TestFrame* form = Create();
    form->SetBounds(40, 30, kW, kH);
    form->Show();
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    Pump(30);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    EXPECT_EQ(form->GetWindowState(), tk::WindowState::Maximized);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_MAXIMIZE});

    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    Pump(30);
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_EQ(form->GetWindowState(), tk::WindowState::Normal);
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_MAXIMIZE, SC_RESTORE}));
    const RECT r = WindowRect(form);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, kW);

    // At x 6 or y 6 nothing happens, nor right of the minimize button's left.
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 6, 10));
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 6));
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, kMinimizeLeft, 10));
    Pump(30);
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_EQ(form->sysCommands.size(), 2u);
}

TEST_F(SkinnedFrameTest, CloseButtonClickEndsInTheClosePathWhileItStillShowsItsPressedFace) {
    TestFrame* form = Create();
    form->Show();
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    COLORREF faceDuringClose = CLR_INVALID;
    form->onCloseQuery = [&] { faceDuringClose = close->Picture().Pixel(14, 3); };
    const POINT p = CentreOf(close);
    ClickAt(form, p.x, p.y);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_CLOSE});
    EXPECT_EQ(form->closeQueries, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));  // a plain window's close hides it
    // The click ran before the normal face came back; afterwards the normal face shows.
    EXPECT_EQ(faceDuringClose, form->SkinImageAt(19)->Pixel(14, 3));
    EXPECT_EQ(close->Picture().Pixel(14, 3), form->SkinImageAt(17)->Pixel(14, 3));
}

TEST_F(SkinnedFrameTest, ButtonsShowHoverAndPressedFacesAndSendTheirCommandsToTheWindowItself) {
    TestFrame* form = Create();
    form->Show();
    Pump(30);
    form->swallowSysCommands = true;  // as a descendant that handles the commands itself
    const skin::THotImg* minimize = form->HotImage(skin::kMinimizeButton);
    const POINT p = CentreOf(minimize);
    auto face = [&] { return minimize->Picture().Pixel(2, 11); };
    const COLORREF normal = form->SkinImageAt(11)->Pixel(2, 11);
    const COLORREF over = form->SkinImageAt(12)->Pixel(2, 11);
    const COLORREF down = form->SkinImageAt(13)->Pixel(2, 11);
    ASSERT_NE(normal, over);
    ASSERT_NE(over, down);

    RECT r = WindowRect(form);
    SetCursorPos(r.left + p.x, r.top + p.y);
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), over);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), down);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), normal);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_MINIMIZE});
    EXPECT_FALSE(IsIconic(form->Handle()));  // the window's own handler kept it

    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y + 40));
    EXPECT_EQ(face(), normal);

    // The maximize button, and a press that leaves the button before coming up does not click.
    const POINT m = CentreOf(form->HotImage(skin::kMaximizeButton));
    ClickAt(form, m.x, m.y);
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_MINIMIZE, SC_MAXIMIZE}));
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y + 40));
    EXPECT_EQ(form->sysCommands.size(), 2u);
    // Corners are not buttons.
    ClickAt(form, 2, kH - 2);
    EXPECT_EQ(form->sysCommands.size(), 2u);
}

TEST_F(SkinnedFrameTest, MinimizeButtonMinimizesAPlainWindow) {
    TestFrame* form = Create();
    form->Show();
    const POINT p = CentreOf(form->HotImage(skin::kMinimizeButton));
    ClickAt(form, p.x, p.y);
    Pump(30);
    EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(SkinnedFrameTest, WindowShapeIsARoundedRectangle) {
    TestFrame* form = Create();
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 1, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 1));
    EXPECT_FALSE(PtInRegion(region.Get(), kW - 1, kH - 1));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, kH - 1));
    EXPECT_TRUE(PtInRegion(region.Get(), 4, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 4));
    EXPECT_TRUE(PtInRegion(region.Get(), kW / 2, kH / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), kW - 5, kH - 1));
    // It follows the size.
    form->SetBounds(0, 0, 900, 700);
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 850, 650));
    EXPECT_FALSE(PtInRegion(region.Get(), 899, 699));
}

TEST_F(SkinnedFrameTest, CaptionTextFollowsTheWindowCaption) {
    TestFrame* form = Create();
    form->SetCaption(L"Velmora 考试");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"Velmora 考试");
    SetWindowTextW(form->Handle(), L"another");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"another");
}

TEST_F(SkinnedFrameTest, MissingSkinFolderIsReportedOnceAndTheWindowLivesOnWithoutASkin) {
    testsupport::MessageBoxWatcher boxes;
    TestFrame* form = Create("NoSuchSkin\\");
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, base::Utf8ToWide("皮肤文件不存在，或者路径不正确!"));
    EXPECT_FALSE(form->SkinLoaded());
    EXPECT_EQ(form->HotImage(0), nullptr);
    EXPECT_EQ(form->GetCaptionLabel(), nullptr);

    // Usable: shown, resized, maximized, repainted, dragged by the top band, captioned, closed.
    form->Show();
    form->SetBounds(10, 10, 900, 650);
    form->SetCaption(L"still here");
    UpdateWindow(form->Handle());
    EXPECT_EQ(HitAt(form, 20, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 2, 300), HTLEFT);
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    Pump(50);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(200);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(SkinnedFrameTest, SkinPathWithoutTrailingBackslashFindsTheFolderButNoFiles) {
    ProgramSubfolder folder;
    CreateDirectoryA((folder.Path() + "Red").c_str(), nullptr);
    WriteBmp(folder.Path() + "Red\\TopActivate.bmp", 16, 20, RGB(10, 20, 30));
    testsupport::MessageBoxWatcher boxes;
    // "...\Red" + "TopActivate.bmp": no such file, so every image stays empty.
    TestFrame* form = Create(folder.Relative() + "Red");
    ASSERT_TRUE(form->SkinLoaded());
    for (int i = 0; i < skin::kSkinImageCount; ++i) {
        EXPECT_TRUE(form->SkinImageAt(i)->Empty());
    }
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 0);
    // Zero-sized tiles everywhere: relayouts, activation changes and painting all finish.
    form->Show();
    form->SetBounds(0, 0, 1000, 700);
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    UpdateWindow(form->Handle());
    EXPECT_EQ(form->MainPanel().Width(), 1000);
    Pump(50);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SkinnedFrameTest, PartialSkinUsesWhatIsThereAndTilesNarrowImages) {
    ProgramSubfolder folder;
    WriteBmp(folder.Path() + "TopActivate.bmp", 1, 20, RGB(10, 20, 30));  // 1-pixel tiles
    WriteBmp(folder.Path() + "Left.bmp", 3, 1, RGB(40, 50, 60));
    WriteBmp(folder.Path() + "btn_Close_Normal.bmp", 12, 10, RGB(70, 80, 90));
    WriteBmp(folder.Path() + "Bottom.bmp", 0, 0, RGB(0, 0, 0));  // a file that is not a usable bitmap
    TestFrame* form = Create(folder.Relative());
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 20);
    EXPECT_TRUE(form->SkinImageAt(skin::kBottom)->Empty());
    EXPECT_FALSE(form->SkinImageAt(skin::kBottom)->TransparentColor().has_value());
    EXPECT_EQ(form->TopStrip().Picture().Pixel(kW - 1, 19), RGB(10, 20, 30));
    EXPECT_EQ(form->MainPanel().BoundsRect().left, 3);
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    EXPECT_EQ(close->Left(), kW - 12 - 8);
    EXPECT_EQ(close->Top(), (20 - 10) / 2 + 1);
    // The minimize button has no face and so no size: its left is the window's right edge less 8.
    EXPECT_EQ(form->HotImage(skin::kMinimizeButton)->Left(), kW - 8);
}

TEST_F(SkinnedFrameTest, ScreenShowsTheCaptionTilesAndNeverTheCornersMagenta) {
    TestFrame* form = Create();
    form->SetBounds(200, 150, kW, kH);
    form->Show();
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    Pump(300);
    const RECT r = WindowRect(form);
    const tk::Bitmap& active = *form->SkinImageAt(skin::kTopActivate);
    const tk::Bitmap& inactive = *form->SkinImageAt(skin::kTopdeActivate);
    {
        ScreenShot shot(r);
        for (int x : {100, 200, 333, 500}) {
            for (int y : {1, 10, 20}) {
                EXPECT_EQ(shot.At(x, y), active.Pixel(x % active.Width(), y)) << x << "," << y;
            }
        }
        // Through the normal face's magenta the caption shows; the corner pieces' magenta is left
        // out and the window's rounded shape cuts the outside away.
        const skin::THotImg* close = form->HotImage(skin::kCloseButton);
        EXPECT_EQ(shot.At(close->Left() + 1, close->Top() + 1),
                  active.Pixel((close->Left() + 1) % active.Width(), close->Top() + 1));
        EXPECT_EQ(shot.Count(kMagenta), 0);
        EXPECT_EQ(shot.At(4, 4), form->SkinImageAt(skin::kTopLeftActivate)->Pixel(4, 4));
        EXPECT_EQ(shot.At(kW - 1, kH - 8), form->SkinImageAt(skin::kBottomRight)->Pixel(7, 0));
    }
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    Pump(300);
    {
        ScreenShot shot(r);
        ASSERT_NE(active.Pixel(0, 15), inactive.Pixel(0, 15));
        EXPECT_EQ(shot.At(200, 15), inactive.Pixel(200 % inactive.Width(), 15));
        EXPECT_EQ(shot.At(4, 15), form->SkinImageAt(skin::kTopLeftdeActivate)->Pixel(4, 15));
        EXPECT_EQ(shot.Count(kMagenta), 0);
    }
}

using testsupport::MainFormTest;

TEST_F(MainFormTest, MainWindowIsSkinnedAndItsMinimizeButtonHidesItToTheTray) {
    WriteUserConfig("ShotCutRemind=0\r\n");
    app::TMainForm* form = CreateMainForm();
    ASSERT_TRUE(form->SkinLoaded());
    // The main window's system-menu image sits at left 2, 16 wide, hidden.
    EXPECT_FALSE(form->SystemMenuImage().Visible());
    EXPECT_EQ(form->GetCaptionLabel()->Left(), 18);
    form->SetCaption(L"Velmora");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"Velmora");
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);

    // Compact (login) layout: not resizable, so only the close button shows.
    form->Show();
    Pump(30);
    EXPECT_EQ(form->Width(), 400);
    EXPECT_FALSE(form->HotImage(skin::kMinimizeButton)->Visible());
    EXPECT_FALSE(form->HotImage(skin::kMaximizeButton)->Visible());
    EXPECT_TRUE(form->HotImage(skin::kCloseButton)->Visible());
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), 400 - kButtonW - 8);

    // Full layout: all three; the minimize button goes through the window's own command handling,
    // which hides it to the tray instead of minimizing it.
    form->SetFullLayout(true);
    form->SetResizable(true);
    form->LoadLastPosInfo();
    Pump(30);
    const skin::THotImg* minimize = form->HotImage(skin::kMinimizeButton);
    ASSERT_TRUE(minimize->Visible());
    ASSERT_TRUE(form->HotImage(skin::kMaximizeButton)->Visible());
    const POINT p{minimize->Left() + minimize->Width() / 2, minimize->Top() + minimize->Height() / 2};
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump(50);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));
}
