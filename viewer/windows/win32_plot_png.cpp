// SPDX-License-Identifier: MIT
#include "win32_plot_png.h"

#include "win32_plot_windows_h.h"
// After windows.h, which they need.
#include <objbase.h>
#include <wincodec.h>

namespace talvo::plot {
namespace {

// Releases a COM pointer when it goes.
template <typename T>
struct Held {
  T* p = nullptr;
  ~Held() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

std::string Reason(const char* step, HRESULT result) {
  char code[16];
  wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string(step) + ": " + code;
}

}  // namespace

std::optional<std::string> WritePng(const std::wstring& path, const PixelBuffer& picture) {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  struct Uninit {
    bool on;
    ~Uninit() {
      if (on) CoUninitialize();
    }
  } uninit{SUCCEEDED(started)};

  Held<IWICImagingFactory> factory;
  Held<IWICStream> stream;
  Held<IWICBitmapEncoder> encoder;
  Held<IWICBitmapFrameEncode> frame;
  HRESULT r = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
  if (FAILED(r)) return Reason("WIC", r);
  if (FAILED(r = factory->CreateStream(&stream))) return Reason("stream", r);
  if (FAILED(r = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE))) return Reason("file", r);
  if (FAILED(r = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder))) return Reason("PNG", r);
  if (FAILED(r = encoder->Initialize(stream.p, WICBitmapEncoderNoCache))) return Reason("PNG", r);
  if (FAILED(r = encoder->CreateNewFrame(&frame, nullptr))) return Reason("frame", r);
  if (FAILED(r = frame->Initialize(nullptr))) return Reason("frame", r);
  if (FAILED(r = frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height)))) {
    return Reason("size", r);
  }
  // The pixels are 0xAARRGGBB words, which little-endian memory holds as B, G, R, A.
  // The picture is opaque, so its alpha bytes are all 0xff.
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  if (FAILED(r = frame->SetPixelFormat(&format))) return Reason("format", r);
  if (format != GUID_WICPixelFormat32bppBGRA) return Reason("format", E_NOTIMPL);
  const UINT stride = static_cast<UINT>(picture.stride) * 4;
  const UINT bytes = stride * static_cast<UINT>(picture.height);
  if (FAILED(r = frame->WritePixels(static_cast<UINT>(picture.height), stride, bytes,
                                    reinterpret_cast<BYTE*>(picture.bits))))
    return Reason("pixels", r);
  if (FAILED(r = frame->Commit())) return Reason("frame", r);
  if (FAILED(r = encoder->Commit())) return Reason("PNG", r);
  return std::nullopt;
}

}  // namespace talvo::plot
