// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiContext.h"
#include "gui/GuiTaskbar.h"

#include <memory>
#include <string>
#include <string_view>

// The root of the GUI: owns the root container of all screens and the context every control
// draws through, and takes the main window's events after the window's own handlers have
// run (the application calls the On... entry points in that order). Only one may exist at a
// time: its context is the current one while it lives.
class TGuiBase {
public:
    TGuiBase();
    ~TGuiBase();
    TGuiBase(const TGuiBase&) = delete;
    TGuiBase& operator=(const TGuiBase&) = delete;

    // The links; each setter also makes the object current for every control.
    void SetCanvas(TGfxCanvas* Value) { Context_.Canvas = Value; }
    void SetImages(TGfxImages* Value) { Context_.Images = Value; }
    void SetFonts(TGfxFonts* Value) { Context_.Fonts = Value; }
    // The device whose scale factors turn window pixels into GUI points.
    void SetDevice(TGfxDevice* Value) { Context_.Device = Value; }
    [[nodiscard]] TGfxCanvas* Canvas() const { return Context_.Canvas; }
    [[nodiscard]] TGfxImages* Images() const { return Context_.Images; }
    [[nodiscard]] TGfxFonts* Fonts() const { return Context_.Fonts; }
    [[nodiscard]] TGfxDevice* Device() const { return Context_.Device; }
    // The context: key sets, clipboard and the links above.
    [[nodiscard]] TGuiContext& Context() { return Context_; }

    [[nodiscard]] TGuiTaskbar& Root() { return *Root_; }
    [[nodiscard]] bool LoadFromFile(const std::string& FileName) { return Root_->LoadFromFile(FileName); }
    [[nodiscard]] TGuiControl* FindControl(std::string_view Name) { return Root_->FindControl(Name); }
    // Once per frame: DoUpdate on every control, hidden ones included.
    void Update() { Root_->UpdateTree(); }
    // Draws the whole GUI over the 800x600 screen and leaves the canvas clip as it was.
    void Render();

    // Window mouse events in pixels of the drawing area (the window's client area without any
    // full-screen bars), as the platform's mouse input reports them; buttons 0 left, 1 right,
    // 2 middle, anything else none.
    void OnMouseDown(uint8_t Button, TGuiShift Shift, int32_t X, int32_t Y);
    void OnMouseUp(uint8_t Button, TGuiShift Shift, int32_t X, int32_t Y);
    void OnMouseMove(TGuiShift Shift, int32_t X, int32_t Y);
    void OnClick() { Root_->WindowClick(); }
    void OnDblClick() { Root_->WindowDblClick(); }
    // True when the key moved or used the keyboard focus.
    bool OnKeyDown(uint16_t Key, TGuiShift Shift) { return Root_->WindowKeyDown(Key, Shift); }
    void OnKeyUp(uint16_t Key, TGuiShift Shift) { Root_->WindowKeyUp(Key, Shift); }
    void OnKeyPress(uint8_t Char) { Root_->WindowKeyPress(Char); }

    // Window pixels to GUI points: divided by the device's scale, halves rounded to even.
    [[nodiscard]] TPoint ToGuiPoint(int32_t X, int32_t Y) const;

private:
    TGuiContext Context_;
    std::unique_ptr<TGuiTaskbar> Root_;
};
