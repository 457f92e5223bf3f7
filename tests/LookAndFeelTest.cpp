#include "gui/GuiConstants.h"
#include "gui/LookAndFeel.h"

#include <gtest/gtest.h>

using namespace vorn::gui;

namespace
{
TEST (LookAndFeel, SetsTheFourteenColours)
{
    const LookAndFeel lookAndFeel;
    const std::pair<int, juce::uint32> colours[] {
        { juce::TooltipWindow::backgroundColourId, 0xf20e0f10 },
        { juce::TooltipWindow::textColourId, 0xffdfe9e5 },
        { juce::TooltipWindow::outlineColourId, 0x7342b78a },
        { juce::PopupMenu::backgroundColourId, 0xff0e0f10 },
        { juce::PopupMenu::textColourId, 0xffdfe9e5 },
        { juce::PopupMenu::highlightedBackgroundColourId, 0xff42b78a },
        { juce::PopupMenu::highlightedTextColourId, 0xff00293f },
        { juce::TextEditor::backgroundColourId, 0xff0b0c0d },
        { juce::TextEditor::textColourId, 0xff6fe0b2 },
        { juce::TextEditor::highlightColourId, 0x6642b78a },
        { juce::TextEditor::highlightedTextColourId, 0xffdfe9e5 },
        { juce::TextEditor::outlineColourId, 0x00000000 },
        { juce::TextEditor::focusedOutlineColourId, 0x9942b78a },
        { juce::CaretComponent::caretColourId, 0xff6fe0b2 },
    };

    for (const auto& [id, argb] : colours)
        EXPECT_EQ (lookAndFeel.findColour (id).getARGB(), argb) << "colour id 0x" << juce::String::toHexString (id);
}

TEST (LookAndFeel, PopupMenuHasItsBackgroundOutlineAndGothicFont)
{
    LookAndFeel lookAndFeel;
    juce::Image image (juce::Image::ARGB, 100, 40, true);
    {
        juce::Graphics g (image);
        lookAndFeel.drawPopupMenuBackground (g, 100, 40);
    }

    const auto outline = juce::Colour (0xff0e0f10).overlaidWith (accentColour.withAlpha (0.35f));
    const auto near = [] (juce::Colour a, juce::Colour b)
    {
        return std::abs (a.getRed() - b.getRed()) <= 1 && std::abs (a.getGreen() - b.getGreen()) <= 1
            && std::abs (a.getBlue() - b.getBlue()) <= 1;
    };

    EXPECT_EQ (image.getPixelAt (50, 20).getARGB(), 0xff0e0f10u);
    for (auto [x, y] : { std::pair { 0, 20 }, std::pair { 99, 20 }, std::pair { 50, 0 }, std::pair { 50, 39 } })
        EXPECT_TRUE (near (image.getPixelAt (x, y), outline)) << x << ", " << y << ": " << image.getPixelAt (x, y).toString();

    const auto font = lookAndFeel.getPopupMenuFont();
    EXPECT_EQ (font.getTypefacePtr()->getName(), "Barlow Condensed");
    EXPECT_FLOAT_EQ (font.getHeight(), 17.0f);
    EXPECT_FLOAT_EQ (font.getExtraKerningFactor(), 0.08f);
}

// The tip's size for a text, measured where nothing constrains it.
juce::Rectangle<int> freeTip (LookAndFeel& lookAndFeel, const juce::String& text)
{
    return lookAndFeel.getTooltipBounds (text, { 100, 100 }, { 0, 0, 4000, 4000 });
}

const juce::String shortTip = "Double-click to type a value";
const juce::String longTip = "Skimming: how much of the Vorn curve is applied.\n"
                             "Drag or scroll to adjust, hold Shift for fine control, double-click to reset.";

TEST (LookAndFeelTooltip, IsTheTextWithItsMarginsAndWrapsAt260)
{
    LookAndFeel lookAndFeel;
    const auto font = juce::Font (juce::SharedResourcePointer<SharedFonts>()->getSansFont (12.0f, 0.02f));
    const auto oneLine = freeTip (lookAndFeel, shortTip);

    EXPECT_EQ (oneLine.getWidth(), static_cast<int> (std::ceil (font.getStringWidthFloat (shortTip))) + 18);
    EXPECT_EQ (oneLine.getHeight(), static_cast<int> (std::ceil (font.getHeight())) + 12);

    // Whole lines at most 260 px wide: the forced break and at least one wrap.
    const auto wrapped = freeTip (lookAndFeel, longTip);
    const auto lineHeight = oneLine.getHeight() - 12;
    EXPECT_LE (wrapped.getWidth(), 260 + 18);
    EXPECT_GT (wrapped.getWidth(), 200 + 18);
    EXPECT_EQ ((wrapped.getHeight() - 12) % lineHeight, 0);
    EXPECT_GE ((wrapped.getHeight() - 12) / lineHeight, 3);
}

struct PlacementCase
{
    const char* name;
    juce::String text;
    juce::Point<int> mouse;
    juce::Rectangle<int> area;
    /** The expected rectangle, from the tip's free size. */
    std::function<juce::Rectangle<int> (juce::Rectangle<int> free, juce::Point<int> mouse, juce::Rectangle<int> area)> expected;
};

std::ostream& operator<< (std::ostream& os, const PlacementCase& c) { return os << c.name; }

class TooltipPlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P (TooltipPlacementTest, PlacesTheTipAroundThePointerInsideTheArea)
{
    const auto& c = GetParam();
    LookAndFeel lookAndFeel;
    const auto free = freeTip (lookAndFeel, c.text);

