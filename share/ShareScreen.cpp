// SPDX-License-Identifier: MIT
#include "share/ShareScreen.h"

#include "engine/Canvas.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "platform/Picture.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

namespace {
constexpr char SettingsFile[] = "wdata/config.ini";
// A settings file is a few dozen short lines; anything far larger is not one.
constexpr std::uintmax_t MaxSettingsBytes = 64 * 1024;
// More buttons than could ever fit on the screen mean a broken file.
constexpr int32_t MaxButtons = 64;
// The exit button waits at most a minute; a countdown outside 0..60 is a broken file.
constexpr int32_t MaxCountdown = 60;
// Button pictures live on one 256 by 256 texture.
constexpr int32_t ButtonTextureSide = 256;
constexpr TPoint BackgroundSize{800, 600};
constexpr int32_t BackgroundTextureSide = 1024;

// A name from the settings file as a path: relative names are inside Folder (the game's
// data folder), whatever folder the game was started from.
std::string JoinFolder(const std::string& Folder, const std::string& Name) {
    if (Folder.empty() || Name.empty() || Name.front() == '/') {
        return Name;
    }
    return (std::filesystem::path(Folder) / Name).string();
}

bool IsFile(const std::string& Path) {
    std::error_code error;
    return std::filesystem::is_regular_file(Path, error);
}

// Canvas colours keep red in the lowest byte; the settings give ARGB.
TColor CanvasColor(uint32_t Argb) {
    return (Argb & 0xFF00FF00u) | ((Argb >> 16) & 0xFFu) | ((Argb & 0xFFu) << 16);
}

// One whole decimal number, an optional sign in front; anything else is not a number.
bool ParseInt(std::string_view Token, int32_t& Value) {
    if (!Token.empty() && Token.front() == '+') {
        Token.remove_prefix(1);
        if (!Token.empty() && Token.front() == '-') {
            return false;
        }
    }
    if (Token.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(Token.data(), Token.data() + Token.size(), Value);
    return error == std::errc() && end == Token.data() + Token.size();
}

// The top-left part of a picture that fits Limit, so an oversized file cannot ask for more
// textures than the image was made for.
void CropPicture(std::vector<uint32_t>& Pixels, int32_t& Width, int32_t& Height, TPoint Limit) {
    if (Width <= Limit.X && Height <= Limit.Y) {
        return;
    }
    const int32_t w = std::min(Width, Limit.X);
    const int32_t h = std::min(Height, Limit.Y);
    std::vector<uint32_t> cropped(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int32_t y = 0; y < h; ++y) {
        const auto row = Pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width;
        std::copy(row, row + w, cropped.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    Pixels = std::move(cropped);
    Width = w;
    Height = h;
}
} // namespace

// The settings file line by line. Every failure (a missing line, an empty line, a token that
// is not a number, a file that is not there) clears Ok; reading goes on so the remaining
// values still land where they belong, as far as the lines reach.
class TShareScreen::TReader {
public:
    TReader(std::string Text, std::string Folder) : Text(std::move(Text)), Folder(std::move(Folder)) {}

    bool Ok = true;

    // The next line without its line break; false at the end of the file.
    bool NextLine(std::string& Line) {
        if (Position >= Text.size()) {
            Ok = false;
            return false;
        }
        size_t end = Text.find('\n', Position);
        if (end == std::string::npos) {
            end = Text.size();
        }
        Line = Text.substr(Position, end - Position);
        Position = end + 1;
        if (!Line.empty() && Line.back() == '\r') {
            Line.pop_back();
        }
        return true;
    }

    // A line of Count numbers separated by single spaces, leading spaces allowed. Numbers
    // that are missing or unreadable read as 0.
    std::vector<int32_t> Numbers(size_t Count) {
        std::vector<int32_t> values(Count, 0);
        std::string line;
        if (!NextLine(line)) {
            return values;
        }
        std::string_view rest(line);
        rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
        if (rest.empty()) {
            Ok = false;
            return values;
        }
        size_t index = 0;
        while (true) {
            const size_t space = rest.find(' ');
            const std::string_view token = rest.substr(0, space);
            int32_t value = 0;
            if (!ParseInt(token, value)) {
                Ok = false;
            }
            if (index < Count) {
                values[index] = value;
            }
            ++index;
            if (space == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(space + 1);
        }
        if (index < Count) {
            Ok = false;
        }
        return values;
    }

    // A file name relative to the game's data folder, leading spaces removed. The file must exist.
    std::string Name() {
        std::string line;
        if (!NextLine(line)) {
            return {};
        }
        line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
        // Folder separators of either kind name the same file.
        std::replace(line.begin(), line.end(), '\\', '/');
        if (line.empty() || !IsFile(JoinFolder(Folder, line))) {
            Ok = false;
        }
        return line;
    }

    [[nodiscard]] bool AtEnd() const { return Position >= Text.size(); }

private:
    std::string Text;
    std::string Folder;
    size_t Position = 0;
};

TShareScreen::TButton::TButton() = default;
TShareScreen::TButton::~TButton() = default;
TShareScreen::TButton::TButton(TButton&&) noexcept = default;
TShareScreen::TButton& TShareScreen::TButton::operator=(TButton&&) noexcept = default;

bool TShareScreen::TButton::Contains(TPoint At) const {
    // The far edges in 64 bits: a damaged settings file may put a button anywhere a 32-bit
    // number reaches.
    const int64_t right = static_cast<int64_t>(NormalAt.X) + Size.X;
    const int64_t bottom = static_cast<int64_t>(NormalAt.Y) + Size.Y;
    return NormalAt.X <= At.X && At.X <= right && NormalAt.Y <= At.Y && At.Y <= bottom;
}

TShareScreen::TLook TShareScreen::TButton::Look() const {
    if (!Active) {
        return TLook::Waiting;
    }
    return Hover ? TLook::Hover : TLook::Normal;
}

TShareScreen::TShareScreen(TGfxDevice& Device, TGfxFonts& Fonts) : Device(Device), Fonts(Fonts) {}

TShareScreen::~TShareScreen() = default;

void TShareScreen::Reset() {
    Available = false;
    Buttons_.clear();
    Background.reset();
    BackgroundTried = false;
    BackgroundPicture.clear();
    Countdown = 0;
    DigitSizing = false;
    DigitWidth = 0;
}

void TShareScreen::LoadShareSettings() {
    LoadShareSettings(InFolder(SettingsFile));
}

void TShareScreen::SetLanguage(const std::string& Code) {
    Language = Code;
    for (TButton& button : Buttons_) {
        for (int i = 0; i < 3; ++i) {
            button.Pictures[i].reset();
            button.Tried[i] = false;
        }
    }
    // The backdrop comes back in the new language when the screen next shows.
    Background.reset();
    BackgroundTried = false;
}

std::string TShareScreen::PictureFile(const std::string& Name) const {
    const std::string plain = InFolder(Name);
    if (Language.empty() || plain.empty()) {
        return plain;
    }
    const std::filesystem::path path(plain);
    const std::filesystem::path variant = path.parent_path() / Language / path.filename();
    std::error_code error;
    return std::filesystem::is_regular_file(variant, error) ? variant.string() : plain;
}

std::string TShareScreen::InFolder(const std::string& Name) const {
    return JoinFolder(Folder, Name);
}

void TShareScreen::LoadShareSettings(const std::string& FileName) {
    Reset();
    std::error_code error;
    if (!IsFile(FileName)) {
        return;
    }
    const std::uintmax_t size = std::filesystem::file_size(FileName, error);
    if (error || size > MaxSettingsBytes) {
        return;
    }
    std::ifstream in(FileName, std::ios::binary);
    std::string text(static_cast<size_t>(size), '\0');
    if (!in.read(text.data(), static_cast<std::streamsize>(size))) {
        return;
    }
    TReader reader(std::move(text), Folder);
    const int32_t count = reader.Numbers(1)[0];
    if (count < 1 || count > MaxButtons) {
        // Without buttons there would be no exit button to leave by.
        reader.Ok = false;
    }
    BackgroundPicture = reader.Name();
    for (int32_t i = 0; reader.Ok && i < count; ++i) {
        ReadButton(reader, i == count - 1);
    }
    if (reader.Ok) {
        const std::vector<int32_t> centre = reader.Numbers(2);
        CountdownCentre = {centre[0], centre[1]};
        Countdown = reader.Numbers(1)[0];
        if (Countdown < 0 || Countdown > MaxCountdown) {
            reader.Ok = false;
        }
        const std::vector<int32_t> rgb = reader.Numbers(3);
        CountdownColor = 0xFF000000u + static_cast<uint32_t>(rgb[2] & 0xFF) * 65536u +
                         static_cast<uint32_t>(rgb[1] & 0xFF) * 256u + static_cast<uint32_t>(rgb[0] & 0xFF);
        std::string mode;
        if (reader.NextLine(mode)) {
            DigitSizing = mode == "TRUE";
        }
        if (DigitSizing) {
            DigitWidth = reader.Numbers(1)[0];
        }
    }
    Available = reader.Ok;
    if (!Available) {
        // Nothing of an unusable file may hold the window open.
        Countdown = 0;
    }
    ScaleCountdownFont();
}

bool TShareScreen::ReadButton(TReader& Reader, bool Last) {
    TButton button;
    const std::vector<int32_t> hover = Reader.Numbers(4);
    button.HoverAt = {hover[0], hover[1]};
    const std::vector<int32_t> normal = Reader.Numbers(4);
    button.NormalAt = {normal[0], normal[1]};
    button.Size = {normal[2], normal[3]};
    if (Last) {
        const std::vector<int32_t> waiting = Reader.Numbers(4);
        button.WaitingAt = {waiting[0], waiting[1]};
    } else {
        button.WaitingAt = button.NormalAt;
    }
    button.NormalPicture = Reader.Name();
    button.HoverPicture = Reader.Name();
    if (Last) {
        button.WaitingPicture = Reader.Name();
        button.Link = "exit";
        // The exit button waits for the countdown.
        button.Active = false;
    } else {
        button.Link = Reader.Name();
        button.WaitingPicture = button.NormalPicture;
    }
    Buttons_.push_back(std::move(button));
    return Reader.Ok;
}

void TShareScreen::ScaleCountdownFont() {
    TGfxFont* font = Fonts.Find("sharetext");
    if (font == nullptr) {
        return;
    }
    // Measured at the font's own size, so loading twice gives the same scale.
    const double previous = font->Scale;
    font->Scale = 1.0;
    const double width = font->TextWidth("A");
    font->Scale = previous;
    if (width <= 0.0) {
        return;
    }
    double scale = 0.0;
    if (DigitSizing) {
        scale = DigitWidth / width;
    } else if (!Buttons_.empty() && Buttons_.back().IsExit()) {
        scale = 0.6 * Buttons_.back().Size.Y / width;
    }
    if (scale > 0.0) {
        font->Scale = scale;
    }
}

void TShareScreen::LoadBackground() {
    std::vector<uint32_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
    if (!DecodePicture(PictureFile(BackgroundPicture), pixels, width, height)) {
        return;
    }
    CropPicture(pixels, width, height, BackgroundSize);
    auto image = std::make_unique<TGfxImage>(Device);
    image->SetTextureSize({BackgroundTextureSide, BackgroundTextureSide});
    image->SetSize(1, BackgroundSize);
    image->SetSize(0, BackgroundSize);
    image->SetPatternCount(1);
    if (image->LoadFromBitmap(pixels, width, height)) {
        Background = std::move(image);
    }
}

TGfxImage* TShareScreen::Picture(TButton& Button, TLook Look) {
    const auto index = static_cast<size_t>(Look);
    if (Button.Tried[index]) {
        return Button.Pictures[index].get();
    }
    Button.Tried[index] = true;
    const std::string& file = Look == TLook::Normal  ? Button.NormalPicture
                              : Look == TLook::Hover ? Button.HoverPicture
                                                     : Button.WaitingPicture;
    const TPoint cell = Button.Size;
    if (cell.X <= 0 || cell.Y <= 0 || cell.X > ButtonTextureSide || cell.Y > ButtonTextureSide) {
        return nullptr;
    }
    std::vector<uint32_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
    // Pictures larger than the button texture are not drawn.
    if (!DecodePicture(PictureFile(file), pixels, width, height) || width > ButtonTextureSide ||
        height > ButtonTextureSide) {
        return nullptr;
    }
    auto image = std::make_unique<TGfxImage>(Device);
    image->SetTextureSize({ButtonTextureSide, ButtonTextureSide});
    image->SetSize(1, cell);
    image->SetSize(0, cell);
    image->SetPatternCount(1);
    if (image->LoadFromBitmap(pixels, width, height)) {
        Button.Pictures[index] = std::move(image);
    }
    return Button.Pictures[index].get();
}

void TShareScreen::UpdateHover() {
    for (TButton& button : Buttons_) {
        button.Hover = button.Contains(Mouse);
    }
}

void TShareScreen::Draw(TGfxCanvas& Canvas) {
    UpdateHover();
    if (ClickGuard > 0) {
        --ClickGuard;
    }
    if (!Available) {
        return;
    }
    // The backdrop (over 5 MB on the device) is loaded when the screen first shows, at the end of
    // the game, not at start-up.
    if (!BackgroundTried) {
        BackgroundTried = true;
        LoadBackground();
    }
    if (Background) {
        Canvas.Draw(*Background, 0, 0.0f, 0.0f, fxBlend);
    }
    for (TButton& button : Buttons_) {
        if (button.Visible) {
            DrawButton(Canvas, button);
        }
    }
    if (Countdown <= 0) {
        for (TButton& button : Buttons_) {
            button.Active = button.Active || button.IsExit();
        }
    }
    if (Countdown > 0) {
        DrawCountdown();
    }
}

void TShareScreen::DrawButton(TGfxCanvas& Canvas, TButton& Button) {
    const TLook look = Button.Look();
    TGfxImage* picture = Picture(Button, look);
    if (picture == nullptr) {
        return;
    }
    const TPoint at = look == TLook::Waiting ? Button.WaitingAt
                      : look == TLook::Hover ? Button.HoverAt
                                             : Button.NormalAt;
    Canvas.Draw(*picture, 0, static_cast<float>(at.X), static_cast<float>(at.Y), fxBlend);
}

void TShareScreen::DrawCountdown() {
    TGfxFont* font = Fonts.Find("sharetext");
    // Text needs the font list's canvas; without one there is nothing to draw on.
    if (font == nullptr || Fonts.Canvas() == nullptr) {
        return;
    }
    const std::string text = std::to_string(Countdown);
    const float x = static_cast<float>(CountdownCentre.X) - font->TextWidth(text) / 2.0f;
    const float y = static_cast<float>(CountdownCentre.Y) - font->TextHeight(text) / 2.0f;
    const TColor color = CanvasColor(CountdownColor);
    font->TextOut(text, x, y, color, color, fxBlend);
}

void TShareScreen::Click(TPoint At) {
    if (!Available || ClickGuard > 0) {
        return;
    }
    for (TButton& button : Buttons_) {
        if (!button.Contains(At)) {
            continue;
        }
        if (button.IsExit()) {
            if (OnClose) {
                OnClose();
            }
        } else if (OnOpenFile) {
            OnOpenFile(button.Link);
        }
        return;
    }
}
