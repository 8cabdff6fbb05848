// Image files from disk on real GDI: damaged BMP and icon files are refused before the system's image
// code sees them (treated as missing and named in the log), and sound ones draw exactly what the
// system's own loader draws. Run-length encoded pixels never reach the system: a damaged stream
// shows what it sets before the damage, and magenta elsewhere.
#include "toolkit/ImageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Module.h"
#include "base/Text.h"
#include "skin/CustomFrm.h"
#include "LogFile.h"
#include "support/ByteEdits.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"
#include "win32/ToolkitTesting.h"
#include "toolkit/Bitmap.h"
#include "toolkit/ResourceBitmap.h"

using testsupport::Put16;
using testsupport::Put32;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

namespace {

// The test picture: a colour for every pixel, and the palette index of the paletted forms.
COLORREF Colour(int x, int y) {
    return RGB(x * 36, y * 50, 200 - x * 9 - y * 7);
}
int Index(int x, int y, int bits) {
    return (x * 3 + y * 5) % (1 << bits);
}
COLORREF PaletteColour(int index) {
    return RGB(index, 255 - index, (index * 7) % 256);
}

// A width x height BMP of the test picture with the given bit count, rows stored bottom-up or
// top-down. 16-bit pixels are 5-5-5 with the colour's top five bits.
std::string MakeBmp(int width, int height, int bits, bool topDown) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    const size_t offset = 54 + static_cast<size_t>(colours) * 4;
    std::string file(offset + stride * height, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(topDown ? -height : height));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<uint32_t>(bits));
    for (int i = 0; i < colours; ++i) {
        const COLORREF c = PaletteColour(i * 255 / (colours - 1));
        Put32(file, 54 + 4 * i, GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16);
    }
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = Colour(x, y);
            if (bits >= 24) {
                const size_t at = row + static_cast<size_t>(x) * (bits / 8);
                file[at] = static_cast<char>(GetBValue(c));
                file[at + 1] = static_cast<char>(GetGValue(c));
                file[at + 2] = static_cast<char>(GetRValue(c));
            } else if (bits == 16) {
                Put16(file, row + 2 * x,
                      (GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | GetBValue(c) >> 3);
            } else {
                const size_t bit = static_cast<size_t>(x) * bits;
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                file[row + bit / 8] = static_cast<char>(file[row + bit / 8] | Index(x, y, bits) << shift);
            }
        }
    }
    return file;
}

// What the program drew before it checked files itself: the system's loader, then a copy.
tk::Bitmap LoadWithTheSystemsLoader(const std::wstring& path) {
    tk::Bitmap bitmap;
    tk::UniqueBitmap loaded(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!loaded || !GetObjectW(loaded.Get(), sizeof(info), &info)) {
        return bitmap;
    }
    bitmap.SetSize(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    tk::UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    tk::SelectGuard select(source.Get(), loaded.Get());
    BitBlt(bitmap.Dc(), 0, 0, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    return bitmap;
}

::testing::AssertionResult SamePixels(const tk::Bitmap& a, const tk::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::wstring DefaultSkinFile(const char* name) {
    return base::ExeFolder() + L"Skin\\Blue\\" + base::AnsiToWide(name);
}

// Damaged copies of a sound file, by what was done to it.
std::vector<std::pair<std::string, std::string>> DamagedBmps() {
    const std::string good = ReadFileBytes(DefaultSkinFile("TopActivate.bmp"));
    std::vector<std::pair<std::string, std::string>> bad;
    for (size_t cut : {size_t{0}, size_t{10}, size_t{14}, size_t{30}, size_t{54}, size_t{60}, size_t{100},
                       good.size() / 2, good.size() - 1}) {
        bad.emplace_back("cut at " + std::to_string(cut), good.substr(0, cut));
    }
    bad.emplace_back("wrong mark", "MB" + good.substr(2));
    bad.emplace_back("a PNG file",
                     std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) + std::string(200, '\x01'));
    std::string huge = good;
    Put32(huge, 18, 100000);
    Put32(huge, 22, 100000);
    bad.emplace_back("100000 x 100000", huge);
    std::string beyond = good;
    Put32(beyond, 10, static_cast<uint32_t>(good.size()));
    bad.emplace_back("pixels beyond the end", beyond);
    return bad;
}

}  // namespace

TEST(ImageFiles, SoundBmpFilesDrawTheSamePixelsBottomUpAndTopDownAsTheSystemsLoader) {
    TempFolder folder;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        const std::wstring bottomUpPath = folder.WidePath() + L"up.bmp";
        const std::wstring topDownPath = folder.WidePath() + L"down.bmp";
        WriteFileBytes(bottomUpPath, MakeBmp(7, 5, bits, false));
        WriteFileBytes(topDownPath, MakeBmp(7, 5, bits, true));
        tk::Bitmap bottomUp, topDown;
        ASSERT_TRUE(bottomUp.LoadFromFile(bottomUpPath));
        ASSERT_TRUE(topDown.LoadFromFile(topDownPath));
        EXPECT_TRUE(SamePixels(bottomUp, topDown));
        EXPECT_TRUE(SamePixels(bottomUp, LoadWithTheSystemsLoader(bottomUpPath)));
        if (bits == 16) {
            continue;  // five bits a channel: the check above is the exact one
        }
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                const int colours = 1 << bits;
                const COLORREF expected =
                    bits >= 24 ? Colour(x, y) : PaletteColour(Index(x, y, bits) * 255 / (colours - 1));
                EXPECT_EQ(topDown.Pixel(x, y), expected) << x << ", " << y;
            }
        }
    }
}

