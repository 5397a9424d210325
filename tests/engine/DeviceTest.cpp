// SPDX-License-Identifier: MIT
#include "engine/Device.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes every notification into a shared log, and can refuse one of them.
class TLogListener final : public IDeviceListener {
public:
    explicit TLogListener(std::vector<std::string>& Log) : Log(Log) {}
    bool DeviceNotify(TDeviceEvent Event) override {
        Log.push_back(std::to_string(static_cast<int>(Event)));
        return Event != Refuse;
    }
    std::vector<std::string>& Log;
    int Refuse = 0;
};

struct TDeviceFixture : ::testing::Test {
    TDeviceFixture() {
        Device.OnInitialize = [this] {
            Log.push_back("init");
            return InitResult;
        };
        Device.OnFinalize = [this] { Log.push_back("final"); };
        Device.OnRender = [this] { Log.push_back("render"); };
        Device.Subscribe(&Listener);
    }

    std::vector<std::string> Log;
    TLogListener Listener{Log};
    TRecordingBackend* Backend = nullptr;
    int Made = 0;
    bool InitResult = true;
    bool FactoryFails = false;
    TGfxDevice Device{[this](const TDisplaySettings& Settings) -> std::unique_ptr<TRenderBackend> {
        ++Made;
        if (FactoryFails) {
            return nullptr;
        }
        auto Made = std::make_unique<TRecordingBackend>(Settings.Width, Settings.Height);
        Backend = Made.get();
        return Made;
    }};
};

TEST_F(TDeviceFixture, InitializeTellsSubscribersBeforeTheOwnerAndOnlyOnce) {
    Device.SetWidth(1024);
    Device.SetHeight(768);
    ASSERT_TRUE(Device.Initialize());
    ASSERT_TRUE(Device.Initialize());
    EXPECT_EQ(Made, 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"256", "init"}));
    EXPECT_FLOAT_EQ(Device.ScaleX(), 1.28f);
    EXPECT_FLOAT_EQ(Device.ScaleY(), 1.28f);
}

TEST_F(TDeviceFixture, EveryInitializeFailureFinalizesAgain) {
    struct TCase {
        const char* Name;
        bool FactoryFails;
        int Refuse;
        bool InitResult;
        std::vector<std::string> Log;
    };
    const TCase Cases[] = {
        {"no backend", true, 0, true, {}},
        {"subscriber refuses", false, 256, true, {"256", "final", "257"}},
        {"owner refuses", false, 0, false, {"256", "init", "final", "257"}},
    };
    for (const TCase& Case : Cases) {
        Log.clear();
        FactoryFails = Case.FactoryFails;
        Listener.Refuse = Case.Refuse;
        InitResult = Case.InitResult;
        EXPECT_FALSE(Device.Initialize()) << Case.Name;
        EXPECT_FALSE(Device.Initialized()) << Case.Name;
        EXPECT_EQ(Log, Case.Log) << Case.Name;
    }
}

TEST_F(TDeviceFixture, RenderClearsBeginsCallsBackAndEnds) {
    EXPECT_FALSE(Device.Render(0, true));
    ASSERT_TRUE(Device.Initialize());
    Log.clear();
    EXPECT_TRUE(Device.Render(0xFF102030u, true));
    EXPECT_EQ(Log, (std::vector<std::string>{"260", "render", "261"}));
    EXPECT_EQ(Backend->Clears, std::vector<uint32_t>{0xFF102030u});

    Log.clear();
    Backend->FailBeginScene = true;
    EXPECT_FALSE(Device.Render(0, false));
    Device.OnRender = nullptr;
    Backend->FailBeginScene = false;
    EXPECT_FALSE(Device.Render(0, false));
    EXPECT_TRUE(Log.empty());
}

TEST_F(TDeviceFixture, LostDeviceIsAnnouncedOnceAndResetWhenPossible) {
    ASSERT_TRUE(Device.Initialize());
    Log.clear();
    EXPECT_TRUE(Device.Flip());
    Backend->LoseDevice();
    Backend->FailResets = true;
    EXPECT_FALSE(Device.Flip());
    EXPECT_FALSE(Device.Flip());
    EXPECT_TRUE(Device.IsLost());
    Backend->FailResets = false;
    EXPECT_TRUE(Device.Flip());
    EXPECT_FALSE(Device.IsLost());
    EXPECT_EQ(Log, (std::vector<std::string>{"258", "259"}));
}

TEST_F(TDeviceFixture, SettingsResetOnlyARunningDevice) {
    Device.SetVSync(true);
    EXPECT_TRUE(Log.empty());
    ASSERT_TRUE(Device.Initialize());
    Log.clear();
    // Full screen on a 1920x1080 desktop: the logical screen fills a 1440x1080 area.
    Backend->SetNextSize(1440, 1080);
    Device.SetWindowed(false);
    EXPECT_EQ(Log, (std::vector<std::string>{"258", "259"}));
    EXPECT_FALSE(Backend->Applied.Windowed);
    EXPECT_TRUE(Backend->Applied.VSync);
    EXPECT_FLOAT_EQ(Device.ScaleX(), 1.8f);
    EXPECT_FLOAT_EQ(Device.ScaleY(), 1.8f);
    Log.clear();
    Device.SetWindowed(false);
    EXPECT_TRUE(Log.empty());
}

TEST_F(TDeviceFixture, AFailedSettingsResetRecoversAtTheNextFlip) {
    ASSERT_TRUE(Device.Initialize());
    Log.clear();
    Backend->FailResets = true;
    Device.SetVSync(true);
    EXPECT_TRUE(Device.IsLost());
    Backend->FailResets = false;
    EXPECT_TRUE(Device.Flip());
    EXPECT_FALSE(Device.IsLost());
    EXPECT_EQ(Log, (std::vector<std::string>{"258", "259"}));
}

TEST_F(TDeviceFixture, FinalizeTellsOwnerThenSubscribers) {
    ASSERT_TRUE(Device.Initialize());
    Log.clear();
    Device.Finalize();
    Device.Finalize();
    EXPECT_FALSE(Device.Initialized());
    EXPECT_EQ(Device.Backend(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"final", "257"}));
}

} // namespace
