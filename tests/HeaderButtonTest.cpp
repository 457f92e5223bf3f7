#include "GuiTestHelpers.h"
#include "gui/HeaderButton.h"
#include "gui/HotSpot.h"

#include <gtest/gtest.h>

using namespace gui_test;

namespace
{
juce::Image buttonFace (bool active, bool highlighted)
{
    const juce::SharedResourcePointer<vorn::gui::SharedFonts> fonts;
    juce::Image image (juce::Image::ARGB, 36, 24, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colour (0xff1b1d1f));
    vorn::gui::drawHeaderButtonFace (g, "A", fonts->getSansFont (12.0f, 0.06f), juce::Colour (0xff42b78a),
                                     active, highlighted, { 0.0f, 0.0f, 36.0f, 24.0f });
    return image;
}

bool isBrightGreen (juce::Colour c) { return c.getGreen() > 110 && c.getGreen() > c.getRed() + 40; }
bool isDarkOnTheDisplay (juce::Colour c) { return c.getGreen() < 70; }

const juce::Rectangle<int> letterArea { 13, 6, 10, 13 };

TEST (HeaderButtonFace, LitIsAGreenDisplayWithABlackLetter)
{
    const auto face = buttonFace (true, false);
    EXPECT_TRUE (isBrightGreen (face.getPixelAt (8, 12))) << face.getPixelAt (8, 12).toString();
    EXPECT_GT (countPixels (face, letterArea, isDarkOnTheDisplay), 8);
}

TEST (HeaderButtonFace, UnlitIsADarkKeyWithAGreenLetter)
{
    const auto face = buttonFace (false, false);
    EXPECT_LT (face.getPixelAt (8, 12).getGreen(), 40);
    EXPECT_GT (countPixels (face, letterArea, isBrightGreen), 8);
}

TEST (HeaderButtonFace, HoverRaisesTheGlowOfAnUnlitButtonOnly)
{
    const auto greenIn = [] (const juce::Image& face)
    {
        auto sum = 0;
        for (auto y = 5; y < 19; ++y)
            for (auto x = 5; x < 31; ++x)
                sum += face.getPixelAt (x, y).getGreen();
        return sum;
    };
    EXPECT_GT (greenIn (buttonFace (false, true)), greenIn (buttonFace (false, false)) + 50);

    const auto lit = buttonFace (true, false), litHovered = buttonFace (true, true);
    for (auto y = 0; y < 24; ++y)
        for (auto x = 0; x < 36; ++x)
            ASSERT_EQ (lit.getPixelAt (x, y).getARGB(), litHovered.getPixelAt (x, y).getARGB()) << x << ", " << y;
}

TEST (HeaderButton, ShowsLitWhilePressedAndPointsWithAHand)
{
    vorn::gui::HeaderButton button ("A");
    button.setBounds (0, 0, 36, 24);
    EXPECT_EQ (button.getName(), "A");
    EXPECT_EQ (button.getButtonText(), "A");
    EXPECT_EQ (button.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));

    const auto painted = [&button] (bool down)
    {
        juce::Image image (juce::Image::ARGB, 36, 24, true);
        juce::Graphics g (image);
        button.paintButton (g, false, down);
        return image;
    };

    EXPECT_FALSE (isBrightGreen (painted (false).getPixelAt (8, 12)));
    EXPECT_TRUE (isBrightGreen (painted (true).getPixelAt (8, 12)));
    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (isBrightGreen (painted (false).getPixelAt (8, 12)));
}

/** A release on a hot spot: where, and whether the press was dragged. */
juce::MouseEvent release (juce::Component& hotSpot, juce::Point<float> position, bool dragged)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), position, {}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
             &hotSpot, &hotSpot, now, { 10.0f, 10.0f }, now, 1, dragged };
}

TEST (HotSpot, CallsOnClickOnlyForAClickReleasedInside)
{
    vorn::gui::HotSpot hotSpot;
    hotSpot.setBounds (30, 11, 71, 34);
    auto clicks = 0;

    hotSpot.mouseUp (release (hotSpot, { 10.0f, 10.0f }, false));
    EXPECT_EQ (clicks, 0) << "without onClick a click does nothing";

    hotSpot.onClick = [&clicks] { ++clicks; };
    hotSpot.mouseUp (release (hotSpot, { 10.0f, 10.0f }, false));
    EXPECT_EQ (clicks, 1);
    hotSpot.mouseUp (release (hotSpot, { 12.0f, 10.0f }, true));
    EXPECT_EQ (clicks, 1) << "a drag is no click";
    hotSpot.mouseUp (release (hotSpot, { 80.0f, 10.0f }, false));
    EXPECT_EQ (clicks, 1) << "released outside";

    bool self = false, children = false;
    hotSpot.getInterceptsMouseClicks (self, children);
    EXPECT_TRUE (self) << "it swallows clicks";
}
} // namespace
