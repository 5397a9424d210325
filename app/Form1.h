// SPDX-License-Identifier: MIT
#pragma once

#include "app/DesktopOpener.h"
#include "app/FrameLoop.h"
#include "app/GameFolders.h"
#include "app/GameLanguage.h"
#include "app/GameSound.h"
#include "app/Options.h"
#include "app/Trace.h"
#include "board/BoardHost.h"
#include "engine/Random.h"
#include "gui/GuiContext.h"
#include "platform/LineInput.h"
#include "platform/WindowInput.h"
#include "screens/GameState.h"
#include "screens/GameTexts.h"
#include "screens/Render.h"
#include "screens/ScreenHost.h"
#include "screens/Settings.h"
#include "screens/SettingsSaver.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TClock;
class TCursor;
class TGameEngine;
class TGameWindow;
class TGfxCanvas;
class TGfxDevice;
class TGfxFonts;
class TGfxImages;
class TGfxTimer;
class TGuiBase;
class TScreens;
class TDataArchives;
class TMessagePanel;
class TShareScreen;
class TTextureAtlas;
class TVirtualClock;
class TXParticleManager;
struct TCommand;

// The game's main window: owns every long-lived object, brings the game up in its fixed
// order, runs the frame loop and the level clock, routes input, plays sound and closes the
// game down. It is the screens' host and the board's host.
class TForm1 final : public IScreenHost, public IBoardHost, public IWindowListener, public IFrameClient {
public:
    explicit TForm1(const TOptions& Options);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The start-up sequence; false when the game cannot run (no graphics device).
    [[nodiscard]] bool FormCreate();
    // Runs until the window closes (or the automation ends); returns the exit code.
    int Run();
    // Runs one line of the control language, as the automation does between frames; false for
    // a malformed line. Drivers inside the process (tests) use it after FormCreate.
    bool RunControlLine(std::string_view Line);

    // IScreenHost
    TGameState& State() override { return State_; }
    TSettings& Settings() override { return Settings_; }
    TGuiBase& Gui() override { return *GuiBase; }
    TGameEngine& Engine() override { return *GameEngine; }
    TGfxCanvas& Canvas() override { return *MyCanvas; }
    TGfxImages& Images() override { return *Images_; }
    TGfxFonts& Fonts() override { return *Fonts_; }
    TXParticleManager* Particles() override { return Particles_.get(); }
    TCursor* Cursor() override { return Cursor_; }
    TShareScreen* Share() override { return Share_.get(); }
    void RenderFrame(bool WithGui, bool QueueBack) override;
    void PlaySound(const std::string& Name) override;
    void PlayMusic(int32_t Track) override;
    void StopMusic(int32_t Track) override;
    void ApplyMusicVolume() override;
    int32_t GetScore() const override;
    void SetScore(int32_t Value) override;
    void SetLevelClock(bool Enabled) override;
    void RequestClose() override { CloseRequest(); }
    void OpenFile(const std::string& Path) override;
    void OpenLink(const std::string& Address) override;
    void SaveSettings() override { Saver.Request(); }
    bool FullScreen() const override;
    void SetFullScreen(bool Value) override;
    void SetAntialias(bool Value) override;
    std::string ScoreServiceUrl() const override;
    void MessageBox(const std::string& Text) override;
    const TGameTexts& Texts() const override { return Language.Texts(); }
    std::vector<std::string> Languages() const override;
    void SetLanguage(const std::string& Code) override;
    void TraceEvent(const std::string& Event, const std::string& Key, const std::string& Value) override;
    void TraceEvent2(const std::string& Event, const std::string& Key1, const std::string& Value1,
                     const std::string& Key2, const std::string& Value2) override;
    bool DataLoaded() const override;

    // IBoardHost
    uint8_t ScreenState() const override { return State_.ScreenState; }
    TPointF PointerPosition() const override;
    void ProgressChanged(uint8_t ProgressPercent) override;
    void SetElementIndex(int32_t Index) override;

