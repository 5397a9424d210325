// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the image record reader and to every picture decoder: none may
// crash, hang or allocate beyond what the input can justify. The first byte picks the reader.
#include "archive/Stream.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "platform/Picture.h"
#include "platform/RecordingBackend.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {

TGfxDevice& FuzzDevice() {
    static TGfxDevice Device{[](const TDisplaySettings&) { return std::make_unique<TRecordingBackend>(800, 600); }};
    static const bool Ready = Device.Initialize();
    (void)Ready;
    return Device;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) {
        return 0;
    }
    std::vector<uint8_t> Bytes(Data + 1, Data + Size);
    switch (Data[0] % 5) {
    case 0: {
        TGfxImage Image(FuzzDevice());
        TMemoryStream Stream(std::move(Bytes));
        (void)Image.LoadFromStream(Stream);
        break;
    }
    default: {
        static const char* const Extensions[] = {".tga", ".png", ".jpg", ".bmp"};
        std::vector<uint32_t> Pixels;
        int32_t Width = 0;
        int32_t Height = 0;
        (void)DecodePictureBytes(Extensions[Data[0] % 5 - 1], Bytes, Pixels, Width, Height);
        break;
    }
    }
    return 0;
}
