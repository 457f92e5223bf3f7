#include "AudioThread.h"
#include "GuiTestHelpers.h"
#include "editor/VornAudioProcessorEditor.h"
#include "gui/Background.h"
#include "gui/ClipLed.h"
#include "gui/HotSpot.h"
#include "gui/Knob.h"
#include "gui/LookAndFeel.h"
#include "gui/Readout.h"

#include <gtest/gtest.h>

namespace
{
struct OpenEditor
{
    VornAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditorIfNeeded() };

    juce::Component& content() const { return *editor->getChildComponent (0); }

    template <typename Widget>
    Widget& child (int index) const
    {
        auto* widget = dynamic_cast<Widget*> (content().getChildComponent (index));
        EXPECT_NE (widget, nullptr) << "content child " << index;
        return *widget;
    }

    vorn::gui::Knob& skimmingKnob() const { return child<vorn::gui::Knob> (1); }
    vorn::gui::Knob& outputKnob() const { return child<vorn::gui::Knob> (2); }
    vorn::gui::Readout& skimmingReadout() const { return child<vorn::gui::Readout> (3); }
    vorn::gui::Readout& outputReadout() const { return child<vorn::gui::Readout> (4); }
};

TEST (Editor, IsAFixedOpaquePanelInVornsLook)
{
    OpenEditor open;
    auto& editor = *open.editor;

    ASSERT_NE (dynamic_cast<VornAudioProcessorEditor*> (&editor), nullptr);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 430, 300));
    EXPECT_FALSE (editor.isResizable());
    EXPECT_TRUE (editor.isOpaque());
    EXPECT_NE (dynamic_cast<vorn::gui::LookAndFeel*> (&editor.getLookAndFeel()), nullptr);
}

TEST (Editor, HoldsTheTooltipWindowAndTheContentWithTheBackgroundAtTheBottom)
{
    OpenEditor open;
    auto& editor = *open.editor;

    // The tooltip window stays on top of the content, whatever the order they came in.
    ASSERT_EQ (editor.getNumChildComponents(), 2);
    auto* content = editor.getChildComponent (0);
    auto* tooltips = dynamic_cast<juce::TooltipWindow*> (editor.getChildComponent (1));
    ASSERT_NE (tooltips, nullptr);
    EXPECT_FALSE (tooltips->isVisible());

    EXPECT_EQ (content->getBounds(), juce::Rectangle<int> (0, 0, 430, 300));
    EXPECT_TRUE (content->isVisible());
    ASSERT_GE (content->getNumChildComponents(), 1);
    auto* background = dynamic_cast<vorn::gui::Background*> (content->getChildComponent (0));
    ASSERT_NE (background, nullptr);
    EXPECT_EQ (background->getBounds(), juce::Rectangle<int> (0, 0, 430, 300));
    EXPECT_TRUE (background->isVisible());
}

struct ChildCase
{
    const char* name;
    juce::Rectangle<int> bounds;
    const char* tooltip;
};

// content's children, bottom to top.
const ChildCase children[] {
    { "background", { 0, 0, 430, 300 }, nullptr },
    { "skimmingKnob", { 21, 77, 198, 198 }, "Skimming: how much of the Vorn curve is applied.\n"
                                            "Drag or scroll to adjust, hold Shift for fine control, double-click to reset." },
    { "outputKnob", { 244, 101, 150, 150 }, "Output level in dB.\n"
                                            "Drag or scroll to adjust, hold Shift for fine control, double-click for 0 dB." },
    { "skimmingReadout", { 87, 249, 66, 25 }, "Double-click to type a value" },
    { "outputReadout", { 286, 249, 66, 25 }, "Double-click to type a value" },
    { "clipLed", { 377, 59, 30, 30 }, "Lights when the output peaks near 0 dBFS. Click to clear." },
    { "buttonA", { 177, 16, 36, 24 }, "Setting A. Switch between A and B to compare two settings." },
    { "buttonB", { 217, 16, 36, 24 }, "Setting B. Switch between A and B to compare two settings." },
    { "logoHotSpot", { 30, 11, 71, 34 }, "okulaboratories.com" },
    { "versionHotSpot", { 300, 12, 100, 36 }, "OKU Laboratories Vorn v2.2.2" },
};