    EXPECT_EQ (lookAndFeel.getTooltipBounds (c.text, c.mouse, c.area), c.expected (free, c.mouse, c.area));
}

using R = juce::Rectangle<int>;
using P = juce::Point<int>;
const R editorArea { 0, 0, 430, 300 };

INSTANTIATE_TEST_SUITE_P (Cases, TooltipPlacementTest, testing::Values (
    PlacementCase { "upper_left_goes_right_and_below", shortTip, { 40, 30 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (m.x + 24, m.y + 6); } },
    PlacementCase { "upper_right_goes_left_and_below", shortTip, { 300, 30 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (m.x - 12 - f.getWidth(), m.y + 6); } },
    PlacementCase { "lower_left_goes_right_and_above", shortTip, { 40, 250 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (m.x + 24, m.y - 6 - f.getHeight()); } },
    PlacementCase { "lower_right_goes_left_and_above", shortTip, { 300, 250 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (m.x - 12 - f.getWidth(), m.y - 6 - f.getHeight()); } },
    PlacementCase { "on_the_centre_counts_as_upper_left", shortTip, { 215, 150 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (m.x + 24, m.y + 6); } },
    PlacementCase { "offset_area_uses_its_own_centre", shortTip, { 1200, 640 }, { 1000, 500, 430, 300 },
                    [] (R f, P m, R) { return f.withPosition (m.x + 24, m.y + 6); } },
    PlacementCase { "near_the_right_edge_is_pushed_in", longTip, { 200, 10 }, editorArea,
                    [] (R f, P, R a) { return f.withPosition (a.getRight() - f.getWidth(), 16); } },
    PlacementCase { "near_the_left_edge_is_pushed_in", longTip, { 230, 30 }, editorArea,
                    [] (R f, P m, R) { return f.withPosition (0, m.y + 6); } },
    PlacementCase { "near_the_top_edge_is_pushed_down", longTip, { 40, 41 }, { 0, 0, 430, 80 },
                    [] (R f, P m, R) { return f.withPosition (m.x + 24, 0); } },
    PlacementCase { "near_the_bottom_edge_is_pushed_up", longTip, { 40, 40 }, { 0, 0, 430, 80 },
                    [] (R f, P m, R a) { return f.withPosition (m.x + 24, a.getBottom() - f.getHeight()); } },
    PlacementCase { "larger_than_the_area_is_cut_to_it", longTip, { 50, 20 }, { 10, 10, 120, 30 },
                    [] (R, P, R a) { return a; } }),
    [] (const auto& info) { return std::string (info.param.name); });
} // namespace
