#include "GuiTestHelpers.h"

#include <gtest/gtest.h>

using namespace gui_test;

// Drags with real mouse events and a real pointer: the knob reads the
// pointer's screen position, so these need a display (xvfb-run in the test
// script), and they run one at a time because they move the one pointer.
namespace
{
struct DragCase
{
    const char* name;
    const char* parameterId;
    double start;
    juce::Point<float> movement;
    bool fine;
    double expected;
};

std::ostream& operator<< (std::ostream& os, const DragCase& c) { return os << c.name; }

class KnobDragTest : public testing::TestWithParam<DragCase> {};

TEST_P (KnobDragTest, OneStepMovesTheParameterInOneGestureAndThePointerComesBack)
{
    const auto& c = GetParam();
    BoundKnob bound (c.parameterId, 56.0f);
    bound.knob.setValue (c.start, juce::sendNotificationSync);

    const juce::Point<int> start (300, 200);
    const auto modifiers = c.fine ? leftButtonWithShift : leftButton;
    juce::Desktop::setMousePosition (start);
    bound.knob.mouseDown (mouseEvent (bound.knob, modifiers));
    juce::Desktop::setMousePosition ((start.toFloat() + c.movement).roundToInt());
    bound.knob.mouseDrag (mouseEvent (bound.knob, modifiers));
    bound.knob.mouseUp (mouseEvent (bound.knob, {}));

    EXPECT_NEAR (plainValue (bound.processor, c.parameterId), c.expected, 1e-6);
    EXPECT_EQ (bound.gestures.begins, 1);
    EXPECT_EQ (bound.gestures.ends, 1);
    EXPECT_EQ (juce::Desktop::getMousePosition(), start);
}

INSTANTIATE_TEST_SUITE_P (Steps, KnobDragTest, testing::Values (
    DragCase { "up_10", "DryWetParam", 0.0, { 0, -10 }, false, 0.04 },
    DragCase { "up_10_fine", "DryWetParam", 0.0, { 0, -10 }, true, 0.01 },
    DragCase { "right_10_counts_half", "DryWetParam", 0.0, { 10, 0 }, false, 0.02 },
    DragCase { "up_left_counts_half_the_vertical", "DryWetParam", 0.0, { -10, -10 }, false, 0.02 },
    DragCase { "down_10", "DryWetParam", 0.5, { 0, 10 }, false, 0.46 },
    DragCase { "under_half_an_interval_is_dropped", "DryWetParam", 0.5, { 0, -1 }, false, 0.5 },
    DragCase { "just_over_half_an_interval_moves", "DryWetParam", 0.5, { 0, -2 }, false, 0.51 },
    DragCase { "fine_under_half_an_interval_is_dropped", "DryWetParam", 0.5, { 0, -7 }, true, 0.5 },
    DragCase { "fine_just_over_half_an_interval_moves", "DryWetParam", 0.5, { 0, -9 }, true, 0.51 },
    DragCase { "clamped_at_the_top", "DryWetParam", 0.99, { 0, -100 }, false, 1.0 },
    DragCase { "clamped_at_the_bottom", "DryWetParam", 0.01, { 0, 100 }, false, 0.0 },
    DragCase { "output_up_10", "MasterGainParam", -12.0, { 0, -10 }, false, -11.08 },
    DragCase { "output_one_pixel_moves", "MasterGainParam", -12.0, { 0, -1 }, false, -11.91 }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (KnobDrag, DragSumsItsStepsFromTheSnappedValue)
{
    // Nine 1-pixel steps: each is under half an interval and is dropped, where
    // one 9-pixel step would have moved the value.
    BoundKnob bound ("DryWetParam", 56.0f);
    bound.knob.setValue (0.5, juce::sendNotificationSync);

    juce::Desktop::setMousePosition ({ 300, 200 });
    bound.knob.mouseDown (mouseEvent (bound.knob, leftButton));
    for (auto y = 199; y >= 191; --y)
    {
        juce::Desktop::setMousePosition ({ 300, y });
        bound.knob.mouseDrag (mouseEvent (bound.knob, leftButton));
    }
    bound.knob.mouseUp (mouseEvent (bound.knob, {}));

    EXPECT_NEAR (plainValue (bound.processor, "DryWetParam"), 0.5, 1e-6);
}

TEST (KnobDrag, DoubleClickResetsAndStartsNoDrag)
{
    BoundKnob bound ("DryWetParam", 56.0f);
    bound.knob.setDoubleClickReturnValue (true, 0.0, juce::ModifierKeys::altModifier);
    bound.knob.setValue (0.5, juce::sendNotificationSync);

    juce::Desktop::setMousePosition ({ 300, 200 });
    bound.knob.mouseDown (mouseEvent (bound.knob, leftButton, 2));
    juce::Desktop::setMousePosition ({ 300, 150 });
    bound.knob.mouseDrag (mouseEvent (bound.knob, leftButton, 2));
    EXPECT_NEAR (plainValue (bound.processor, "DryWetParam"), 0.5, 1e-6) << "the second press drags nothing";

    bound.knob.mouseDoubleClick (mouseEvent (bound.knob, leftButton, 2));
    bound.knob.mouseUp (mouseEvent (bound.knob, {}, 2));
    EXPECT_EQ (plainValue (bound.processor, "DryWetParam"), 0.0f);

    // Alt-click is the single-click way to the same value.
    bound.knob.setValue (0.5, juce::sendNotificationSync);
    bound.knob.mouseDown (mouseEvent (bound.knob, juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier)));
    bound.knob.mouseUp (mouseEvent (bound.knob, {}));
    EXPECT_EQ (plainValue (bound.processor, "DryWetParam"), 0.0f);
}

} // namespace
