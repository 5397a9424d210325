// SPDX-License-Identifier: MIT
#include "app/Form1.h"

#include "app/Automation.h"
#include "app/ControlReports.h"
#include "app/DataArchives.h"
#include "app/DesktopOpener.h"
#include "app/GameLanguage.h"
#include "app/GameSound.h"
#include "app/InputCommands.h"
#include "app/ScoreService.h"
#include "archive/Archive.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "engine/TextureAtlas.h"
#include "engine/Timer.h"
#include "gui/GuiBase.h"
#include "gui/GuiControl.h"
#include "particles/ParticleManager.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/QuitSignals.h"
#include "platform/GameWindow.h"
#include "platform/KeyMap.h"
#include "platform/Memory.h"
#include "platform/Screenshot.h"
#include "platform/Text.h"
#include "scene/Decor.h"
#include "scene/Faces.h"
#include "screens/GameData.h"
#include "screens/KeyReservation.h"
#include "screens/MessagePanel.h"
#include "screens/LineCode.h"
#include "screens/Render.h"
#include "screens/Screens.h"
#include "share/ShareScreen.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {
const char* const kCaption = "\xCA\xE0\xEF\xE8\xF2\xE0\xED \xC7\xE8\xE1\xEE"; // "Капитан Зибо"

// Raises Slowest to the wall time of its own life, in microseconds.
class TStepTimer {
public:
    explicit TStepTimer(int64_t& Slowest) : Slowest(Slowest), Start(std::chrono::steady_clock::now()) {}
    ~TStepTimer() {
        const auto took = std::chrono::steady_clock::now() - Start;
        Slowest = std::max<int64_t>(Slowest, std::chrono::duration_cast<std::chrono::microseconds>(took).count());
    }
    TStepTimer(const TStepTimer&) = delete;
    TStepTimer& operator=(const TStepTimer&) = delete;

private:
    int64_t& Slowest;
    const std::chrono::steady_clock::time_point Start;
};

// Adds the heap allocations this thread makes during its own life to Total.
class TAllocationTally {
public:
    explicit TAllocationTally(int64_t& Total) : Total(Total), Start(AllocationsOnThisThread()) {}
    ~TAllocationTally() { Total += AllocationsOnThisThread() - Start; }
    TAllocationTally(const TAllocationTally&) = delete;
    TAllocationTally& operator=(const TAllocationTally&) = delete;

private:
    int64_t& Total;
    const int64_t Start;
};
} // namespace

TForm1::TForm1(const TOptions& Opts)
    : Options(Opts), Folders(ResolveGameFolders(Opts)), Opener(Folders, Options.Headless, Trace),
      Language(Folders.Data.string()), Saver(Folders.ConfigToWrite().string()) {
    // Before the window and the sound start their threads, as the sanitizer's hook wants.
    CountAllocations();
    // The user folder is made on the first save, private to the player.
    Saver.PrepareFolder = [this] {
        std::string why;
        return MakePrivateFolder(Folders.User.string(), why) ? 0 : (errno != 0 ? errno : EIO);
    };
    if (!Options.TraceFile.empty() && !Trace.Open(Options.TraceFile)) {
        std::fprintf(stderr, "cannot write the trace %s\n", Options.TraceFile.c_str());
    }
    if (Options.Headless) {
        auto virtualClock = std::make_unique<TVirtualClock>();
        VirtualClock = virtualClock.get();
        Clock = std::move(virtualClock);
    } else {
        Clock = CreateRealClock();
    }
    Loop = std::make_unique<TFrameLoop>(*this, *Clock);
}

TForm1::~TForm1() {
    // The device goes after the data archives it would otherwise tell to stop loading.
    if (Device) {
        Device->OnFinalize = nullptr;
    }
}

