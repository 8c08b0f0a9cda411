// The component model: apartment, class table, creation errors, and the
// browser component's stored extent and bundled-page content types.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/WebBrowser.h"

namespace cvcalc {
namespace {

std::string CreationError(std::string_view classId) {
    try {
        CreateComponent(classId);
    } catch (const EOleSysError& e) {
        return e.Message();
    }
    return "(created)";
}

TEST(ComponentModel, CreationNeedsTheApartmentAndAKnownClass) {
    ASSERT_FALSE(ComponentModelActive());
    EXPECT_EQ(CreationError(CLSID_WebBrowser), "CoInitialize は呼び出されていません");

    ASSERT_TRUE(ComponentModelInitialize());
    const struct {
        std::string_view classId;
        bool creates;
    } cases[] = {
        {"8856F961-340A-11D0-A96B-00C04FD705A2", true},
        {"{8856f961-340a-11d0-a96b-00c04fd705a2}", true},
        {"8856F961-340A-11D0-A96B-00C04FD705A3", false},
        {"", false},
        {"{}", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.classId));
        if (c.creates) {
            EXPECT_NE(CreateComponent(c.classId), nullptr);
        } else {
            EXPECT_EQ(CreationError(c.classId), "クラスが登録されていません");
        }
    }

    // Nested set-ups each want their own shutdown.
    ASSERT_TRUE(ComponentModelInitialize());
    ComponentModelShutdown();
    EXPECT_TRUE(ComponentModelActive());
    ComponentModelShutdown();
    EXPECT_FALSE(ComponentModelActive());
    ComponentModelShutdown();  // one too many changes nothing
    EXPECT_FALSE(ComponentModelActive());
    EXPECT_EQ(CreationError(CLSID_WebBrowser), "CoInitialize は呼び出されていません");
}

TEST(ComponentModel, FactoriesThatFailOrGiveNothing) {
    ASSERT_TRUE(ComponentModelInitialize());
    const std::string empty = "00000000-0000-0000-0000-000000000001";
    const std::string failing = "00000000-0000-0000-0000-000000000002";
    RegisterComponentClass(empty, [] { return std::unique_ptr<TInPlaceComponent>(); });
    RegisterComponentClass(failing, []() -> std::unique_ptr<TInPlaceComponent> { throw Exception("engine missing"); });
    EXPECT_EQ(CreationError(empty), "クラスが登録されていません");
    try {
        CreateComponent(failing);
        ADD_FAILURE() << "created";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "engine missing");
    }
    UnregisterComponentClass(empty);
    UnregisterComponentClass(failing);
    EXPECT_FALSE(IsComponentClassRegistered(empty));
    EXPECT_TRUE(IsComponentClassRegistered(CLSID_WebBrowser));
    ComponentModelShutdown();
}

std::vector<unsigned char> StateWith(std::size_t size, std::int32_t width, std::int32_t height) {
    std::vector<unsigned char> state(size, 0);
    auto put = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4 && at + i < size; ++i) state[at + i] = (std::uint32_t(v) >> (8 * i)) & 0xFF;
    };
    put(4, width);
    put(8, height);
    return state;
}

TEST(WebBrowserState, ExtentFromControlData) {
    const struct {
        std::size_t size;
        std::int32_t width, height;
        int ppi;
        PixelSize expected;
    } cases[] = {
        {156, 18283, 10451, 96, {691, 395}},  // the help window's browser
        {156, 18283, 10451, 120, {864, 494}}, {12, 2540, 2540, 96, {96, 96}},
        {11, 18283, 10451, 96, {0, 0}},  // too short for the third word
        {156, -18283, 10451, 96, {0, 0}},     {156, 18283, 0, 96, {0, 0}},
        {156, 18283, 10451, 0, {0, 0}},       {156, 0x7FFFFFFF, 0x7FFFFFFF, 96, {81164736, 81164736}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const auto state = StateWith(c.size, c.width, c.height);
        EXPECT_EQ(ExtentFromControlData(state, c.ppi), c.expected);
    }
}

TEST(BundledPages, ContentTypes) {
    const std::array<std::pair<std::string_view, std::string_view>, 6> cases{{
        {"index.html", "text/html"},
        {"CV.HTM", "text/html"},
        {"style.css", "text/css"},
        {"logo.png", "image/png"},
        {"README", "application/octet-stream"},
        {"archive.tar.gz", "application/octet-stream"},
    }};
    for (const auto& [name, type] : cases) EXPECT_EQ(BundledPageContentType(name), type) << name;
}

}  // namespace
}  // namespace cvcalc
