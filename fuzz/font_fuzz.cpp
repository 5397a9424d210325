// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the font record reader: a font that loads must then measure and
// draw text (every character code, colour tags, every style) through the recording device.
// Bytes the record leaves unread are drawn as text as well.
#include "FuzzScreen.h"

#include "archive/Stream.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

TFuzzScreen& Screen() {
    static TFuzzScreen Made;
    return Made;
}

std::string EveryCharacter() {
    std::string Text;
    for (int C = 1; C < 256; ++C) {
        Text.push_back(static_cast<char>(C));
    }
    return Text;
}

void DrawText(TGfxFont& Font, std::string_view Text) {
    (void)Font.TextExtent(Text);
    Font.TextOut(Text, 10.0f, 20.0f, 0xFFFFFFFF, 0xFF808080, 1284);
}

void DrawSamples(TGfxFont& Font, std::string_view Rest) {
    static const std::string All = EveryCharacter();
    static const std::string_view Tagged = "#$FF00FF00&$80FFFFFF0x00000000Ab#$12&$0xZZZZZZZZ";
    for (uint8_t Style = 0; Style < 16; ++Style) {
        Font.Style = Style;
        Font.Scale = Style % 2 == 0 ? 1.0 : 2.5;
        DrawText(Font, Tagged);
    }
    Font.Style = 0;
    Font.Scale = 1.0;
    DrawText(Font, All);
    DrawText(Font, Rest);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TFuzzScreen& Fuzz = Screen();
    if (!Fuzz.Ready) {
        return 0;
    }
    TMemoryStream Stream(std::vector<uint8_t>(Data, Data + Size));
    TGfxFont Font(Fuzz.Device, &Fuzz.Fonts);
    if (!Font.LoadFromStream(Stream, aqHigh, alFull)) {
        return 0;
    }
    const size_t Used = std::min(static_cast<size_t>(Stream.Position()), Size);
    const std::string_view Rest(reinterpret_cast<const char*>(Data) + Used, Size - Used);
    Fuzz.Frame([&] { DrawSamples(Font, Rest); });
    return 0;
}
