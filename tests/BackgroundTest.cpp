#include "GuiTestHelpers.h"
#include "gui/Background.h"
#include "gui/GuiConstants.h"
#include "gui/StreakRandom.h"

#include <gtest/gtest.h>

using namespace vorn::gui;
using gui_test::countPixels;

namespace
{
juce::Image render (Background& background)
{
    background.setBounds (0, 0, 430, 300);
    return background.createComponentSnapshot (background.getLocalBounds(), true, 1.0f);
}

juce::Image renderBackground()
{
    Background background;
    return render (background);
}

bool isWhitish (juce::Colour c) { return c.getRed() > 150 && c.getGreen() > 150 && c.getBlue() > 150; }
bool isAccentTinted (juce::Colour c) { return c.getGreen() > c.getRed() + 30 && c.getGreen() > 60; }
bool isCaptionLight (juce::Colour c) { return c.getRed() > 90; }

TEST (StreakRandom, DrawsFollowTheMinimalStandardDefinition)
{
    // state <- state * 16807 mod (2^31 - 1), from 7, advanced before each draw.
    StreakRandom random (7);
    std::uint64_t state = 7;

    for (auto i = 0; i < 1000; ++i)
    {
        state = state * 16807u % 2147483647u;
        ASSERT_EQ (random.next(), static_cast<float> (state) / 2147483648.0f) << "draw " << i;
    }

    StreakRandom first (7);
    EXPECT_FLOAT_EQ (first.next() * 430.0f, 117649.0f / 2147483648.0f * 430.0f);
}

TEST (Background, TwoRendersAreIdentical)
{
    const auto first = renderBackground();
    const auto second = renderBackground();

    for (auto y = 0; y < 300; ++y)
        for (auto x = 0; x < 430; ++x)
            ASSERT_EQ (first.getPixelAt (x, y).getARGB(), second.getPixelAt (x, y).getARGB()) << x << ", " << y;
}

TEST (Background, IsOpaqueBufferedAndLetsClicksThrough)
{
    Background background;
    EXPECT_TRUE (background.isOpaque());
    EXPECT_NE (background.getCachedComponentImage(), nullptr);

    bool self = true, children = true;
    background.getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self);
    EXPECT_FALSE (children);
}

class BackgroundPixels : public testing::Test
{
protected:
    static void SetUpTestSuite() { image = new juce::Image (renderBackground()); }
    static void TearDownTestSuite() { delete image; }

    static juce::Colour at (int x, int y) { return image->getPixelAt (x, y); }

    static juce::Image* image;
};

juce::Image* BackgroundPixels::image = nullptr;

TEST_F (BackgroundPixels, PanelIsItsDarkGrey)
{
    // The streaks shift a pixel by a level or two at most.
    for (auto [x, y] : { std::pair { 150, 150 }, std::pair { 200, 230 }, std::pair { 30, 280 } })
    {
        EXPECT_NEAR (at (x, y).getRed(), 0x1b, 2) << x << ", " << y;
        EXPECT_NEAR (at (x, y).getGreen(), 0x1d, 2) << x << ", " << y;
        EXPECT_NEAR (at (x, y).getBlue(), 0x1f, 2) << x << ", " << y;
        EXPECT_EQ (at (x, y).getAlpha(), 0xff);
    }
}

TEST_F (BackgroundPixels, BevelIsBrightOnTopAndDarkOnTheRightAndBottom)
{
    for (auto x : { 50, 215, 380 })
    {
        EXPECT_GT (at (x, 0).getRed(), 50) << x;
        EXPECT_LT (at (x, 299).getRed(), 14) << x;
    }
    for (auto y : { 100, 200 })
        EXPECT_LT (at (429, y).getRed(), 14) << y;
}

TEST_F (BackgroundPixels, GrooveRunsUnderTheHeaderFrom30To399)
{
    for (auto x : { 30, 215, 399 })
    {
        EXPECT_LT (at (x, 51).getRed(), 0x14) << x;
        EXPECT_GT (at (x, 52).getRed(), 0x24) << x;
    }
    for (auto x : { 29, 400 })
    {
        EXPECT_NEAR (at (x, 51).getRed(), 0x1b, 2) << x;
        EXPECT_NEAR (at (x, 52).getRed(), 0x1b, 2) << x;
    }
}

TEST_F (BackgroundPixels, LogoIsInsideItsBoundsAndNowhereElseInTheHeader)
{
    EXPECT_GT (countPixels (*image, logoBounds, isWhitish), 300);

    // The header around the logo, left of the product caption.
    const juce::Rectangle<int> header (2, 2, 205, 48);
    EXPECT_EQ (countPixels (*image, header, isWhitish), countPixels (*image, logoBounds.getIntersection (header), isWhitish));
}

TEST_F (BackgroundPixels, ProductCaptionIsAccentTintedAndEndsAtX400)
{
    const juce::Rectangle<int> captionBox (208, 12, 192, 36);
    EXPECT_GT (countPixels (*image, captionBox, isAccentTinted), 100);
    EXPECT_EQ (countPixels (*image, { 401, 2, 27, 48 }, isAccentTinted), 0);

    // Right-aligned to x = 400; the font's extra kerning follows the last
    // letter too, so the ink stops a few pixels short of the box's edge.
    EXPECT_GT (countPixels (*image, { 380, 12, 21, 36 }, isAccentTinted), 0);
    EXPECT_EQ (countPixels (*image, { 208, 12, 60, 36 }, isAccentTinted), 0);
}

TEST_F (BackgroundPixels, EngravedCaptionsAreInTheirRectangles)
{
    const std::pair<const char*, juce::Rectangle<int>> captions[] {
        { "SKIMMING", { 20, 62, 200, 18 } },
        { "OUTPUT", { 259, 92, 120, 15 } },
        { "CLIP", { 327, 67, 56, 13 } },
    };

    for (const auto& [text, area] : captions)
        EXPECT_GT (countPixels (*image, area, isCaptionLight), 20) << text;

    // "CLIP" is right-aligned: it ends near x = 383 and starts well after 327.
    EXPECT_GT (countPixels (*image, { 373, 67, 10, 13 }, isCaptionLight), 0);
    EXPECT_EQ (countPixels (*image, { 327, 67, 20, 13 }, isCaptionLight), 0);
}

TEST (Background, LogoThatDoesNotDecodeLeavesThePanelBare)
{
    const char notAPicture[] = "not a PNG";
    Background background (notAPicture, sizeof notAPicture);
    const auto image = render (background);

    EXPECT_EQ (countPixels (image, logoBounds, isWhitish), 0);
    EXPECT_GT (countPixels (image, { 20, 62, 200, 18 }, isCaptionLight), 20) << "the rest is drawn as usual";
}
} // namespace
