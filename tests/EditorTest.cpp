#include "editor/VornAudioProcessorEditor.h"
#include "gui/Background.h"
#include "gui/LookAndFeel.h"
#include "processor/VornAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct OpenEditor
{
    VornAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor { processor.createEditorIfNeeded() };
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
