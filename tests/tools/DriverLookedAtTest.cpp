// A session that paints only where a script looks (the fuzzing harness's)
// against the driver as a process, which paints after every command: the
// same script must leave the same dumps and the same pixels.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui/GuiPlatform.h"
#include "tests/tools/DriverRun.h"
#include "tools/driver/DriverSession.h"

namespace cvcalc {
namespace {

using testing::DriverRun;
using testing::RunDriver;
using testing::Slurp;

TEST(DriverLookedAt, PaintsPutOffUntilAScriptLooksLeaveTheSameDumpsAndPixels) {
    const std::string stem = ::testing::TempDir() + "/looked-at-" + std::to_string(getpid());
    // Runs, typing, holds and fits between the looks; the mouse on charts
    // drawn for the last time several commands before.
    const std::string script =
        "click ButtonCalcuationCV\n"
        "set EditBias -3\n"
        "click ButtonCalcuationCV\n"
        "hold\n"
        "set EditDonor 3e16\n"
        "click ButtonCalcuationCV\n"
        "drag ChartCV left 120 60 300 200\n"
        "wheel ChartC2V up\n"
        "fit\n"
        "dump\n"
        "set EditBias 0.2\n"
        "click ButtonCalcuationCV\n"
        "drag ChartC2V left 60 30 250 180\n"
        "fit\n"
        "key ChartVoltage Tab\n"
        "click ButtonReset\n"
        "click ButtonCalcuationCV\n"
        "snapshot FormPNJunction {}.png\n"
        "dump\n";
    auto withStem = [&](std::string text, const std::string& name) {
        for (std::size_t at = text.find("{}"); at != std::string::npos; at = text.find("{}"))
            text.replace(at, 2, stem + name);
        return text;
    };

    const DriverRun desktop = RunDriver(withStem(script, "-desktop"));
    ASSERT_EQ(desktop.status, 0) << desktop.errorOutput;
    ASSERT_EQ(desktop.dumps.size(), 2u);

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InitPlatform();
    std::vector<nlohmann::json> dumps;
    DriverSession session([&](std::string_view text) { dumps.push_back(nlohmann::json::parse(text)); });
    session.Start();
    session.PaintOnlyWhenLookedAt();
    const std::string looked = withStem(script, "-looked");
    for (std::size_t at = 0; at < looked.size();) {
        const std::size_t end = looked.find('\n', at);
        ASSERT_TRUE(session.Run(looked.substr(at, end - at))) << looked.substr(at, end - at);
        at = end + 1;
    }
    ASSERT_EQ(dumps.size(), 2u);
    for (std::size_t i = 0; i < dumps.size(); ++i) EXPECT_EQ(dumps[i], desktop.dumps[i]) << "dump " << i;
    const std::string desktopPng = Slurp(stem + "-desktop.png"), lookedPng = Slurp(stem + "-looked.png");
    EXPECT_FALSE(desktopPng.empty());
    EXPECT_EQ(desktopPng, lookedPng);
    std::remove((stem + "-desktop.png").c_str());
    std::remove((stem + "-looked.png").c_str());
}

}  // namespace
}  // namespace cvcalc