bool TForm1::FormCreate() {
    // The language comes first: every box the start-up may show speaks it.
    UseLanguage(Language.StartLanguage(Options.Language));
    if (!OpenWindow()) {
        return false;
    }
    CreateGraphics();
    Data_ = std::make_unique<TDataArchives>(Folders);
    CreateGui();
    if (!StartDevice() || !LoadScreens()) {
        return false;
    }
    // 4. Sound comes after the first picture (StartAfterFirstPicture).
    LoadSettings();
    // 10. A reserved key cannot be typed into an edit box.
    ReserveKeyCodes();
    ApplyDisplaySettings();
    CreateBoardEngine();
    ChooseActiveProfile();
    // 17. The logo, its pictures loaded ahead of the rest (in the language now chosen); the
    // rest of the data loads between its frames, and the particles and the share screen,
    // which need it, come at the end of loading.
    if (!Data_->LoadLogoPictures()) {
        return FailedDataLoad(Data_->Failure());
    }
    Screens->ScreenEnter(ssLogo);
    // 18. The game draws its own cursor.
    Window->HideSystemPointer();
    // 20. The cursor sprite.
    Cursor_ = &GameEngine->Add<TCursor>(*this);
    SeedRandom();
    LastTick = 0;
    return true;
}

bool TForm1::OpenWindow() {
    // A window on no display would run unseen and could never be closed. With no display there
    // is no box either: the line on stderr is the message.
    std::optional<TDisplayCheck> display;
    if (!Options.Headless) {
        display.emplace();
        if (!display->Problem().empty()) {
            std::fprintf(stderr, "zibo: %s\n", display->Problem().c_str());
            return false;
        }
    }
    std::string problem;
    Window = TGameWindow::Create(kCaption, Options.Headless, &problem, Options.Renderer != TRenderer::None);
    if (!Window) {
        std::fprintf(stderr, "zibo: %s\n", problem.c_str());
        ShowMessageBox(kCaption, Texts().Tr("Не удалось запустить графику!") + "\n" + Utf8ToCp1251(problem));
        return false;
    }
    if (const std::filesystem::path icon = Folders.IconFile(); !icon.empty()) {
        Window->SetIcon(icon.string());
    }
    Window->Input().SetListener(this);
    return true;
}

void TForm1::CreateGraphics() {
    Device = std::make_unique<TGfxDevice>(
        [this](const TDisplaySettings& Display) {
            return Window->CreateBackend(Display, Options.Renderer == TRenderer::None);
        });
    Device->SetVSync(!Options.Headless);
    Device->SetRepaintOnlyChanges(Options.RepaintOnlyChanges);
    Device->SetRedrawOnlyDamage(Options.RedrawOnlyDamage);
    // The back buffer is the window as it opened (a whole multiple of the screen).
    Device->SetWidth(Window->ClientSize().X);
    Device->SetHeight(Window->ClientSize().Y);
    Device->OnRender = [this] { DeviceRender(); };
    Device->OnInitialize = [this] { return DeviceInitialize(); };
    // The pictures still to load go with the device's.
    Device->OnFinalize = [this] { Data_->EndLoading(); };
    Timer = std::make_unique<TGfxTimer>(*Clock);
    Timer->SetMaxFPS(100);
    Timer->OnTimer = [this](TGfxTimer&) { TimerTimer(); };
    MyCanvas = std::make_unique<TGfxCanvas>(*Device);
    MyCanvas->SetAlphaTesting(false);
    MyCanvas->SetVertexCache(4096);
    MyCanvas->SetAntialias(false);
    MyCanvas->SetDithering(true);
    Images_ = std::make_unique<TGfxImages>(*Device);
    Images_->ShowVariant(Texts().Language());
    Images_->MipMapping = false;
    Fonts_ = std::make_unique<TGfxFonts>(*Device);
    if (Options.Atlas) {
        Atlas_ = std::make_unique<TTextureAtlas>(*Device);
        Images_->SetAtlas(Atlas_.get());
        Fonts_->SetAtlas(Atlas_.get());
    }
    Fonts_->SetCanvas(MyCanvas.get());
}

void TForm1::CreateGui() {
    GuiBase = std::make_unique<TGuiBase>();
    GuiBase->SetDevice(Device.get());
    GuiBase->SetCanvas(MyCanvas.get());
    GuiBase->SetImages(Images_.get());
    GuiBase->SetFonts(Fonts_.get());
    GuiBase->Context().ClipboardText = [] { return ClipboardText(); };
    GuiBase->Root().OnKeyFocus = [this](TGuiControl& Control) { TraceEvent("focus", "control", Control.Name); };
}

