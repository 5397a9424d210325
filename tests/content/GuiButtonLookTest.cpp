// SPDX-License-Identifier: MIT
// A button that cannot be pressed must say so at a glance: every button, tab and switch of the
// screens has a disabled picture that is grey and dimmer than its usual one.
#include "content/ui/GuiLayout.h"
#include "content/ui/UiImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

struct TTone {
    double Saturation = 0; // mean over the opaque pixels, 0..1
    double Luma = 0;       // mean over the opaque pixels, 0..255
};

TTone ToneOf(const TPicture& Picture) {
    TTone Tone;
    int Count = 0;
    for (const uint32_t P : Picture.Pixels()) {
        if ((P >> 24) < 200) {
            continue;
        }
        const int R = (P >> 16) & 255, G = (P >> 8) & 255, B = P & 255;
        const int Max = std::max({R, G, B}), Min = std::min({R, G, B});
        Tone.Saturation += Max == 0 ? 0.0 : static_cast<double>(Max - Min) / Max;
        Tone.Luma += 0.299 * R + 0.587 * G + 0.114 * B;
        ++Count;
    }
    if (Count > 0) {
        Tone.Saturation /= Count;
        Tone.Luma /= Count;
    }
    return Tone;
}

void CollectButtons(const TGuiNode& Node, std::vector<const TGuiNode*>& Buttons) {
    if (Node.ClassName == "TGuiButton") {
        Buttons.push_back(&Node);
    }
    for (const TGuiNode& Child : Node.Children) {
        CollectButtons(Child, Buttons);
    }
}

TEST(GuiButtonLook, EveryButtonStyleHasAGreyDimDisabledPicture) {
    std::vector<std::string> ImageNames;
    const auto IndexOf = [&ImageNames](const std::string& Name) {
        const auto At = std::find(ImageNames.begin(), ImageNames.end(), Name);
        if (At != ImageNames.end()) {
            return static_cast<int>(At - ImageNames.begin());
        }
        ImageNames.push_back(Name);
        return static_cast<int>(ImageNames.size()) - 1;
    };
    TGuiLayout Layout({IndexOf, [](const std::string&) { return 0; }});
    const std::vector<TGuiNode> Forms = Layout.Build();
    std::map<std::string, const TUiImageRequest*> Requests;
    for (const TUiImageRequest& Request : Layout.ImageRequests()) {
        Requests[Request.Name] = &Request;
    }
    std::vector<const TGuiNode*> Buttons;
    for (const TGuiNode& Form : Forms) {
        CollectButtons(Form, Buttons);
    }
    ASSERT_FALSE(Buttons.empty());
    std::map<std::string, std::vector<TPicture>> Drawn;
    for (const TGuiNode* Button : Buttons) {
        const std::string Name = Button->ControlName();
        const auto Image = static_cast<size_t>(Button->IntOr("ImageIndex", -1));
        ASSERT_LT(Image, ImageNames.size()) << Name;
        const std::string& ImageName = ImageNames[Image];
        ASSERT_EQ(Requests.count(ImageName), 1u) << Name;
        if (Drawn.count(ImageName) == 0) {
            Drawn[ImageName] = DrawUiImage(*Requests[ImageName]);
        }
        const std::vector<TPicture>& Patterns = Drawn[ImageName];
        const auto Normal = static_cast<size_t>(Button->IntOr("NormalGlyph", -1));
        const auto Disabled = static_cast<size_t>(Button->IntOr("InactiveGlyph", -1));
        ASSERT_LT(Normal, Patterns.size()) << Name;
        ASSERT_LT(Disabled, Patterns.size()) << Name;
        const TTone Usual = ToneOf(Patterns[Normal]);
        const TTone Grey = ToneOf(Patterns[Disabled]);
        EXPECT_LT(Grey.Saturation, 0.2) << Name << " " << ImageName;
        EXPECT_LT(Grey.Saturation, Usual.Saturation / 2) << Name << " " << ImageName;
        EXPECT_LT(Grey.Luma, Usual.Luma) << Name << " " << ImageName;
    }
}

} // namespace
