// The dialogs' pictures as the executable carries them: PNG resources decoded by the system's imaging
// component, each drawn at its design size for its scale; damaged or missing data gives no picture
// and a line in the log, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogFile.h"
#include "dialogs/DialogResources.h"
#include "toolkit/WicImage.h"

namespace {

// The bytes of a picture resource of this executable (empty when it is missing).
std::vector<uint8_t> ResourceBytes(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, dialogs::kPictureResourceType);
    HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const uint8_t*>(data ? LockResource(data) : nullptr);
    return bytes ? std::vector<uint8_t>(bytes, bytes + SizeofResource(module, resource))
                 : std::vector<uint8_t>();
}

constexpr const dialogs::DialogPicture* kPictures[] = {&dialogs::kSettingsBackground, &dialogs::kButtonOk,
                                                       &dialogs::kButtonCancel, &dialogs::kCloseCross,
                                                       &dialogs::kFirstRunBackground};

}  // namespace

// Drawn at exactly the size the controls take at that scale, a picture is shown as drawn, unscaled.
TEST(DialogPictures, EveryScaleIsDrawnAtTheDesignSizeThere) {
    for (const dialogs::DialogPicture* picture : kPictures) {
        for (const int percent : dialogs::kDrawnPercents) {
            const std::wstring name = dialogs::PictureResourceName(picture->name, percent);
            SCOPED_TRACE(base::WideToUtf8(name));
            const tk::DecodedImage decoded =
                tk::LoadResourceImage(name.c_str(), dialogs::kPictureResourceType);
            ASSERT_TRUE(decoded.problem.empty()) << decoded.problem;
            const dialogs::PixelRect size =
                dialogs::Scaled(picture->size, tk::DpiScale(percent * tk::DpiScale::kDesignDpi / 100));
            EXPECT_EQ(decoded.image.width, size.width);
            EXPECT_EQ(decoded.image.height, size.height);
            // Opaque throughout; a button face's corner is the key colour.
            EXPECT_EQ(decoded.image.pixels.front() >> 24, 0xFFu);
            EXPECT_EQ((decoded.image.pixels.front() & 0xFFFFFF) == dialogs::kPictureKeyColour,
                      picture->keyed);
        }
    }
}

TEST(DialogPictures, DamagedOrMissingDataGivesNoImageAndSaysWhy) {
    const std::vector<uint8_t> png = ResourceBytes(L"VELMORA_DLG_CLOSE_CROSS_100");
    ASSERT_GT(png.size(), 100u);
    std::vector<uint8_t> scrambled = png;
    for (size_t i = 40; i < scrambled.size() - 20; ++i) {
        scrambled[i] ^= 0x5A;  // the compressed pixels, past the header
    }
    std::vector<uint8_t> noSignature = png;
    noSignature[1] = 'X';
    const std::vector<uint8_t> cases[] = {{},
                                          std::vector<uint8_t>(png.begin(), png.begin() + 30),
                                          scrambled,
                                          noSignature,
                                          std::vector<uint8_t>(64, 0)};
    for (const std::vector<uint8_t>& bytes : cases) {
        SCOPED_TRACE(bytes.size());
        const tk::DecodedImage decoded = tk::DecodeImageFile(bytes);
        EXPECT_TRUE(decoded.image.Empty());
        EXPECT_FALSE(decoded.problem.empty());
    }
    const tk::DecodedImage missing = tk::LoadResourceImage(L"VELMORA_DLG_NOT_THERE_100");
    EXPECT_TRUE(missing.image.Empty());
    EXPECT_NE(missing.problem.find("VELMORA_DLG_NOT_THERE_100"), std::string::npos) << missing.problem;
}

// A picture none of whose scales can be read leaves the image empty (nothing drawn) and the log says
// which one; a scale that is missing is passed over for the next.
TEST(DialogPictures, AnUnreadablePictureIsLoggedAndLeavesNothingToDraw) {
    testsupport::LogFile log;
    const dialogs::DialogPicture missing{L"VELMORA_DLG_NOT_THERE", {0, 0, 20, 10}, true, nullptr};
    EXPECT_TRUE(dialogs::LoadDialogPicture(missing, 120).Empty());
    const std::string text = log.Text();
    EXPECT_NE(text.find("VELMORA_DLG_NOT_THERE_150 is missing"), std::string::npos) << text;
    EXPECT_NE(text.find("VELMORA_DLG_NOT_THERE not shown at 120 DPI"), std::string::npos) << text;
}