bool TForm1::StartDevice() {
    // 1. The device, which opens the archives as it comes up.
    if (!Device->Initialize()) {
        const std::string& why = Window->BackendProblem();
        std::fprintf(stderr, "Failed to initialize device!\n%s\n", why.c_str());
        MessageBox(Texts().Tr("Не удалось запустить графику!") + (why.empty() ? std::string() : "\n" + Utf8ToCp1251(why)));
        return false;
    }
    // Without its pictures and fonts the game has no frame loop: a window that shows nothing and
    // cannot be closed. Say so and end instead.
    if (!Timer->Enabled) {
        return FailedDataLoad(Data_->Failure());
    }
    // An archive that opened but lacks a picture or font the game draws would give a black
    // board or invisible pieces: its directory says so before anything is drawn.
    if (const std::string missing = Data_->UnlistedRecord(); !missing.empty()) {
        return FailedDataLoad(missing);
    }
    return true;
}

bool TForm1::DataLoaded() const { return !(Data_ && Data_->Loading()) && !DataFailed; }

void TForm1::LoadMoreData() {
    if (!Data_ || !Data_->Loading() || DataFailed) {
        return;
    }
    switch (Data_->LoadMore(VirtualClock != nullptr)) {
    case TDataArchives::TProgress::Failed:
        StopOnDataFailure(Data_->Failure());
        break;
    case TDataArchives::TProgress::Done:
        FinishLoading();
        break;
    case TDataArchives::TProgress::Loading:
        break;
    }
}

void TForm1::EndLoader() {
    Data_->EndLoading();
    Device->SetReusePixelBuffers(false);
}

void TForm1::FinishLoading() {
    EndLoader();
    // A picture listed but with nothing to draw, or a font that did not come.
    if (const std::string missing = MissingRecord(*Images_, *Fonts_); !missing.empty()) {
        StopOnDataFailure(missing);
        return;
    }
    {
        // Both archives are read once more, each with one open and one directory read.
        const TArchiveLoading data(Data_->Data());
        const TArchiveLoading gameData(Data_->GameData());
        // 19. Particles.
        LoadParticles();
    }
    CreateShareScreen();
    // Loading freed its decoded records and page copies; the game keeps running without them.
    ReturnFreeHeap();
    Trace.RawEvent("loaded");
}

void TForm1::StopOnDataFailure(const std::string& Detail) {
    EndLoader();
    DataFailed = true;
    FailedDataLoad(Detail);
    ExitCode = 1;
    Running = false;
}

bool TForm1::LoadScreens() {
    // 2-3. The screens and their buttons. A screen without its form, edit box or buttons would
    // leave the player stuck.
    const std::string screens = Folders.InData(ScreensFile).string();
    if (!GuiBase->LoadFromFile(screens)) {
        std::fprintf(stderr, "the screens could not be read completely from %s\n", screens.c_str());
    }
    if (const std::string missing = MissingControl(*GuiBase); !missing.empty()) {
        return FailedDataLoad(missing);
    }
    Language.TranslateScreens(GuiBase->Root());
    Screens = std::make_unique<TScreens>(*this);
    Screens->RegisterAll();
    Message_ = std::make_unique<TMessagePanel>(*GuiBase);
    Message_->OnClose = [this] { Trace.RawEvent("messagebox closed"); };
    return true;
}

void TForm1::LoadSettings() {
    // 5-9. Key sets, defaults, high scores, reserved keys, then the settings file.
    TypeableChars = TGuiContext::DefaultTypeableChars();
    EditKeys = TGuiContext::DefaultEditKeys();
    GuiBase->Context().TypeableChars = &TypeableChars;
    GuiBase->Context().EditKeys = &EditKeys;
    Settings_ = TSettings{};
    SetScore(0);
    ResetHighScores(Settings_);
    LoadConfig(Folders.ConfigToRead().string(), Settings_);
    // The player's choice in Options wins over the desktop's language; --lang over both.
    if (Options.Language.empty() && !Settings_.Language.empty() && Settings_.Language != Texts().Language()) {
        SetLanguage(Settings_.Language);
    }
}

void TForm1::ApplyDisplaySettings() {
    // 11-13. The window opened centred; the stored full-screen choice applies at once, and
    // the smoothing. (The cursor's tip sits on the pointer in every mode: see TCursor.)
    if (Settings_.FullScreen) {
        SetFullScreen(true);
    }
    MyCanvas->SetAntialias(Settings_.Antialias);
}

void TForm1::CreateBoardEngine() {
    // 14. The board engine.
    GameEngine = std::make_unique<TGameEngine>(*this, Random);
    GameEngine->SetImages(Images_.get());
    GameEngine->SetCanvas(MyCanvas.get());
    GameEngine->SetFonts(Fonts_.get());
}