TEST (Editor, EveryChildSitsAtItsPlaceInTheStackingOrderWithItsTooltip)
{
    OpenEditor open;
    ASSERT_EQ (open.content().getNumChildComponents(), static_cast<int> (std::size (children)));

    for (size_t i = 0; i < std::size (children); ++i)
    {
        const auto& expected = children[i];
        auto* child = open.content().getChildComponent (static_cast<int> (i));
        EXPECT_EQ (child->getBounds(), expected.bounds) << expected.name;
        EXPECT_TRUE (child->isVisible()) << expected.name;

        auto* tooltipClient = dynamic_cast<juce::TooltipClient*> (child);
        EXPECT_EQ (tooltipClient != nullptr ? tooltipClient->getTooltip() : juce::String(),
                   juce::String (expected.tooltip != nullptr ? expected.tooltip : "")) << expected.name;
    }

    EXPECT_NE (dynamic_cast<vorn::gui::Background*> (open.content().getChildComponent (0)), nullptr);
    EXPECT_NE (dynamic_cast<vorn::gui::ClipLed*> (open.content().getChildComponent (5)), nullptr);
}

TEST (Editor, KnobsTakeTheirParametersRangesAndResetToZero)
{
    OpenEditor open;
    EXPECT_EQ (open.skimmingKnob().getRange(), juce::Range<double> (0.0, 1.0));
    EXPECT_EQ (open.outputKnob().getRange(), juce::Range<double> (-24.0, 0.0));
    EXPECT_NEAR (open.outputKnob().getInterval(), 0.01, 1e-6);
    EXPECT_DOUBLE_EQ (open.outputKnob().getDoubleClickReturnValue(), 0.0);
    EXPECT_DOUBLE_EQ (open.skimmingKnob().getDoubleClickReturnValue(), 0.0);
}

TEST (Editor, ReadoutsShowTheParametersAsSoonAsItOpens)
{
    VornAudioProcessor processor;
    processor_test::setSkimming (processor, 0.37f);
    processor_test::setOutputDb (processor, -6.5f);

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    auto& content = *editor->getChildComponent (0);
    EXPECT_EQ (dynamic_cast<juce::Label*> (content.getChildComponent (3))->getText(), "37");
    EXPECT_EQ (dynamic_cast<juce::Label*> (content.getChildComponent (4))->getText(), "-6.5");
}

TEST (Editor, HostChangesMoveTheKnobAndItsReadout)
{
    OpenEditor open;
    processor_test::setOutputDb (open.processor, -12.3f);

    EXPECT_NEAR (open.outputKnob().getValue(), -12.3, 1e-5);
    EXPECT_EQ (open.outputReadout().getText(), "-12.3");
}

TEST (Editor, AKnobTurnSetsTheParameterInOneGesture)
{
    OpenEditor open;
    gui_test::GestureCounter gestures (gui_test::parameter (open.processor, "DryWetParam"));

    juce::MouseWheelDetails wheel {};
    wheel.deltaY = 1.0f;
    open.skimmingKnob().mouseWheelMove (gui_test::mouseEvent (open.skimmingKnob(), {}), wheel);

    EXPECT_FLOAT_EQ (gui_test::plainValue (open.processor, "DryWetParam"), 0.12f);
    EXPECT_EQ (open.skimmingReadout().getText(), "12");
    EXPECT_EQ (gestures.begins, 1);
    EXPECT_EQ (gestures.ends, 1);
}

/** The editor's refresh, as its timer runs it. */
void tick (juce::AudioProcessorEditor& editor) { dynamic_cast<juce::Timer&> (editor).timerCallback(); }