    // IWindowListener
    void MouseDown(const TMouseInput& Input) override;
    void MouseUp(const TMouseInput& Input) override;
    void MouseMove(const TMouseInput& Input) override;
    void Click() override;
    void DoubleClick() override;
    void KeyDown(uint8_t Key, uint8_t Shift) override;
    void KeyUp(uint8_t Key, uint8_t Shift) override;
    void KeyPress(char Character) override;
    void CloseRequest() override;
    void Minimized() override;
    void Hidden() override;
    void Restored() override;
    void Exposed() override;
    void FocusChanged(bool Focused) override;

    // IFrameClient
    // One logic frame: 10 ms of game time pass (the level clock may tick), then TimerTimer.
    // Draw false runs the frame's drawing list without putting anything on screen, for a
    // display slower than the game.
    void LogicFrame(bool Draw) override;
    [[nodiscard]] bool GoesOn() const override;
    [[nodiscard]] bool Asleep() const override { return Asleep_; }

    // One frame: the current screen's update, then the released keys are forgotten.
    void TimerTimer();
    // One second of the level clock.
    void Timer1Timer();
    // The render callback: the frame time, then the state's drawing list.
    void DeviceRender();

private:
    // The stage, when one is being played, goes to the pause screen.
    void PauseStage();
    // A click or a key during the logo ends it.
    void SkipLogo();
    // The start-up's steps, in the order FormCreate takes them. The ones that give a bool
    // return false when the game cannot run; the player has been told why.
    [[nodiscard]] bool OpenWindow();
    // The graphics device, the frame timer, the canvas and the stores of pictures and fonts.
    void CreateGraphics();
    void CreateGui();
    // The device comes up and opens the archives; every picture and font the game draws must be
    // listed in them. They load later, while the logo shows (LoadMoreData).
    [[nodiscard]] bool StartDevice();
    // The screens' forms and buttons, their texts in the current language, the screens' logic.
    [[nodiscard]] bool LoadScreens();
    // The settings' defaults, then the settings file over them, and the language it chose.
    void LoadSettings();
    void ReserveKeyCodes();
    // The stored full-screen and smoothing choices.
    void ApplyDisplaySettings();
    void CreateBoardEngine();
    void ChooseActiveProfile();
    // What the first picture need not wait for (the sound device and the songs' decoding, the
    // scan for game controllers) starts right after it, in the first logic frame.
    void StartAfterFirstPicture();
    // The sound device, the songs and effects, and the logo's song.
    void StartMusicAndSounds();
    void LoadParticles();
    // The seed of --seed, else one of the clock's.
    void SeedRandom();
    void CreateShareScreen();
    // The device's own start: opens the archives and queues their pictures and fonts
    // (OnInitialize).
    bool DeviceInitialize();
    // After a frame: the next records of the data, for a slice of time in a window or a fixed
    // share of bytes in a headless run (so every headless run loads at the same frames).
    void LoadMoreData();
    // Loading ends, finished or not: the loader goes, and picture copies are no longer reused.
    void EndLoader();
    // The last step of loading: the checks and the parts that need every picture and font.
    void FinishLoading();
    // Data found damaged after the logo showed: the player is told and the game ends.
    void StopOnDataFailure(const std::string& Detail);
    void FormClose();
    void FormDestroy();
    // Tells the player the game's data are incomplete (Detail names what is missing); false.
    bool FailedDataLoad(const std::string& Detail);
    // The display switches as the device and the canvas have them, into the settings.
    void SyncDisplaySettings();
    // Traces a save's outcome; the first failure of the run is also shown to the player when
    // the game goes on after it.
    void ReportSave(const TSettingsSaver::TOutcome& Outcome, bool GameGoesOn);
    void PumpLevelClock();
    void RunCommand(const TCommand& Command);
    // A headless run shown as a display of Hz with vertical sync would show it, for Milliseconds
    // of virtual real time, and the trace line that says how it went.
    void SimulateDisplay(int32_t Hz, int32_t Milliseconds);
    // Reads Code's catalogue and shows the screens' texts and the pictures with words in it.
    void UseLanguage(const std::string& Code);
    void TraceStats();
    void Quit() { Running = false; }
    // Takes the next control line, if any, and runs it; false when the control input ended.
    bool RunNextControlLine();
    // A quit signal: the settings are saved and the game ends at once, without the exit question
    // and the share screen (a player who logs out is not kept waiting). Nothing is torn down: the
    // program's owner ends the process right after Run returns, and the system takes back the
    // window, the sound device and the memory.
    void EndOnSignal(int Number);

