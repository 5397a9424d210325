// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiFill.h"
#include "platform/Types.h"

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>

class TGfxCanvas;
class TGfxDevice;
class TGfxFont;
class TGfxFonts;
class TGfxImage;
class TGfxImages;

// Sets of 8-bit codes, one bit per code.
using TGuiCharSet = std::bitset<256>;

// The objects every control draws and reads through without holding a reference of its own:
// the canvas, the image list, the font list, the device (for its scale factors), the main
// window's key sets and the clipboard. There is one current context at a time: the GUI root
// (TGuiBase) makes its own context current while it lives; without a root, a built-in empty
// context is current (nothing is drawn, fonts do not resolve, the key sets hold the defaults).
class TGuiContext {
public:
    TGuiContext();
    ~TGuiContext();
    TGuiContext(const TGuiContext&) = delete;
    TGuiContext& operator=(const TGuiContext&) = delete;

    [[nodiscard]] static TGuiContext& Current();
    // Makes Context current; nullptr goes back to the built-in empty context.
    static void MakeCurrent(TGuiContext* Context);

    // The default typeable characters: apostrophe, asterisk to nine, semicolon, equals sign,
    // the capital letters with the three characters after them, and the back quote.
    [[nodiscard]] static const TGuiCharSet& DefaultTypeableChars();
    // The default edit keys: Tab, Shift, Ctrl, Space, Page Up/Down, End, Home, the arrows,
    // Insert and Delete.
    [[nodiscard]] static const TGuiCharSet& DefaultEditKeys();

    TGfxCanvas* Canvas = nullptr;
    TGfxImages* Images = nullptr;
    TGfxFonts* Fonts = nullptr;
    TGfxDevice* Device = nullptr;
    // The main window's sets, read and changed by key boxes. They point at this context's own
    // copies of the defaults until the application points them at its own.
    TGuiCharSet* TypeableChars = nullptr;
    TGuiCharSet* EditKeys = nullptr;
    // The platform's plain-text clipboard in the game's code page; unset means empty.
    std::function<std::string()> ClipboardText;

    // Image of the current list at Position, or nullptr.
    [[nodiscard]] TGfxImage* Image(int64_t Position) const;

    // Drawing helpers; all do nothing without a canvas.
    void FillRect(const TRect& Rect, const uint32_t (&Colors)[4], uint32_t Effect) const;
    void FillRect(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const;
    void FillRect(const TRect& Rect, uint32_t Color, uint32_t Effect) const;
    // The rectangle's four edges with the corner colours.
    void Outline(const TRect& Rect, const uint32_t (&Colors)[4], uint32_t Effect) const;
    void Outline(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const;
    void Outline(const TRect& Rect, uint32_t Color, uint32_t Effect) const;
    // The fill's corners in reverse order: a bevel.
    void OutlineReversed(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const;
    void Line(TPointF A, TPointF B, uint32_t Color, uint32_t Effect) const;
    void Triangle(TPointF A, TPointF B, TPointF C, uint32_t Color, uint32_t Effect) const;
    void Circle(TPointF Centre, float Radius, uint32_t Color, uint32_t Effect) const;
    void FillCircle(TPointF Centre, float Radius, uint32_t Color, uint32_t Effect) const;
    void GradientCircle(TPointF Centre, float Radius, const uint32_t (&Colors)[4], uint32_t Effect) const;
    // A pattern of an image stretched over Rect with the four corner colours.
    void StretchImage(TGfxImage& Image, int32_t Pattern, const TRect& Rect, const uint32_t (&Colors)[4],
                      uint32_t Effect) const;
    // A pattern at its pattern size with its top-left corner at (X, Y), white, alpha-blended.
    void DrawImage(TGfxImage& Image, int32_t Pattern, int32_t X, int32_t Y) const;
    [[nodiscard]] TRect GetClipRect() const;
    void SetClipRect(const TRect& Rect) const;

private:
    TGuiCharSet OwnTypeableChars;
    TGuiCharSet OwnEditKeys;
};