void TForm1::ChooseActiveProfile() {
    // 15. The active profile.
    Settings_.PlayerName = Settings_.PlayerCount > 0 ? Settings_.Players[static_cast<size_t>(Settings_.CurrentPlayer)] : "";
    // What was read is what the file holds: the first save comes with the first change.
    Saver.Adopt(Settings_);
}

void TForm1::SeedRandom() {
    // 21. The random generator.
    Random.SetSeed(Options.Seed ? *Options.Seed
                                : static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void TForm1::CreateShareScreen() {
    // 22. The share screen.
    Share_ = std::make_unique<TShareScreen>(*Device, *Fonts_);
    Share_->OnOpenFile = [this](const std::string& Path) { OpenFile(Path); };
    Share_->OnClose = [this] { CloseRequest(); };
    Share_->SetFolder(Folders.Data.string());
    Share_->SetLanguage(Texts().Language());
    Share_->LoadShareSettings();
}

bool TForm1::FailedDataLoad(const std::string& Detail) {
    std::fprintf(stderr, "Failed to load game data!\n%s\n", Detail.c_str());
    MessageBox(Texts().Tr("Не удалось загрузить данные игры!") + "\n" + Utf8ToCp1251(Detail));
    return false;
}

bool TForm1::DeviceInitialize() {
    // The pictures take their places in the image list now and load later; the first archive
    // that cannot be read is the one named.
    Device->SetReusePixelBuffers(true);
    Timer->Enabled = Data_->Queue(*Images_, *Fonts_, Atlas_.get());
    return true;
}

void TForm1::ReserveKeyCodes() { ::ReserveKeyCodes(Settings_.KeyCodes, TypeableChars, EditKeys); }

void TForm1::StartAfterFirstPicture() {
    // 16. Music and effects, and the game controllers.
    StartMusicAndSounds();
    if (Window) {
        Window->ListenToPads();
    }
}

void TForm1::StartMusicAndSounds() {
    Sound.Start();
    Sound.Load(Folders, Settings_.MusicVolume);
    PlayMusic(1);
}

void TForm1::LoadParticles() {
    Particles_ = std::make_unique<TXParticleManager>(MyCanvas.get(), Images_->Find("particles"), &Random);
    Particles_->LoadAll(Data_->Data());
    Particles_->LoadAll(Data_->GameData());
    GameEngine->SetParticles(Particles_.get());
}

int32_t TForm1::GetScore() const {
    const std::string text = StripPercent(DecodeLine(EncodedScore));
    int32_t value = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
        }
    }
    return text.starts_with('-') ? -value : value;
}

void TForm1::SetScore(int32_t Value) {
    const bool changed = EncodedScore.empty() || GetScore() != Value;
    EncodeLineInto(PadPercent(std::to_string(Value), 10), EncodedScore);
    if (changed) {
        TraceEvent("score", "value", std::to_string(Value));
    }
}

void TForm1::PlaySound(const std::string& Name) {
    if (Trace.IsOpen()) {
        Trace.Event("sound", {{"name", Name}, {"volume", std::to_string(Settings_.SoundVolume)}});
    }
    Sound.PlayEffect(Name, Settings_.SoundVolume);
}

void TForm1::PlayMusic(int32_t Track) {
    if (TGameSound::IsTrack(Track)) {
        TraceEvent("music", "play", std::to_string(Track));
        Sound.PlaySong(Track);
    }
}

void TForm1::StopMusic(int32_t Track) {
    if (TGameSound::IsTrack(Track)) {
        TraceEvent("music", "stop", std::to_string(Track));
        Sound.StopSong(Track);
    }
}

void TForm1::ApplyMusicVolume() { Sound.SetMusicVolume(Settings_.MusicVolume); }

void TForm1::SetLevelClock(bool Enabled) {
    if (Enabled && !LevelClockOn) {
        NextSecond = GameTime + 1000;
    }
    LevelClockOn = Enabled;
}

void TForm1::PumpLevelClock() {
    // Seconds that passed while the clock runs, each one a tick.
    while (LevelClockOn && static_cast<int32_t>(GameTime - NextSecond) >= 0) {
        NextSecond += 1000;
        Timer1Timer();
    }
}

