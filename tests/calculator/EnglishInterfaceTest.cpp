// The calculator in English: every caption of the forms translated in its
// place without moving anything and fitting the width the form gives it,
// and the menus, dialogs, boxes and the language choice in English; the
// same choice made in Japanese.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "calculator/Profile.h"
#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "framework/Bitmap.h"
#include "framework/Label.h"
#include "help/Html.h"
#include "tests/calculator/CalculatorWindow.h"
#include "tests/support/InterfaceLanguage.h"

namespace cvcalc {
namespace {

using testing::FindJapanese;
using testing::ScopedInterfaceLanguage;

// What a control shows and where.
struct Placed {
    std::string form;
    int left = 0, top = 0, width = 0, height = 0;
    std::string caption;
    int textWidth = 0;  // the caption in the control's font
    bool label = false;
    std::string parent;
    bool visible = true;
};

bool Overlap(const Placed& a, const Placed& b) {
    return a.parent == b.parent && a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}
struct Title {
    std::string text;
    int textWidth = 0;
    int room = 0;  // the length of the chart's side it runs along
};

int TextWidth(const TFont& font, const std::string& text) {
    TBitmap bitmap(4, 4);
    bitmap.Canvas().Font().Assign(font);
    return bitmap.Canvas().TextWidth(text);
}

int TextWidth(const TChartFont& chartFont, const std::string& text) {
    TFont font;
    font.SetName(chartFont.Name());
    font.SetHeight(chartFont.Height());
    return TextWidth(font, text);
}

// Both windows' controls and chart titles, read in the interface language
// chosen now.
struct Layout {
    std::map<std::string, Placed> controls;
    std::map<std::string, Title> titles;
};

Layout ReadLayout() {
    Layout layout;
    EXPECT_TRUE(ComponentModelInitialize());
    {
        TApplication application;
        CreateProgramWindows(application);
        // The profile's window as its menu item first makes it.
        auto* profile = new TFormProfile(FormPNJunction);
        for (TForm* form :
             {static_cast<TForm*>(FormPNJunction), static_cast<TForm*>(FormHTML), static_cast<TForm*>(profile)}) {
            layout.controls[form->Name()] = {
                form->Name(), 0, 0, form->ClientWidth(), form->ClientHeight(), form->Caption(), 0, false, "", true};
            for (int i = 0; i < form->ComponentCount(); ++i) {
                auto* control = dynamic_cast<TControl*>(form->Components(i));
                if (control == nullptr) continue;
                Placed placed{form->Name(),
                              control->Left(),
                              control->Top(),
                              control->Width(),
                              control->Height(),
                              control->Caption(),
                              0,
                              dynamic_cast<TLabel*>(control) != nullptr,
                              "",
                              true};
                placed.textWidth = TextWidth(*control->Font(), placed.caption);
                placed.parent = control->Parent() != nullptr ? control->Parent()->Name() : std::string();
                placed.visible = control->Visible();
                layout.controls[control->Name()] = placed;
                auto* chart = dynamic_cast<TChart*>(control);
                if (chart == nullptr) continue;
                const auto title = [&](const std::string& where, TChartAxis* axis, int room) {
                    const TChartAxisTitle& t = *axis->Title();
                    layout.titles[chart->Name() + "." + where] =
                        Title{t.Caption(), TextWidth(*t.Font(), t.Caption()), room};
                };
                title("bottom", chart->BottomAxis(), chart->Width());
                title("left", chart->LeftAxis(), chart->Height());
                const TStringList& text = *chart->Title()->Text();
                for (int s = 0; s < text.Count(); ++s)
                    layout.titles[chart->Name() + ".title" + std::to_string(s)] =
                        Title{text.Strings(s), 0, chart->Width()};
            }
        }
    }
    ComponentModelShutdown();
    return layout;
}

TEST(EnglishInterface, EveryCaptionIsTranslatedInItsPlaceAndFitsTheWidthTheFormGivesIt) {
    const Layout japanese = ReadLayout();
    Layout english;
    {
        const ScopedInterfaceLanguage language(Language::English);
        english = ReadLayout();
    }
    ASSERT_EQ(english.controls.size(), japanese.controls.size());
    int translated = 0;
    for (const auto& [name, ja] : japanese.controls) {
        SCOPED_TRACE(name + ": " + ja.caption);
        const Placed& en = english.controls.at(name);
        // Nothing moves: positions, and the sizes of everything but the
        // labels, whose size is their text's.
        EXPECT_EQ(en.left, ja.left);
        EXPECT_EQ(en.top, ja.top);
        if (!ja.label) {
            EXPECT_EQ(en.width, ja.width);
            EXPECT_EQ(en.height, ja.height);
        }
        if (FindJapanese(ja.caption) == std::string::npos) {
            // Plain ASCII captions and numbers stay as they are.
            EXPECT_EQ(en.caption, ja.caption);
            continue;
        }
        ++translated;
        EXPECT_NE(en.caption, ja.caption);
        EXPECT_EQ(FindJapanese(en.caption), std::string::npos) << en.caption;
        if (name == ja.form) continue;  // a title bar
        if (!ja.label) {
            // A button's text within its face (two pixels of bevel each side).
            EXPECT_LE(en.textWidth, ja.width - 4) << en.caption;
            continue;
        }
        // A label takes its text's size: it stays within its window and
        // covers nothing its Japanese text left free (the designed layout's
        // own overlaps aside).
        EXPECT_EQ(en.width, en.textWidth) << en.caption;
        const Placed& window = english.controls.at(en.parent);
        EXPECT_LE(en.left + en.width, window.width) << en.caption;
        for (const auto& [other, placed] : english.controls) {
            if (other == name || !placed.visible || Overlap(ja, japanese.controls.at(other))) continue;
            EXPECT_FALSE(Overlap(en, placed)) << en.caption << " covers " << other;
        }
    }
    EXPECT_EQ(translated, 20);
    int titles = 0;
    for (const auto& [where, ja] : japanese.titles) {
        SCOPED_TRACE(where + ": " + ja.text);
        const Title& en = english.titles.at(where);
        if (FindJapanese(ja.text) == std::string::npos) {
            EXPECT_EQ(en.text, ja.text);
            continue;
        }
        ++titles;
        EXPECT_EQ(FindJapanese(en.text), std::string::npos) << en.text;
        // Axis titles run along the plot: well within the chart's side.
        if (en.textWidth > 0) {
            EXPECT_LE(en.textWidth, en.room * 3 / 4) << en.text;
        }
    }
    EXPECT_EQ(titles, 12);
}

// The calculator made in English, the user's settings in a scratch folder.
class EnglishWindowTest : public CalculatorWindowTest {
protected:
    void SetUp() override {
        language_.emplace(Language::English);
        CalculatorWindowTest::SetUp();
        settings_ = dir_ / "config";
        setenv("XDG_CONFIG_HOME", settings_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        CalculatorWindowTest::TearDown();
        language_.reset();
    }
    std::optional<ScopedInterfaceLanguage> language_;
    fs::path settings_;
};

TEST_F(EnglishWindowTest, MenusDialogsAndBoxesSpeakEnglish) {
    Run("1e15", "1e15", "1", "-10");
    Choose(f_->ChartC2V, -1);
    ASSERT_EQ(menus_.size(), 1u);
    std::vector<std::string> captions;
    for (const PopupMenuItem* item : FlatMenuItems(menus_[0])) captions.push_back(item->caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Copy image", "Save image…", "Save data…", "Undo zoom", "Run report",
                                        "Hold curves", "Clear held curves", "Load measured C–V…", "Clear measured data",
                                        "Fit straight line", "Doping profile", "Language", "Export everything…",
                                        "Japanese", "English", "Desktop default"}));
    // Save image: the dialog's caption and types.
    Choose(f_->ChartC2V, 1);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0].caption, "Save image");
    ASSERT_EQ(dialogs_[0].filters.size(), 5u);
    EXPECT_EQ(dialogs_[0].filters[0].label, "PNG image");
    EXPECT_EQ(dialogs_[0].filters[4].label, "PNG image (4×)");
    // An input error's box.
    f_->EditDonorDensity->SetText("abc");
    Do([&] { f_->ButtonCalcuationCV->Click(); });
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "'abc' is not a valid floating point value.");
    // The screen reader's names and descriptions.
    const AccessibleFacts cv = f_->ChartCV->Handle().Accessible();
    EXPECT_EQ(cv.name, "C–V characteristic");
    EXPECT_EQ(FindJapanese(cv.description), std::string::npos) << cv.description;
    EXPECT_NE(cv.description.find("Capacitance at the bias"), std::string::npos) << cv.description;
    EXPECT_EQ(f_->EditDonorDensity->Handle().Accessible().name, "Donor density, cm^-3");
}

