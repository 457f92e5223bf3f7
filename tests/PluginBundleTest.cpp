#include "ShellCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// Reads the built plug-in binaries and bundles with the tools a plug-in maker
// or a host's user would use on them: nm for what a binary exports, lv2info
// for what LV2 hosts learn from the bundle.
namespace
{
std::string outputOf (const std::string& command)
{
    const auto result = ShellCommand::run (command);
    EXPECT_EQ (result.exitCode, 0) << command;
    return result.output;
}

std::set<std::string> exportedSymbols (const std::string& binary)
{
    std::set<std::string> names;
    std::istringstream lines (outputOf ("nm -D --defined-only --format=posix '" + binary + "'"));
    for (std::string line; std::getline (lines, line);)
        names.insert (line.substr (0, line.find (' ')));
    return names;
}

struct BinaryCase
{
    const char* format;
    const char* path;
    std::set<std::string> entryPoints;
};

std::ostream& operator<< (std::ostream& os, const BinaryCase& c) { return os << c.format; }

class PluginBinaryTest : public testing::TestWithParam<BinaryCase> {};

TEST_P (PluginBinaryTest, ExportsOnlyItsFormatsEntryPoints)
{
    EXPECT_EQ (exportedSymbols (GetParam().path), GetParam().entryPoints);
}

INSTANTIATE_TEST_SUITE_P (Formats, PluginBinaryTest, testing::Values (
    BinaryCase { "VST3", VORN_VST3_BINARY, { "GetPluginFactory", "ModuleEntry", "ModuleExit" } },
    BinaryCase { "LV2", VORN_LV2_BINARY, { "lv2_descriptor", "lv2ui_descriptor" } }),
    [] (const auto& info) { return std::string (info.param.format); });

// LV2_PATH holds the build tree's bundle and the system's LV2 vocabulary
// bundles (for the class names), never the user's ~/.lv2.
std::string lv2info (const std::string& arguments)
{
    const auto buildTreeFolder = std::string (VORN_LV2_BINARY).substr (0, std::string (VORN_LV2_BINARY).rfind ("/Vorn.lv2/"));
    return outputOf ("LV2_PATH='" + buildTreeFolder + ":/usr/lib/lv2' lv2info " + arguments + " '" VORN_LV2_URI "'");
}

TEST (Lv2Bundle, HostsFileVornAsAnEqualiserUnderGplThreeOrLater)
{
    EXPECT_NE (lv2info ("").find ("Class:             Equaliser Plugin"), std::string::npos);

    const auto description = testing::TempDir() + "vorn-lv2info.ttl";
    std::remove (description.c_str());
    lv2info ("-p '" + description + "'");

    std::ifstream file (description);
    const std::string turtle { std::istreambuf_iterator<char> (file), {} };
    EXPECT_NE (turtle.find ("doap:license <http://spdx.org/licenses/GPL-3.0-or-later>"), std::string::npos) << turtle;
    EXPECT_NE (turtle.find ("lv2:EQPlugin"), std::string::npos) << turtle;
    std::remove (description.c_str());
}
} // namespace