void TForm1::Timer1Timer() {
    if (State_.ScreenState == ssPlaying) {
        TLevelRecord& level = GameEngine->Level();
        if (level.TimeLeft > 0) {
            const uint32_t t = --level.TimeLeft;
            if (t == 3) {
                Screens->HideForm("scr_LevelMix");
            }
            if (t <= 10) {
                PlaySound("timeending");
                if (TGfxFont* font = Fonts_->Find("VerdanaIB[Aa]16_time")) {
                    font->Scale = t % 2 == 0 ? 1.2 : 1.0;
                }
            }
        } else {
            SetLevelClock(false);
            GameEngine->TimeUp = true;
        }
    } else if (State_.ScreenState == ssShare && Share_ && Share_->Countdown > 0) {
        --Share_->Countdown;
    }
}

void TForm1::LogicFrame(bool Draw) {
    const TStepTimer timer(SlowestStepMicros);
    const TAllocationTally tally(FrameAllocations);
    GameTime += 10;
    if (Window) {
        Window->Pad().Tick();
    }
    Sound.CheckOutput();
    PumpLevelClock();
    if (Timer->Enabled) {
        DrawThisFrame = Draw;
        TimerTimer();
        DrawThisFrame = true;
    }
    if (!FirstFrameDone) {
        FirstFrameDone = true;
        StartAfterFirstPicture();
    }
    LoadMoreData();
}

bool TForm1::GoesOn() const { return Running && !Closing && QuitSignal() == 0; }

void TForm1::TimerTimer() {
    ++FrameNumber;
    Trace.SetFrame(FrameNumber);
    Screens->PollScoreSubmission();
    Screens->ScreenUpdate(State_.ScreenState);
    State_.KeyReleased.fill(0);
    if (Message_) {
        Message_->KeepInFront();
    }
    // On the board the arrows will move the board cursor; everywhere else they move the focus.
    GuiBase->Root().KeyNavigation = State_.ScreenState != ssPlaying;
    // Whatever the frame changed (a profile, a score in a table, an option) reaches the disk
    // now, so a crash or a kill loses nothing.
    SyncDisplaySettings();
    ReportSave(Saver.SaveIfChanged(Settings_), true);
}

void TForm1::RenderFrame(bool WithGui, bool QueueBack) {
    GuiDrawn = WithGui;
    if (!DrawThisFrame) {
        // Everything the drawing list moves and counts happens; nothing reaches the screen.
        MyCanvas->SetDiscarding(true);
        DeviceRender();
        MyCanvas->SetDiscarding(false);
        if (WithGui) {
            GuiBase->Update();
        }
        return;
    }
    if (QueueBack) {
        if (TGfxImage* back = Images_->Find("back")) {
            MyCanvas->Draw(*back, 0, 0, 0, fxBlend);
        }
    }
    Device->Render(0, true);
    if (WithGui) {
        GuiBase->Update();
    }
    if (!PendingScreenshot.empty() && Device->Backend()) {
        if (!SaveScreenshot(*Device->Backend(), PendingScreenshot)) {
            std::fprintf(stderr, "cannot write the screenshot %s\n", PendingScreenshot.c_str());
        }
        PendingScreenshot.clear();
    }
    Device->Flip();
    if (VirtualClock) {
        VirtualClock->AdvanceToRetrace(Loop->RetraceHz());
    }
}

void TForm1::DeviceRender() {
    float dt = 0.0f;
    const uint32_t now = GameTime;
    if (LastTick != 0) {
        dt = std::min(static_cast<float>(now - LastTick) * 0.001f, 0.001f);
    }
    LastTick = now;
    Painter.Draw(*this, dt);
}

TPointF TForm1::PointerPosition() const { return Pointer; }

void TForm1::ProgressChanged(uint8_t ProgressPercent) {
    if (IsLive(*GameEngine, State_.Zibo)) {
        State_.Zibo->React(ProgressPercent);
    }
    if (IsLive(*GameEngine, State_.Monster)) {
        State_.Monster->React(ProgressPercent);
    }
}

void TForm1::SetElementIndex(int32_t Index) {
    if (IsLive(*GameEngine, State_.StageElement)) {
        State_.StageElement->SetElementIndex(Index);
    }
}