TEST_F(EnglishWindowTest, LanguageChoiceIsSavedForTheNextStartAndSaidSo) {
    // The items after the menu's own: Japanese, English, Desktop default.
    const auto choose = [&](const std::string& caption) {
        menus_.clear();
        Choose(f_->ChartCV, -1);
        const auto flat = FlatMenuItems(menus_.at(0));
        for (std::size_t i = 0; i < flat.size(); ++i)
            if (flat[i]->caption == caption) return Choose(f_->ChartCV, int(i));
        ADD_FAILURE() << caption;
    };
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
    choose("Japanese");
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Japanese);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "The language is now “Japanese”. It applies from the next start of the program.");
    EXPECT_EQ(boxes_[0].caption, "Language");
    // The window itself goes on in English until then.
    EXPECT_EQ(f_->ButtonReset->Caption(), "Reset");
    // The menu marks the saved choice.
    menus_.clear();
    Choose(f_->ChartCV, -1);
    const auto flat = FlatMenuItems(menus_.at(0));
    for (const PopupMenuItem* item : flat) EXPECT_EQ(item->checked, item->caption == "Japanese") << item->caption;
    choose("Desktop default");
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::Desktop);
    // The submenu itself runs nothing.
    const std::size_t boxes = boxes_.size();
    menus_.clear();
    Choose(f_->ChartCV, -1);
    const auto items = FlatMenuItems(menus_.at(0));
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i]->caption == "Language") Choose(f_->ChartCV, int(i));
    EXPECT_EQ(boxes_.size(), boxes);
    // A settings folder that cannot be made: one box, nothing saved.
    fs::remove_all(settings_);
    std::ofstream(settings_) << "a file in the folder's place";
    choose("English");
    ASSERT_EQ(boxes_.size(), boxes + 1);
    EXPECT_EQ(boxes_.back().text.rfind("Cannot save '", 0), 0u) << boxes_.back().text;
}

TEST_F(CalculatorWindowTest, LanguageChoiceInJapaneseSaysSoInJapanese) {
    const fs::path settings = dir_ / "config";
    setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
    Choose(f_->ChartEnergyBand, -1);
    ASSERT_EQ(menus_.size(), 1u);
    const auto flat = FlatMenuItems(menus_[0]);
    ASSERT_GE(flat.size(), 4u);
    EXPECT_EQ(menus_[0].items[menus_[0].items.size() - 2].caption, "言語 / Language");
    EXPECT_EQ(menus_[0].items.back().caption, "全部を書き出す…");
    EXPECT_EQ(flat[flat.size() - 3]->caption, "日本語");
    Choose(f_->ChartEnergyBand, int(flat.size() - 2));
    EXPECT_EQ(SavedLanguageChoice(), LanguageChoice::English);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "言語を「English」にしました。次に起動したときから使われます。");
    EXPECT_EQ(boxes_[0].caption, "言語 / Language");
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace cvcalc