/** A press and release on a button, as the framework delivers a click. */
void click (juce::Button& button)
{
    auto& component = static_cast<juce::Component&> (button);
    component.mouseDown (gui_test::mouseEvent (button, gui_test::leftButton));
    component.mouseUp (gui_test::mouseEvent (button, {}));
}

TEST (EditorSlots, OpeningOnSlotBLightsBAtOnce)
{
    VornAudioProcessor processor;
    processor.switchToSlot (1);
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    auto& content = *editor->getChildComponent (0);

    EXPECT_FALSE (dynamic_cast<juce::Button*> (content.getChildComponent (6))->getToggleState());
    EXPECT_TRUE (dynamic_cast<juce::Button*> (content.getChildComponent (7))->getToggleState());
    EXPECT_TRUE (dynamic_cast<juce::Timer*> (editor.get())->isTimerRunning());
    EXPECT_EQ (dynamic_cast<juce::Timer*> (editor.get())->getTimerInterval(), 100);
}

TEST (EditorSlots, ClickingBThenABringsBackAsValuesAndTheActiveSlotsClickChangesNothing)
{
    OpenEditor open;
    auto& buttonA = open.child<juce::Button> (6);
    auto& buttonB = open.child<juce::Button> (7);
    auto& skimming = gui_test::parameter (open.processor, "DryWetParam");
    skimming.setValueNotifyingHost (0.37f);

    click (buttonA);
    EXPECT_EQ (open.processor.getActiveSlot(), 0);
    EXPECT_TRUE (buttonA.getToggleState());
    EXPECT_FLOAT_EQ (gui_test::plainValue (open.processor, "DryWetParam"), 0.37f);

    click (buttonB);
    EXPECT_EQ (open.processor.getActiveSlot(), 1);
    EXPECT_TRUE (buttonB.getToggleState());
    EXPECT_FALSE (buttonA.getToggleState());
    skimming.setValueNotifyingHost (0.8f);

    click (buttonA);
    EXPECT_EQ (open.processor.getActiveSlot(), 0);
    EXPECT_FLOAT_EQ (gui_test::plainValue (open.processor, "DryWetParam"), 0.37f);
    EXPECT_EQ (open.skimmingReadout().getText(), "37");
    EXPECT_TRUE (buttonA.getToggleState());
    EXPECT_FALSE (buttonB.getToggleState());
}

TEST (EditorSlots, AStateRestoredWithSlotBLightsBAtTheNextTick)
{
    VornAudioProcessor other;
    other.switchToSlot (1);
    juce::MemoryBlock state;
    other.getStateInformation (state);

    OpenEditor open;
    open.processor.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    tick (*open.editor);

    EXPECT_FALSE (open.child<juce::Button> (6).getToggleState());
    EXPECT_TRUE (open.child<juce::Button> (7).getToggleState());
}

TEST (EditorHotSpots, TheLogoOpensTheWebSiteAndTheCaptionOnlyShowsTheVersion)
{
    VornAudioProcessor processor;
    juce::StringArray opened;
    VornAudioProcessorEditor editor (processor, processor.parameters,
                                     [&opened] (const juce::URL& url) { opened.add (url.toString (true)); });
    auto& content = *editor.getChildComponent (0);
    auto* logo = dynamic_cast<vorn::gui::HotSpot*> (content.getChildComponent (8));
    auto* version = dynamic_cast<vorn::gui::HotSpot*> (content.getChildComponent (9));
    ASSERT_NE (logo, nullptr);
    ASSERT_NE (version, nullptr);

    EXPECT_EQ (logo->getTooltip(), "okulaboratories.com");
    EXPECT_EQ (logo->getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
    EXPECT_EQ (version->getTooltip(), "OKU Laboratories Vorn v2.2.2");

    logo->mouseUp (gui_test::mouseEvent (*logo, {}));
    EXPECT_EQ (opened, juce::StringArray { "https://okulaboratories.com" });

    version->mouseUp (gui_test::mouseEvent (*version, {}));
    EXPECT_EQ (opened.size(), 1);
}

TEST (Editor, AParameterChangeAfterTheWindowClosedReachesNoWidget)
{
    VornAudioProcessor processor;
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    }
    EXPECT_EQ (processor.getActiveEditor(), nullptr);

    // With an attachment left behind this would write into a destroyed knob.
    gui_test::parameter (processor, "DryWetParam").setValueNotifyingHost (0.5f);
    gui_test::parameter (processor, "MasterGainParam").setValueNotifyingHost (0.25f);
    EXPECT_FLOAT_EQ (gui_test::plainValue (processor, "DryWetParam"), 0.5f);
}