// Every drawn set, on disk and built in (the program finds each of its 75 resources by name).
TEST(ImageFiles, TheDefaultSkinDrawsPixelForPixelWhatTheSystemsLoaderDraws) {
    for (const char* scale : {"", "150\\", "200\\"}) {
        for (std::string_view name : skin::kSkinImageNames) {
            SCOPED_TRACE(std::string(scale) + std::string(name));
            const std::wstring path =
                DefaultSkinFile((std::string(scale) + std::string(name) + ".bmp").c_str());
            tk::Bitmap loaded;
            ASSERT_TRUE(loaded.LoadFromFile(path));
            EXPECT_TRUE(SamePixels(loaded, LoadWithTheSystemsLoader(path)));
            std::string resource = "VELMORA_SKIN_" + std::string(scale, scale[0] ? 3 : 0) +
                                   (scale[0] ? "_" : "") + std::string(name);
            EXPECT_TRUE(SamePixels(loaded, tk::LoadResourceBmpFile(base::AnsiToWide(resource).c_str())));
        }
    }
}

TEST(ImageFiles, DamagedBmpFilesAreRefusedBeforeTheSystemSeesThemAndNamedInTheLog) {
    TempFolder folder;
    testsupport::LogFile log;
    int n = 0;
    for (const auto& [damage, bytes] : DamagedBmps()) {
        SCOPED_TRACE(damage);
        const std::wstring path = folder.WidePath() + L"bad" + std::to_wstring(n++) + L".bmp";
        WriteFileBytes(path, bytes);
        tk::Bitmap bitmap(4, 4);
        EXPECT_FALSE(bitmap.LoadFromFile(path));
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_NE(log.Text().find(base::WideToUtf8(path) + " not used"), std::string::npos);
    }
    // A missing file is simply missing: nothing to report.
    const std::string before = log.Text();
    EXPECT_FALSE(tk::Bitmap().LoadFromFile(folder.WidePath() + L"none.bmp"));
    EXPECT_EQ(log.Text(), before);
}

TEST(ImageFiles, ADamagedRle8FileShowsThePixelsBeforeTheDamageAndIsSeeThroughElsewhere) {
    TempFolder folder;
    testsupport::LogFile log;
    // 4 x 3: the bottom row of colour 1, two pixels of colour 2 on the middle row, then a run past
    // that row's end; the top row that follows it is never drawn.
    const std::string stream("\x04\x01\x00\x00\x02\x02\x03\x02\x00\x00\x04\x03\x00\x01", 14);
    // Colour i of the table is PaletteColour(i).
    std::string file = MakeBmp(4, 3, 8, false).substr(0, 54 + 256 * 4) + stream;
    Put32(file, 30, BI_RLE8);
    Put32(file, 34, static_cast<uint32_t>(stream.size()));
    const std::wstring path = folder.WidePath() + L"damaged-rle8.bmp";
    WriteFileBytes(path, file);
    tk::Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path));
    const COLORREF m = RGB(255, 0, 255), one = PaletteColour(1), two = PaletteColour(2);
    const COLORREF expected[3][4] = {{m, m, m, m}, {two, two, m, m}, {one, one, one, one}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(bitmap.Pixel(x, y), expected[y][x]) << x << ", " << y;
        }
    }
    const std::string text = log.Text();
    const std::string line = base::WideToUtf8(path) + ": run-length pixels stopped at byte 6";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << text;
    EXPECT_EQ(text.find(line, at + 1), std::string::npos) << "logged once";
    EXPECT_NE(text.find("passes the end of the 4-pixel row", at), std::string::npos) << text;
}