    TOptions Options;
    TGameFolders Folders;
    TTrace Trace;
    TDesktopOpener Opener;
    std::unique_ptr<TClock> Clock;
    TVirtualClock* VirtualClock = nullptr;
    std::unique_ptr<TFrameLoop> Loop;
    std::unique_ptr<TGameWindow> Window;
    std::unique_ptr<TGfxDevice> Device;
    std::unique_ptr<TGfxTimer> Timer;
    std::unique_ptr<TGfxCanvas> MyCanvas;
    // Declared before the images and fonts that lie on its pages, so it goes after them.
    std::unique_ptr<TTextureAtlas> Atlas_;
    std::unique_ptr<TGfxImages> Images_;
    std::unique_ptr<TGfxFonts> Fonts_;
    std::unique_ptr<TGuiBase> GuiBase;
    // The archives and the pictures and fonts still to load; the loading holds places of the
    // image list, so it is declared after it and goes first.
    std::unique_ptr<TDataArchives> Data_;
    bool DataFailed = false;
    int ExitCode = 0;
    TGameSound Sound;
    bool FirstFrameDone = false;
    TRandom Random;
    std::unique_ptr<TGameEngine> GameEngine;
    std::unique_ptr<TXParticleManager> Particles_;
    std::unique_ptr<TShareScreen> Share_;
    std::unique_ptr<TScreens> Screens;
    // Its record of the screens' own texts points into GuiBase.
    TGameLanguage Language;
    // The game's own message box, once the screens are loaded.
    std::unique_ptr<TMessagePanel> Message_;
    // Whether the last frame drew the forms: only then can the game's box be seen.
    bool GuiDrawn = false;
    TCursor* Cursor_ = nullptr;
    TScreenPainter Painter;

    TGameState State_;
    TSettings Settings_;
    TSettingsSaver Saver;
    bool SaveFailureShown = false;
    TGuiCharSet TypeableChars;
    TGuiCharSet EditKeys;
    std::string EncodedScore;
    // The key of a full-screen shortcut (F11, Alt+Enter) while it is held: the game sees
    // neither its repeats nor its release nor the Enter it would type.
    uint8_t ShortcutKey = 0;
    // Keys whose press moved or used the GUI's keyboard focus: their release is not the screen's.
    std::array<uint8_t, 256> FocusKeys{};
    TPointF Pointer{400.0f, 300.0f};

    // Game time in milliseconds: 10 per logic frame, whatever the display does. The frame
    // time and the level clock count it, so a stall or a slow display costs the player nothing.
    uint32_t GameTime = 0;
    uint32_t LastTick = 0;
    bool LevelClockOn = false;
    uint32_t NextSecond = 0;
    bool DrawThisFrame = true;
    bool Running = true;
    bool Closing = false;
    // The window is minimised or hidden: no frames until it is restored.
    bool Asleep_ = false;
    int64_t FrameNumber = 0;
    // The longest wall time one logic frame or one control command took on this thread since
    // the last `stats` command, in microseconds: what the player would see as a freeze.
    int64_t SlowestStepMicros = 0;
    // The heap allocations the logic frames (their update and drawing) made since the last
    // `stats` command.
    int64_t FrameAllocations = 0;
    TLineInput Control;
    // In a window the picture on show cannot always be read back, so a screenshot waits for the
    // next frame and is taken before that frame is presented.
    std::string PendingScreenshot;
};