void TForm1::MouseDown(const TMouseInput& Input) {
    Pointer = Input.Exact;
    if (Cursor_) {
        Cursor_->SetPatternIndex(1);
    }
    SkipLogo();
    if (Message_ && Message_->HoldsPointer(Input.Position)) {
        return;
    }
    GuiBase->OnMouseDown(Input.Button, Input.Shift, Input.Position.X, Input.Position.Y);
}

void TForm1::SkipLogo() {
    if (State_.ScreenState == ssLogo) {
        State_.LogoSkipped = true;
    }
}

void TForm1::MouseUp(const TMouseInput& Input) {
    Pointer = Input.Exact;
    if (Cursor_) {
        Cursor_->SetPatternIndex(0);
    }
    if (Message_ && Message_->HoldsPointer(Input.Position)) {
        return;
    }
    if (State_.ScreenState == ssShare && Share_ && Share_->ClickGuard == 0) {
        Share_->Click(Input.Logical);
    }
    if (State_.ScreenState == ssPlaying) {
        GameEngine->ClickBoard();
    }
    GuiBase->OnMouseUp(Input.Button, Input.Shift, Input.Position.X, Input.Position.Y);
}

void TForm1::MouseMove(const TMouseInput& Input) {
    Pointer = Input.Exact;
    GuiBase->OnMouseMove(Input.Shift, Input.Position.X, Input.Position.Y);
}

void TForm1::Click() { GuiBase->OnClick(); }

void TForm1::DoubleClick() { GuiBase->OnDblClick(); }

void TForm1::KeyDown(uint8_t Key, uint8_t Shift) {
    // F11 and Alt+Enter switch full screen anywhere in the game, as the graphics switch does.
    if (Key == ShortcutKey) {
        return; // held down: a repeat
    }
    if (Key == vk::F11 || (Key == vk::Return && (Shift & ss::Alt) != 0)) {
        ShortcutKey = Key;
        SetFullScreen(!FullScreen());
        return;
    }
    SkipLogo();
    if (Message_ && Message_->Key(Key)) {
        FocusKeys[Key] = 1; // the release belongs to the box too
        return;
    }
    if (GuiBase->OnKeyDown(Key, Shift)) {
        FocusKeys[Key] = 1; // the release belongs to the focus, not to the screen
    }
}

void TForm1::KeyUp(uint8_t Key, uint8_t Shift) {
    if (Key == ShortcutKey) {
        ShortcutKey = 0;
        return;
    }
    if (FocusKeys[Key] != 0) {
        FocusKeys[Key] = 0;
    } else {
        State_.KeyReleased[Key] = 1;
    }
    GuiBase->OnKeyUp(Key, Shift);
}

void TForm1::KeyPress(char Character) {
    if (ShortcutKey == vk::Return && Character == '\r') {
        return; // the Enter of Alt+Enter confirms nothing
    }
    if (Message_ && Message_->HoldsCharacter()) {
        return;
    }
    GuiBase->OnKeyPress(static_cast<uint8_t>(Character));
}

void TForm1::CloseRequest() {
    const uint8_t s = State_.ScreenState;
    const bool menu = (s >= ssMainMenu && s <= ssExitGame && s != 5) || s == ssChooseDifficulty ||
                      s == ssChangePlayer || s == ssDeletePlayer || s == ssSound || s == ssGraphics;
    if (s == ssExitGame) {
        return; // the exit confirmation is already open
    }
    if (menu) {
        Screens->ScreenLeave(s);
        Screens->ScreenEnter(ssExitGame);
    } else if (s == ssPlaying) {
        Screens->ScreenEnter(ssExitToMenu);
    } else if (s == ssPause) {
        Screens->ScreenLeave(ssPause);
        Screens->ScreenEnter(ssExitToMenu);
    } else if (s == ssShare) {
        if (!Share_ || Share_->Countdown <= 0) {
            Closing = true;
        }
    }
}

void TForm1::PauseStage() {
    if (State_.ScreenState == ssPlaying) {
        Screens->ScreenEnter(ssPause);
    }
}

// Nobody sees a minimised or hidden window: the stage pauses and the frame loop sleeps on the
// window's events until it is back.
void TForm1::Minimized() {
    PauseStage();
    Asleep_ = true;
}

void TForm1::Hidden() { Minimized(); }

void TForm1::Restored() {
    Asleep_ = false;
    Device->Repaint();
}

void TForm1::Exposed() { Device->Repaint(); }