TEST(ImageFiles, DamagedIconFilesGiveNoIconAndAreNamedInTheLog) {
    TempFolder folder;
    testsupport::LogFile log;
    const std::string good = ReadFileBytes(base::ExeFolder() + L"testdata\\SysMenu.ico");
    ASSERT_GT(good.size(), 100u);
    const std::wstring goodPath = folder.WidePath() + L"good.ico";
    WriteFileBytes(goodPath, good);
    tk::UniqueIcon icon = tk::LoadIconFile(goodPath, 16);
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
    tk::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_TRUE(tk::IconFileIsUsable(goodPath));

    std::vector<std::string> damaged;
    for (size_t cut : {size_t{0}, size_t{3}, size_t{6}, size_t{22}, good.size() / 2, good.size() - 1}) {
        damaged.push_back(good.substr(0, cut));
    }
    std::string cursor = good;
    Put16(cursor, 2, 2);
    damaged.push_back(cursor);
    std::string outside = good;
    Put32(outside, 6 + 12, 0x7FFFFFF0u);
    damaged.push_back(outside);
    damaged.push_back(ReadFileBytes(DefaultSkinFile("TopActivate.bmp")));
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        const std::wstring path = folder.WidePath() + L"bad" + std::to_wstring(i) + L".ico";
        WriteFileBytes(path, damaged[i]);
        EXPECT_FALSE(tk::LoadIconFile(path, 16));
        EXPECT_FALSE(tk::IconFileIsUsable(path));
        EXPECT_NE(log.Text().find("Icon file " + base::WideToUtf8(path) + " not used"), std::string::npos);
    }
}

namespace {

class SkinTestFrame : public skin::TPictureForm {
  public:
    explicit SkinTestFrame(const std::string& skinPath) : TPictureForm(BaseDesign()) {
        SetSkinPath(skinPath);
    }
};

}  // namespace

TEST(ImageFiles, ASkinWithDamagedFilesUsesTheRestAndTheBuiltInImagesForThose) {
    // A copy of the default skin below the program's folder, where skin paths point.
    const std::string relative = "damaged-skin-" + std::to_string(GetCurrentProcessId()) + "\\";
    const std::wstring folder = base::ExeFolder() + base::AnsiToWide(relative);
    testsupport::CopyFolder(base::ExeFolder() + L"Skin\\Blue", folder);
    const std::vector<std::pair<std::string, std::string>> bad = DamagedBmps();
    const int damagedImages[] = {skin::kTopActivate, skin::kLeft, skin::kBtnCloseNormal, skin::kBottomRight};
    for (size_t i = 0; i < std::size(damagedImages); ++i) {
        WriteFileBytes(
            folder + base::AnsiToWide(std::string(skin::kSkinImageNames[damagedImages[i]])) + L".bmp",
            bad[i * 3 + 1].second);
    }
    TempFolder emptyDirectory;  // no SysMenu.ico in the current directory
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    SetCurrentDirectoryW(emptyDirectory.WidePath().c_str());
    {
        testsupport::LogFile log;
        tk::FormPtr<SkinTestFrame> form = testsupport::MakeForm<SkinTestFrame>(relative);
        ASSERT_TRUE(form->SkinLoaded());
        // The damaged ones are the built-in images of the same names.
        for (int i = 0; i < skin::kSkinImageCount; ++i) {
            EXPECT_FALSE(form->SkinImageAt(i)->Empty()) << skin::kSkinImageNames[i];
        }
        EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 32);
        form->Show();
        form->SetBounds(50, 50, 900, 650);
        UpdateWindow(form->Handle());
        tk::Application::Instance().ProcessMessages();
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_NE(
            log.Text().find("the built-in ones are used: TopActivate, Left, BottomRight, btn_Close_Normal"),
            std::string::npos);
        EXPECT_NE(log.Text().find("TopActivate.bmp not used"), std::string::npos);
    }
    SetCurrentDirectoryW(saved);
    testsupport::RemovePath(folder);
}
