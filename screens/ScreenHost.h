// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TCursor;
class TGameEngine;
class TGameTexts;
class TGfxCanvas;
class TGfxFonts;
class TGfxImages;
class TGuiBase;
class TShareScreen;
class TXParticleManager;
struct TGameState;
struct TSettings;

// The main window as the screens see it: the long-lived objects it owns and the few services
// only it can give (drawing a frame, sound, the clocks, the window itself, the shell).
class IScreenHost {
public:
    virtual ~IScreenHost() = default;

    [[nodiscard]] virtual TGameState& State() = 0;
    [[nodiscard]] virtual TSettings& Settings() = 0;
    [[nodiscard]] virtual TGuiBase& Gui() = 0;
    [[nodiscard]] virtual TGameEngine& Engine() = 0;
    [[nodiscard]] virtual TGfxCanvas& Canvas() = 0;
    [[nodiscard]] virtual TGfxImages& Images() = 0;
    [[nodiscard]] virtual TGfxFonts& Fonts() = 0;
    [[nodiscard]] virtual TXParticleManager* Particles() = 0;
    [[nodiscard]] virtual TCursor* Cursor() = 0;
    [[nodiscard]] virtual TShareScreen* Share() = 0;

    // Renders the frame (clear to black, the state's drawing list), lets the GUI process the
    // frame when WithGui, and presents it. QueueBack first puts the menu background "back"
    // at the bottom of the frame.
    virtual void RenderFrame(bool WithGui, bool QueueBack = false) = 0;

    virtual void PlaySound(const std::string& Name) = 0;
    // Music tracks 1..3.
    virtual void PlayMusic(int32_t Track) = 0;
    virtual void StopMusic(int32_t Track) = 0;
    // Sets every track's master volume to the settings' music volume.
    virtual void ApplyMusicVolume() = 0;

    [[nodiscard]] virtual int32_t GetScore() const = 0;
    virtual void SetScore(int32_t Value) = 0;

    // The one-second level clock.
    virtual void SetLevelClock(bool Enabled) = 0;
    // Asks the window to close (it decides by the screen).
    virtual void RequestClose() = 0;
    // Opens a file with the desktop's handler when it exists; an address always.
    virtual void OpenFile(const std::string& Path) = 0;
    virtual void OpenLink(const std::string& Address) = 0;
    // Saves the settings file at the end of this frame, even when nothing changed (the game
    // saves every change on its own).
    virtual void SaveSettings() = 0;

    [[nodiscard]] virtual bool FullScreen() const = 0;
    virtual void SetFullScreen(bool Value) = 0;
    // Canvas smoothing.
    virtual void SetAntialias(bool Value) = 0;

    // The address of the online score service's script, e.g. "http://host:port/cgi/version.pl".
    [[nodiscard]] virtual std::string ScoreServiceUrl() const = 0;
    // Shows the game's information box (and traces it).
    virtual void MessageBox(const std::string& Text) = 0;
    // The texts of the current language.
    [[nodiscard]] virtual const TGameTexts& Texts() const = 0;
    // The languages the game can speak (Russian first) and a switch to one of them, which shows
    // at once.
    [[nodiscard]] virtual std::vector<std::string> Languages() const = 0;
    virtual void SetLanguage(const std::string& Code) = 0;
    // Writes one automation trace event (no-op outside automation runs).
    virtual void TraceEvent(const std::string& Event, const std::string& Key, const std::string& Value) = 0;
    // The same with two fields (e.g. "http url=... status=...").
    virtual void TraceEvent2(const std::string& Event, const std::string& Key1, const std::string& Value1,
                             const std::string& Key2, const std::string& Value2) {
        (void)Event, (void)Key1, (void)Value1, (void)Key2, (void)Value2;
    }
    // Every picture and font is loaded (they load while the logo shows).
    [[nodiscard]] virtual bool DataLoaded() const = 0;
};
