#include "GuiTestHelpers.h"
#include "gui/Knob.h"

#include <gtest/gtest.h>

using namespace gui_test;
using vorn::gui::Knob;

namespace
{
struct WheelCase
{
    const char* name;
    const char* parameterId;
    float deltaX, deltaY;
    bool reversed;
    juce::ModifierKeys modifiers;
    double start, expected;
};

std::ostream& operator<< (std::ostream& os, const WheelCase& c) { return os << c.name; }

class KnobWheelTest : public testing::TestWithParam<WheelCase> {};

TEST_P (KnobWheelTest, OneWheelEventIsOneStepInOneGesture)
{
    const auto& c = GetParam();
    BoundKnob bound (c.parameterId, 56.0f);
    bound.knob.setValue (c.start, juce::sendNotificationSync);

    juce::MouseWheelDetails wheel {};
    wheel.deltaX = c.deltaX;
    wheel.deltaY = c.deltaY;
    wheel.isReversed = c.reversed;
    bound.knob.mouseWheelMove (mouseEvent (bound.knob, c.modifiers), wheel);

    EXPECT_NEAR (plainValue (bound.processor, c.parameterId), c.expected, 1e-6);
    const auto moved = c.expected != c.start;
    EXPECT_EQ (bound.gestures.begins, moved ? 1 : 0);
    EXPECT_EQ (bound.gestures.ends, moved ? 1 : 0);
}

const juce::ModifierKeys none;
const juce::ModifierKeys shift { juce::ModifierKeys::shiftModifier };

INSTANTIATE_TEST_SUITE_P (Events, KnobWheelTest, testing::Values (
    WheelCase { "one_unit_up", "DryWetParam", 0.0f, 1.0f, false, none, 0.5, 0.62 },
    WheelCase { "one_unit_down", "DryWetParam", 0.0f, -1.0f, false, none, 0.5, 0.38 },
    WheelCase { "one_unit_fine", "DryWetParam", 0.0f, 1.0f, false, shift, 0.5, 0.52 },
    WheelCase { "tiny_delta_moves_one_interval", "DryWetParam", 0.0f, 0.01f, false, none, 0.5, 0.51 },
    WheelCase { "mainly_horizontal_negative_x_raises", "DryWetParam", -1.0f, 0.2f, false, none, 0.5, 0.62 },
    WheelCase { "reversed_wheel_lowers", "DryWetParam", 0.0f, 1.0f, true, none, 0.5, 0.38 },
    WheelCase { "held_button_is_ignored", "DryWetParam", 0.0f, 1.0f, false, leftButton, 0.5, 0.5 },
    WheelCase { "clamped_at_the_top", "DryWetParam", 0.0f, 1.0f, false, none, 0.95, 1.0 },
    WheelCase { "output_one_unit", "MasterGainParam", 0.0f, 1.0f, false, none, -12.0, -9.12 },
    WheelCase { "output_tiny_delta", "MasterGainParam", 0.0f, 0.0001f, false, none, -12.0, -11.99 }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (KnobShape, SitsAroundItsCentreAndIsHitOnlyInsideItsCircle)
{
    Knob skimming (120.0f, 176.0f, 56.0f);
    Knob output (319.0f, 176.0f, 40.0f);
    EXPECT_EQ (skimming.getBounds(), juce::Rectangle<int> (21, 77, 198, 198));
    EXPECT_EQ (output.getBounds(), juce::Rectangle<int> (244, 101, 150, 150));

    // Local centre (99, 99); 1.35 x 56 = 75.6 px.
    const std::tuple<int, int, bool> points[] {
        { 99, 99, true }, { 99 + 75, 99, true }, { 99 + 76, 99, false }, { 99, 99 - 75, true },
        { 99 + 53, 99 + 53, true }, { 99 + 54, 99 + 54, false }, { 0, 0, false }, { 197, 197, false },
    };
    for (const auto& [x, y, inside] : points)
        EXPECT_EQ (skimming.hitTest (x, y), inside) << x << ", " << y;
}

// Faces rendered into pictures: the scale's ticks and the pointer where the
// value says.
struct Face
{
    static constexpr float cx = 99.0f, cy = 99.0f, r = 56.0f;
    static constexpr float startAngle = juce::MathConstants<float>::pi * 1.2f;
    static constexpr float endAngle = juce::MathConstants<float>::pi * 2.8f;

    explicit Face (float proportion, bool highlighted = false) : image (juce::Image::ARGB, 198, 198, true)
    {
        juce::Graphics g (image);
        g.fillAll (juce::Colour (0xff1b1d1f));
        vorn::gui::drawKnobFace (g, juce::Colour (0xff42b78a), highlighted, cx, cy, r, proportion, startAngle, endAngle);
    }

    static juce::Point<int> at (float angle, float radius)
    {
        return juce::Point<float> (cx + std::sin (angle) * radius, cy - std::cos (angle) * radius).roundToInt();
    }

    /** The middle of tick i (0 to 32). */
    static juce::Point<int> tickMiddle (int i)
    {
        const auto angle = startAngle + static_cast<float> (i) * 0.03125f * (endAngle - startAngle);
        const auto outer = i % 4 == 0 ? 1.511f : 1.255f;
        return at (angle, (1.149f + outer) / 2.0f * r);
    }

    juce::Colour tick (int i) const { return image.getPixelAt (tickMiddle (i).x, tickMiddle (i).y); }

    std::vector<bool> litTicks() const
    {
        std::vector<bool> lit;
        for (auto i = 0; i <= 32; ++i)
            lit.push_back (gui_test::anyAround (image, tickMiddle (i), [] (juce::Colour c) { return c.getGreen() > 140; }));
        return lit;
    }

    bool pointerAt (float angle) const
    {
        return gui_test::anyAround (image, at (angle, 0.5f * 0.82f * r), gui_test::isWarmWhite);
    }

    juce::Image image;
};

TEST (KnobFace, AtTheMinimumOnlyTheFirstTickIsLitAndThePointerPointsLowerLeft)
{
    const Face face (0.0f);
    auto expected = std::vector<bool> (33, false);
    expected[0] = true;
    EXPECT_EQ (face.litTicks(), expected);
    EXPECT_TRUE (face.pointerAt (Face::startAngle));
    EXPECT_FALSE (face.pointerAt (Face::endAngle));
}

TEST (KnobFace, AtTheMaximumAllTicksAreLitAndThePointerPointsLowerRight)
{
    const Face face (1.0f);
    EXPECT_EQ (face.litTicks(), std::vector<bool> (33, true));
    EXPECT_TRUE (face.pointerAt (Face::endAngle));
    EXPECT_FALSE (face.pointerAt (Face::startAngle));
}

TEST (KnobFace, AtHalfTheTicksUpToTheMiddleAreLitAndThePointerIsUp)
{
    const Face face (0.5f);
    auto expected = std::vector<bool> (33, false);
    std::fill (expected.begin(), expected.begin() + 17, true);
    EXPECT_EQ (face.litTicks(), expected);
    EXPECT_TRUE (face.pointerAt (juce::MathConstants<float>::twoPi));
}

TEST (KnobFace, HoverBrightensTheLitTicksOnly)
{
    const Face plain (0.5f), hovered (0.5f, true);

    // The glow around a lit tick, beside its core; an unlit tick's middle.
    const auto glowBeside = [] (const Face& face, int i)
    {
        const auto angle = Face::startAngle + static_cast<float> (i) * 0.03125f * (Face::endAngle - Face::startAngle);
        const auto p = Face::at (angle + 0.035f, 1.33f * Face::r);
        return face.image.getPixelAt (p.x, p.y);
    };

    EXPECT_GT (glowBeside (hovered, 8).getGreen(), glowBeside (plain, 8).getGreen());
    EXPECT_EQ (hovered.tick (24).getARGB(), plain.tick (24).getARGB());
    EXPECT_EQ (hovered.image.getPixelAt (70, 99).getARGB(), plain.image.getPixelAt (70, 99).getARGB()) << "the cap does not change";
}
} // namespace