TEST (Editor, AReopenedWindowShowsTheLampDarkUntilTheNextClip)
{
    VornAudioProcessor processor;
    const auto lampOf = [] (juce::AudioProcessorEditor& editor) -> vorn::gui::ClipLed&
    {
        return *dynamic_cast<vorn::gui::ClipLed*> (editor.getChildComponent (0)->getChildComponent (5));
    };

    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        processor.clipFlag = true;
        lampOf (*editor).timerCallback();
        EXPECT_TRUE (lampOf (*editor).isLit());
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    auto& lamp = lampOf (*editor);
    EXPECT_FALSE (lamp.isLit());
    lamp.timerCallback();
    EXPECT_FALSE (lamp.isLit()) << "the hold lived in the closed window's lamp";

    processor.clipFlag = true;
    lamp.timerCallback();
    EXPECT_TRUE (lamp.isLit());
}

TEST (Editor, DrawsAtTheDisplaysScaleWithoutBlur)
{
    OpenEditor open;
    const auto one = open.editor->createComponentSnapshot (open.editor->getLocalBounds(), true, 1.0f);
    const auto two = open.editor->createComponentSnapshot (open.editor->getLocalBounds(), true, 2.0f);
    ASSERT_EQ (two.getWidth(), 860);

    // The top bevel line is one device pixel high at scale 1 and two at
    // scale 2, and the row below it has the inner outline's colour, not a blend.
    for (auto x : { 150, 300 })
    {
        const auto red = [] (const juce::Image& image, int px, int py) { return static_cast<int> (image.getPixelAt (px, py).getRed()); };
        EXPECT_NEAR (red (two, 2 * x, 0), red (one, x, 0), 2) << x;
        EXPECT_NEAR (red (two, 2 * x, 1), red (one, x, 0), 2) << x;
        EXPECT_NEAR (red (two, 2 * x, 2), red (one, x, 1), 2) << x;
        EXPECT_GT (red (one, x, 0) - red (one, x, 1), 15) << x;
    }
}

// The same as a host opening and closing the window while it plays, in this
// process so that the sanitizer build watches the editor's own code too.
TEST (Editor, OpensAndClosesFiftyTimesWhileAudioRunsAndClips)
{
    VornAudioProcessor processor;
    AudioThread audio (processor);

    for (auto round = 0; round < 50; ++round)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        ASSERT_EQ (editor->getWidth(), 430);
        dynamic_cast<juce::Timer&> (*editor->getChildComponent (0)->getChildComponent (5)).timerCallback();
        dynamic_cast<juce::Timer&> (*editor).timerCallback();
        editor->createComponentSnapshot (editor->getLocalBounds());
    }

    EXPECT_GT (audio.blocks(), 0);
}

TEST (Editor, OpensAndClosesAgainAndAgain)
{
    VornAudioProcessor processor;
    for (auto i = 0; i < 3; ++i)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        EXPECT_EQ (processor.getActiveEditor(), editor.get());
        const auto image = editor->createComponentSnapshot (editor->getLocalBounds());
        EXPECT_EQ (image.getWidth(), 430);
    }
    EXPECT_EQ (processor.getActiveEditor(), nullptr);
}
} // namespace
