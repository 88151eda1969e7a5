#include "win32/png_win32.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "draw/picture_pixels.h"
#include "win32/path_win32.h"

namespace senvola {
namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// One COM interface pointer, released with its owner.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    // For the calls that hand out a new pointer; whatever was held is released first.
    T** put() {
        if (p_) p_->Release();
        p_ = nullptr;
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

private:
    T* p_ = nullptr;
};

// COM for this thread while the object lives, unless the thread has it already in whatever mode.
class ComUse {
public:
    ComUse() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComUse() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    // RPC_E_CHANGED_MODE: COM is there, in another mode, which the imaging factory takes too.
    bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const UniqueFile file(CreateFileW(LongPathForm(WideFromUtf8(path)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0 ||
        uint64_t(length.QuadPart) > kMaxPictureFileSize)
        return std::nullopt;
    std::vector<unsigned char> data(std::size_t(length.QuadPart));
    unsigned char* at = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        DWORD got = 0;
        const DWORD chunk = DWORD(std::min<std::size_t>(left, 1u << 30));
        if (!ReadFile(file.get(), at, chunk, &got, nullptr) || got == 0) return std::nullopt;
        at += got;
        left -= got;
    }
    return data;
}

bool IsPng(const unsigned char* data, std::size_t size) {
    return size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

std::optional<BmpPicture> DecodePng(std::vector<unsigned char>& data) {
    if (!IsPng(data.data(), data.size()) || data.size() > 0xFFFFFFFFu) return std::nullopt;
    const ComUse com;
    if (!com.Usable()) return std::nullopt;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.putVoid())))
        return std::nullopt;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(data.data(), DWORD(data.size()))))
        return std::nullopt;
    // The PNG decoder and no other: a file is never taken for something its signature does not say.
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.put())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)))
        return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxBmpSide ||
        height > kMaxBmpSide || uint64_t(width) * height > kMaxBmpPixels)
        return std::nullopt;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), converted.put())))
        return std::nullopt;

    uint32_t* bits = nullptr;
    BmpPicture picture;
    picture.bitmap = NewTopDownDib(int(width), int(height), bits);
    if (!picture.bitmap) return std::nullopt;
    const uint64_t bytes = uint64_t(width) * height * 4;
    if (FAILED(converted->CopyPixels(nullptr, width * 4, UINT(bytes), reinterpret_cast<BYTE*>(bits)))) return std::nullopt;
    uint32_t* pixels = bits;
    const std::size_t count = std::size_t(width) * height;
    // Premultiplied already; an opaque picture goes the way of an opaque BMP (fourth byte 0), so
    // that as a stone it leaves out its key colour like one.
    bool translucent = false;
    for (std::size_t i = 0; i < count && !translucent; ++i) translucent = (pixels[i] >> 24) != 255;
    if (!translucent)
        for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;
    picture.alpha = translucent;
    picture.width = int(width);
    picture.height = int(height);
    const uint32_t corner = pixels[std::size_t(height - 1) * width];
    picture.bottomLeft = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);
    return picture;
}

}  // namespace

std::optional<BmpPicture> LoadPngFile(const std::string& path) {
    std::optional<std::vector<unsigned char>> data = ReadWholeFile(path);
    if (!data) return std::nullopt;
    return DecodePng(*data);
}

std::optional<BmpPicture> LoadPictureFile(const std::string& path) {
    std::optional<std::vector<unsigned char>> data = ReadWholeFile(path);
    if (!data) return std::nullopt;
    if (IsPng(data->data(), data->size())) return DecodePng(*data);
    return LoadBmpFile(path);
}

}  // namespace senvola
