#include "GuiTestHelpers.h"
#include "editor/VornAudioProcessorEditor.h"
#include "gui/Background.h"
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

TEST (Editor, PlacesTheKnobsAndReadoutsAboveTheBackground)
{
    OpenEditor open;
    EXPECT_EQ (open.skimmingKnob().getBounds(), juce::Rectangle<int> (21, 77, 198, 198));
    EXPECT_EQ (open.outputKnob().getBounds(), juce::Rectangle<int> (244, 101, 150, 150));
    EXPECT_EQ (open.skimmingReadout().getBounds(), juce::Rectangle<int> (87, 249, 66, 25));
    EXPECT_EQ (open.outputReadout().getBounds(), juce::Rectangle<int> (286, 249, 66, 25));

    EXPECT_EQ (open.skimmingKnob().getRange(), juce::Range<double> (0.0, 1.0));
    EXPECT_EQ (open.outputKnob().getRange(), juce::Range<double> (-24.0, 0.0));
    EXPECT_NEAR (open.outputKnob().getInterval(), 0.01, 1e-6);
    EXPECT_DOUBLE_EQ (open.outputKnob().getDoubleClickReturnValue(), 0.0);
    EXPECT_TRUE (open.skimmingKnob().getTooltip().startsWith ("Skimming: how much of the Vorn curve is applied.\n"));
    EXPECT_TRUE (open.outputKnob().getTooltip().endsWith ("double-click for 0 dB."));
}

TEST (Editor, ReadoutsShowTheParametersAsSoonAsItOpens)
{
    VornAudioProcessor processor;
    gui_test::parameter (processor, "DryWetParam").setValueNotifyingHost (0.37f);
    gui_test::parameter (processor, "MasterGainParam").setValueNotifyingHost (gui_test::parameter (processor, "MasterGainParam").convertTo0to1 (-6.5f));

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    auto& content = *editor->getChildComponent (0);
    EXPECT_EQ (dynamic_cast<juce::Label*> (content.getChildComponent (3))->getText(), "37");
    EXPECT_EQ (dynamic_cast<juce::Label*> (content.getChildComponent (4))->getText(), "-6.5");
}

TEST (Editor, HostChangesMoveTheKnobAndItsReadout)
{
    OpenEditor open;
    auto& output = gui_test::parameter (open.processor, "MasterGainParam");
    output.setValueNotifyingHost (output.convertTo0to1 (-12.3f));

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
