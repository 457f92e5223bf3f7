#include "gui/SharedFonts.h"

#include "VornResources.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

using vorn::gui::SharedFonts;
using FontsPointer = juce::SharedResourcePointer<SharedFonts>;

namespace
{
TEST (SharedFonts, OneInstanceWhileHeldAndANewOneAfterTheLastHolderGoes)
{
    juce::Typeface::Ptr firstGothic;
    {
        const FontsPointer first;
        const FontsPointer second;
        EXPECT_EQ (&*first, &*second);
        EXPECT_EQ (first.getReferenceCount(), 2);

        firstGothic = first->getGothicFont (12.0f, 0.0f).getTypefacePtr();
        EXPECT_EQ (second->getGothicFont (20.0f, 0.1f).getTypefacePtr(), firstGothic);
    }

    // The old typeface lives on in the font that still holds it; a new holder
    // makes the typefaces anew.
    const FontsPointer later;
    EXPECT_EQ (later.getReferenceCount(), 1);
    EXPECT_NE (later->getGothicFont (12.0f, 0.0f).getTypefacePtr(), firstGothic);
}

struct FaceCase
{
    const char* getter;
    juce::Font (SharedFonts::*get) (float, float) const;
    const char* typefaceName;
    const char* fontData;
    int fontSize;
    /** What the editor draws in this face: captions, values and units,
        menus, tooltips and button letters. */
    const char* editorTexts;
};

std::ostream& operator<< (std::ostream& os, const FaceCase& c) { return os << c.getter; }

const FaceCase faces[] {
    { "Gothic", &SharedFonts::getGothicFont, "Barlow Condensed",
      vorn_resources::BarlowCondensedRegular_ttf, vorn_resources::BarlowCondensedRegular_ttfSize,
      "SKIMMING OUTPUT CLIP 0123456789 -.,% dB Cut Copy Paste Delete Select All Undo Redo" },
    { "GothicLight", &SharedFonts::getGothicLightFont, "Barlow Condensed Light",
      vorn_resources::BarlowCondensedLight_ttf, vorn_resources::BarlowCondensedLight_ttfSize,
      "VORN" },
    { "Sans", &SharedFonts::getSansFont, "Barlow Medium",
      vorn_resources::BarlowMedium_ttf, vorn_resources::BarlowMedium_ttfSize,
      "A B Skimming: how much of the Vorn curve is applied.\n"
      "Drag or scroll to adjust, hold Shift for fine control, double-click to reset.\n"
      "Output level in dB.\nDrag or scroll to adjust, hold Shift for fine control, double-click for 0 dB.\n"
      "Setting A. Switch between A and B to compare two settings.\n"
      "Double-click to type a value\nLights when the output peaks near 0 dBFS. Click to clear.\n"
      "okulaboratories.com OKU Laboratories Vorn v2.2.2" },
};

class SharedFontsFaceTest : public testing::TestWithParam<FaceCase> {};

TEST_P (SharedFontsFaceTest, GetterGivesItsFaceAtTheAskedHeightAndKerning)
{
    const FontsPointer fonts;
    const auto font = ((*fonts).*GetParam().get) (17.0f, 0.08f);

    EXPECT_EQ (font.getTypefacePtr()->getName(), GetParam().typefaceName);
    EXPECT_FLOAT_EQ (font.getHeight(), 17.0f);
    EXPECT_FLOAT_EQ (font.getExtraKerningFactor(), 0.08f);
}

/** Every character the face must draw, read from the compiled-in font file
    itself: a character without a glyph would be drawn from whatever font
    the user's system falls back to. */
TEST_P (SharedFontsFaceTest, HasARealGlyphForEveryCharacterItDraws)
{
    FT_Library library = nullptr;
    ASSERT_EQ (FT_Init_FreeType (&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ (FT_New_Memory_Face (library, reinterpret_cast<const FT_Byte*> (GetParam().fontData), GetParam().fontSize, 0, &face), 0);

    juce::String characters (GetParam().editorTexts);
    for (juce::juce_wchar c = 0x20; c < 0x7f; ++c)
        characters += juce::String::charToString (c);
    for (juce::juce_wchar c = 0xa0; c <= 0xff; ++c)
        characters += juce::String::charToString (c);

    for (auto c : characters.removeCharacters ("\n"))
    {
        const auto glyph = FT_Get_Char_Index (face, static_cast<FT_ULong> (c));
        ASSERT_NE (glyph, 0u) << "no glyph for U+" << juce::String::toHexString (static_cast<int> (c)).toStdString();

        if (c != ' ' && c != 0xa0)
        {
            ASSERT_EQ (FT_Load_Glyph (face, glyph, FT_LOAD_NO_SCALE), 0);
            EXPECT_GT (face->glyph->outline.n_points, 0) << "empty glyph for U+" << juce::String::toHexString (static_cast<int> (c)).toStdString();
        }
    }

    FT_Done_Face (face);
    FT_Done_FreeType (library);
}

INSTANTIATE_TEST_SUITE_P (Faces, SharedFontsFaceTest, testing::ValuesIn (faces),
                          [] (const auto& info) { return std::string (info.param.getter); });
} // namespace
