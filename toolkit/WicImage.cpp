#include "toolkit/WicImage.h"

#include <windows.h>
#include <wincodec.h>

#include <new>
#include <optional>

#include "base/Handles.h"
#include "base/Log.h"
#include "base/Text.h"

namespace tk {
namespace {

// COM for the calling thread while it lives, where nobody had set it up (the GUI thread normally has
// it from the application).
class ComForThisCall {
  public:
    ComForThisCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

  private:
    HRESULT result_;
};

DecodedImage Failed(const char* step, HRESULT result) {
    return DecodedImage{{}, std::string(step) + " failed: " + base::HResultText(result)};
}

DecodedImage Decode(IWICImagingFactory* factory, std::span<const uint8_t> bytes) {
    base::ComPtr<IWICStream> stream;
    HRESULT hr = factory->CreateStream(stream.Put());
    if (FAILED(hr)) {
        return Failed("creating the stream", hr);
    }
    // The stream only reads the bytes; the interface takes them as non-const.
    hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (FAILED(hr)) {
        return Failed("reading from memory", hr);
    }
    base::ComPtr<IWICBitmapDecoder> decoder;
    hr = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                          decoder.Put());
    if (FAILED(hr)) {
        return Failed("recognising the image", hr);
    }
    base::ComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(0, frame.Put());
    if (FAILED(hr)) {
        return Failed("reading its first frame", hr);
    }
    UINT width = 0, height = 0;
    hr = frame->GetSize(&width, &height);
    if (FAILED(hr)) {
        return Failed("reading its size", hr);
    }
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return DecodedImage{{},
                            "its size " + std::to_string(width) + " x " + std::to_string(height) +
                                " is outside 1.." + std::to_string(kMaxImageSide)};
    }
    base::ComPtr<IWICFormatConverter> converter;
    hr = factory->CreateFormatConverter(converter.Put());
    if (SUCCEEDED(hr)) {
        hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom);
    }
    if (FAILED(hr)) {
        return Failed("converting it to 32-bit premultiplied pixels", hr);
    }
    DecodedImage decoded;
    try {
        decoded.image.pixels.resize(static_cast<size_t>(width) * height);
    } catch (const std::bad_alloc&) {
        return DecodedImage{{}, "no memory for its pixels"};
    }
    const UINT stride = width * 4;
    hr = converter->CopyPixels(nullptr, stride, stride * height,
                               reinterpret_cast<BYTE*>(decoded.image.pixels.data()));
    if (FAILED(hr)) {
        return Failed("decoding its pixels", hr);
    }
    decoded.image.width = static_cast<int>(width);
    decoded.image.height = static_cast<int>(height);
    return decoded;
}

}  // namespace

DecodedImage DecodeImageFile(std::span<const uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > MAXDWORD) {
        return DecodedImage{{}, "no image data"};
    }
    // Declared before the factory, so that the factory goes first.
    std::optional<ComForThisCall> com;
    base::ComPtr<IWICImagingFactory> factory;
    const auto create = [&] {
        return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, factory.PutVoid());
    };
    HRESULT hr = create();
    if (hr == CO_E_NOTINITIALIZED) {
        com.emplace();
        hr = create();
    }
    if (FAILED(hr)) {
        return Failed("starting the imaging component", hr);
    }
    return Decode(factory.Get(), bytes);
}

DecodedImage LoadResourceImage(const wchar_t* name, const wchar_t* type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, type);
    HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) {
        return DecodedImage{{}, "resource " + base::WideToUtf8(name) + " is missing"};
    }
    DecodedImage decoded = DecodeImageFile(
        std::span<const uint8_t>(static_cast<const uint8_t*>(bytes), SizeofResource(module, resource)));
    if (!decoded.problem.empty()) {
        decoded.problem = "resource " + base::WideToUtf8(name) + ": " + decoded.problem;
    }
    return decoded;
}

}  // namespace tk