// Alt+Tab away from a stage pauses it as minimising does; coming back leaves the pause screen
// to the player.
void TForm1::FocusChanged(bool Focused) {
    TraceEvent("focus", "window", Focused ? "in" : "out");
    if (!Focused) {
        PauseStage();
    }
}

void TForm1::OpenFile(const std::string& Path) { Opener.OpenFile(Path); }

void TForm1::OpenLink(const std::string& Address) { Opener.OpenLink(Address); }

void TForm1::SyncDisplaySettings() {
    Settings_.FullScreen = !Device->Windowed();
    Settings_.Antialias = MyCanvas->Antialias();
}

void TForm1::ReportSave(const TSettingsSaver::TOutcome& Outcome, bool GameGoesOn) {
    if (!Outcome.Attempted) {
        return;
    }
    if (Outcome.Saved) {
        Trace.RawEvent("config saved");
        return;
    }
    Trace.Event("config failed", {{"reason", std::strerror(Outcome.Error)}});
    std::fprintf(stderr, "cannot write %s: %s\n", Saver.FileName().c_str(), std::strerror(Outcome.Error));
    // Once a run is enough: the player knows, and every later failure is only traced.
    if (GameGoesOn && !SaveFailureShown) {
        SaveFailureShown = true;
        MessageBox(Utf8ToCp1251(SaveFailedMessage(Texts(), Saver.FileName(), Outcome.Error)));
    }
}

bool TForm1::FullScreen() const { return Device && !Device->Windowed(); }

void TForm1::SetFullScreen(bool Value) {
    Device->SetWindowed(!Value);
    if (!Value) {
        Window->Centre();
    }
    Settings_.FullScreen = !Device->Windowed();
}

void TForm1::SetAntialias(bool Value) {
    MyCanvas->SetAntialias(Value);
    Settings_.Antialias = Value;
}

std::string TForm1::ScoreServiceUrl() const {
    return ::ScoreServiceUrl(Options.ScoreServer, Folders.PlayerFile("scoreserver.txt"));
}

void TForm1::MessageBox(const std::string& Text) {
    // The game's own box where the forms are drawn; the system's before the data are loaded.
    const bool inGame = GuiDrawn && Message_ && Message_->Show(Text);
    TraceEvent2("messagebox", "text", Cp1251ToUtf8(Text), "style", inGame ? "game" : "system");
    if (!inGame && !Options.Headless) {
        ShowMessageBox(kCaption, Text);
    }
}

// The fields are built only for a trace that is open: an untraced game allocates nothing here.
void TForm1::TraceEvent(const std::string& Event, const std::string& Key, const std::string& Value) {
    if (Trace.IsOpen()) {
        Trace.Event(Event, {{Key, Value}});
    }
}

void TForm1::TraceEvent2(const std::string& Event, const std::string& Key1, const std::string& Value1,
                         const std::string& Key2, const std::string& Value2) {
    if (Trace.IsOpen()) {
        Trace.Event(Event, {{Key1, Value1}, {Key2, Value2}});
    }
}

std::vector<std::string> TForm1::Languages() const { return Language.Installed(); }

void TForm1::SetLanguage(const std::string& Code) { UseLanguage(Language.Closest(Code)); }

void TForm1::UseLanguage(const std::string& Code) {
    Language.Use(Code);
    // The pictures with words follow: each language's variant stands in for the Russian one
    // (the image list, made later at start, takes the language then).
    if (Images_) {
        Images_->ShowVariant(Code);
    }
    if (Share_) {
        Share_->SetLanguage(Code);
    }
    Trace.Event("language", {{"name", Code}});
}

void TForm1::TraceStats() {
    const TTextureTotals textures = Device->Backend() ? Device->Backend()->TextureTotals() : TTextureTotals{};
    ::TraceStats(Trace, MyCanvas->LastFrameStats(), textures, SlowestStepMicros, FrameAllocations,
                 Device->DamagedPixels());
    SlowestStepMicros = 0;
    FrameAllocations = 0;
}

