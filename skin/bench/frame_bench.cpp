// Times one full relayout and paint of the skinned frame of a 1920 x 1080 window (at 100 %; scaled to
// the display's DPI, so 3840 x 2160 at 200 %) against filling the same area with a single BitBlt, in
// the same run. Not a test: it prints figures (scripts/bench).
//
// Relayout + paint = the base resize handler (sizing, tiling the strips, placing the parts, the
// window shape) followed by a synchronous repaint of the whole window (RedrawWindow with
// RDW_INVALIDATE | RDW_UPDATENOW). The reference copies a 1920 x 1080 bitmap onto the same window
// with one BitBlt (through a DC that does not leave out the client panel). Each case runs many times
// after a warm-up; the median and the mean are printed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

#include "skin/CustomFrm.h"
#include "toolkit/Application.h"
#include "toolkit/Bitmap.h"

namespace {

constexpr int kDesignWidth = 1920;
constexpr int kDesignHeight = 1080;
constexpr int kWarmUp = 30;
constexpr int kRuns = 500;

struct Timing {
    double median = 0;
    double mean = 0;
};

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Runs a step repeatedly; the window's other messages are handled between runs, outside the timing.
Timing Measure(const std::function<void()>& step) {
    tk::Application& application = tk::Application::Instance();
    for (int i = 0; i < kWarmUp; ++i) {
        step();
        application.ProcessMessages();
    }
    std::vector<double> ms;
    ms.reserve(kRuns);
    for (int i = 0; i < kRuns; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        step();
        GdiFlush();
        QueryPerformanceCounter(&end);
        ms.push_back(Milliseconds(start, end));
        application.ProcessMessages();
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], std::accumulate(ms.begin(), ms.end(), 0.0) / static_cast<double>(ms.size())};
}

class BenchForm : public skin::TPictureForm {
  public:
    BenchForm() : TPictureForm(BaseDesign()) {}
};

}  // namespace

int main() {
    tk::Application& application = tk::Application::Instance();
    application.Initialize();
    int status = 0;
    {
        BenchForm* form = &tk::CreateForm<BenchForm>();
        if (!form->SkinLoaded()) {
            std::printf("the default skin was not found beside frame_bench.exe (Skin\\Blue\\)\n");
            status = 1;
        } else {
            const int width = form->Scale().ToPixels(kDesignWidth);
            const int height = form->Scale().ToPixels(kDesignHeight);
            form->SetBounds(0, 0, width, height);
            form->Show();
            application.ProcessMessages();
            const HWND window = form->Handle();
            auto repaint = [window] {
                RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            };

            const Timing relayout = Measure([&] { form->FormResize(); });
            const Timing paint = Measure(repaint);
            const Timing frame = Measure([&] {
                form->FormResize();
                repaint();
            });

            tk::Bitmap source(width, height);
            source.Clear(RGB(190, 210, 240));
            const Timing blit = Measure([&] {
                HDC dc = GetDCEx(window, nullptr, DCX_CACHE);
                BitBlt(dc, 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
                ReleaseDC(window, dc);
            });

            std::printf(
                "skinned window %d x %d at %d DPI, %d runs each after %d warm-up runs (milliseconds)\n",
                width, height, form->Dpi(), kRuns, kWarmUp);
            std::printf("  relayout only (FormResize):     median %.3f  mean %.3f\n", relayout.median,
                        relayout.mean);
            std::printf("  paint only (RedrawWindow):      median %.3f  mean %.3f\n", paint.median,
                        paint.mean);
            std::printf("  relayout + paint:               median %.3f  mean %.3f\n", frame.median,
                        frame.mean);
            std::printf("  one BitBlt of %d x %d:      median %.3f  mean %.3f\n", width, height, blit.median,
                        blit.mean);
            std::printf("  relayout + paint / BitBlt:      %.2f x (medians)\n", frame.median / blit.median);
        }
    }
    application.Finalize();
    return status;
}