void TForm1::RunCommand(const TCommand& C) {
    // A command that runs frames times each of them instead.
    std::optional<TStepTimer> timer;
    if (C.Kind != TCommandKind::Frames && C.Kind != TCommandKind::Display) {
        timer.emplace(SlowestStepMicros);
    }
    if (RunInputCommand(C, Window->Input(), Window->Pad())) {
        return;
    }
    switch (C.Kind) {
    case TCommandKind::Frames:
        Loop->Frames(VirtualClock, C.Count);
        break;
    case TCommandKind::Display:
        SimulateDisplay(C.Count, C.Milliseconds);
        break;
    case TCommandKind::Screenshot:
        if (Options.Renderer == TRenderer::None) {
            // Nothing is rasterised, so there is no picture to write.
            std::fprintf(stderr, "cannot write the screenshot %s: it needs --renderer gl\n", C.Text.c_str());
        } else if (!Options.Headless) {
            PendingScreenshot = C.Text;
        } else if (Device->Backend() && !SaveScreenshot(*Device->Backend(), C.Text)) {
            std::fprintf(stderr, "cannot write the screenshot %s\n", C.Text.c_str());
        }
        break;
    case TCommandKind::Texts:
        TraceTexts(Trace, GuiBase->Root());
        break;
    case TCommandKind::Dump:
        TraceDump(Trace, *GameEngine, State_.ScreenState, GetScore());
        break;
    case TCommandKind::Stats:
        TraceStats();
        break;
    case TCommandKind::Quit:
        Quit();
        break;
    default:
        break;
    }
}

void TForm1::SimulateDisplay(int32_t Hz, int32_t Milliseconds) {
    if (!VirtualClock) {
        std::fprintf(stderr, "control: display needs the virtual clock of a headless run\n");
        return;
    }
    const int64_t presents = Device->Presents();
    const int64_t held = Device->HeldFrames();
    const int64_t frames = Loop->SimulateDisplay(*VirtualClock, Hz, Milliseconds);
    Trace.Event("display", {{"hz", std::to_string(Hz)},
                            {"frames", std::to_string(frames)},
                            {"presents", std::to_string(Device->Presents() - presents)},
                            {"held", std::to_string(Device->HeldFrames() - held)}});
}

bool TForm1::RunControlLine(std::string_view Line) {
    const TParsedLine parsed = ParseCommandLine(Line);
    if (parsed.Command) {
        RunCommand(*parsed.Command);
    } else if (!parsed.Error.empty()) {
        std::fprintf(stderr, "control: %s\n", parsed.Error.c_str());
        return false;
    }
    return true;
}

bool TForm1::RunNextControlLine() {
    std::string line;
    // A headless run waits for its next command; a windowed one only takes what is there.
    switch (Control.Next(line, Options.Headless)) {
    case TLineInput::TStatus::Line:
        RunControlLine(line);
        return true;
    case TLineInput::TStatus::None:
        return true;
    case TLineInput::TStatus::End:
        break;
    }
    return false;
}

int TForm1::Run() {
    if (!Options.ControlFile.empty() && !Control.Open(Options.ControlFile)) {
        std::fprintf(stderr, "cannot read the control file %s\n", Options.ControlFile.c_str());
        return 2;
    }
    bool controlled = Control.IsOpen();
    while (GoesOn()) {
        if (!Options.Headless) {
            Loop->WindowPass(*Window);
        }
        // In a headless run time passes only through "frames"; otherwise commands run between
        // frames, and the player goes on alone when they end.
        if (controlled) {
            controlled = RunNextControlLine();
        }
        if (!controlled && Options.Headless) {
            break;
        }
    }
    if (QuitSignal() != 0) {
        // Saved and traced; the caller ends the process at once (see EndOnSignal).
        EndOnSignal(QuitSignal());
        Trace.Event("quit");
        return 0;
    }
    if (Closing) {
        FormClose();
    }
    FormDestroy();
    Trace.Event("quit");
    return ExitCode;
}

void TForm1::EndOnSignal(int Number) {
    Trace.Event("signal", {{"number", std::to_string(Number)}});
    SyncDisplaySettings();
    ReportSave(Saver.SaveNow(Settings_), false);
}

void TForm1::FormClose() {
    SyncDisplaySettings();
    ReportSave(Saver.SaveNow(Settings_), false);
    OpenFile("play.url");
}

void TForm1::FormDestroy() {
    if (Screens) {
        Screens->FinishScoreSubmission();
    }
    Sound.Close();
    Particles_.reset();
    if (GameEngine) {
        GameEngine->SetParticles(nullptr);
    }
    if (Device) {
        Device->Finalize();
    }
    // The companion program starts once the game is gone.
    Opener.StartCompanion();
}
