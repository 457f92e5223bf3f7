#include "ShellCommand.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Starts the built Standalone app on the test script's virtual display, as a
// user would, and ends it the two ways a desktop does: its close button and
// SIGTERM.
namespace
{
std::string outputOf (const std::string& command) { return ShellCommand::run (command).output; }

class RunningApp
{
public:
    RunningApp()
    {
        pid = fork();
        if (pid == 0)
        {
            execl (VORN_STANDALONE_APP, VORN_STANDALONE_APP, static_cast<char*> (nullptr));
            _exit (127);
        }
    }

    ~RunningApp()
    {
        if (pid > 0 && ! ended)
        {
            kill (pid, SIGKILL);
            waitpid (pid, nullptr, 0);
        }
    }

    /** The app's window id once it shows, or an empty string after 20 s. */
    std::string waitForWindow() const
    {
        auto id = outputOf ("timeout 20 xdotool search --sync --onlyvisible --pid " + std::to_string (pid) + " --name '^Vorn$' | head -n 1");
        return id.substr (0, id.find ('\n'));
    }

    /** The wait status once the app has ended, or nothing after 20 s. */
    std::optional<int> waitForExit()
    {
        for (auto i = 0; i < 200; ++i)
        {
            int status = 0;
            if (waitpid (pid, &status, WNOHANG) == pid)
            {
                ended = true;
                return status;
            }
            std::this_thread::sleep_for (std::chrono::milliseconds (100));
        }
        return std::nullopt;
    }

    pid_t pid = -1;

private:
    bool ended = false;
};

TEST (StandaloneApp, ShowsThePanelAndQuitsFromItsCloseButton)
{
    RunningApp app;
    const auto window = app.waitForWindow();
    ASSERT_FALSE (window.empty()) << "no window appeared";

    const auto geometry = outputOf ("xdotool getwindowgeometry --shell " + window);
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ (std::sscanf (geometry.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &x, &y, &width, &height), 4) << geometry;
    EXPECT_GE (width, 430);
    EXPECT_GE (height, 300);

    std::this_thread::sleep_for (std::chrono::seconds (2));
    ASSERT_EQ (waitpid (app.pid, nullptr, WNOHANG), 0) << "the app ended by itself";

    // The close button sits at the right end of the window's title bar.
    std::system (("xdotool mousemove " + std::to_string (x + width - 16) + " " + std::to_string (y + 14) + " click 1").c_str());

    const auto status = app.waitForExit();
    ASSERT_TRUE (status.has_value()) << "still running after its close button was clicked";
    EXPECT_TRUE (WIFEXITED (*status));
    EXPECT_EQ (WEXITSTATUS (*status), 0);
}

TEST (StandaloneApp, EndsOnSigtermWithoutCrashing)
{
    RunningApp app;
    ASSERT_FALSE (app.waitForWindow().empty()) << "no window appeared";
    std::this_thread::sleep_for (std::chrono::seconds (2));

    kill (app.pid, SIGTERM);
    const auto status = app.waitForExit();
    ASSERT_TRUE (status.has_value()) << "still running after SIGTERM";

    // Ended by the signal itself or by a clean exit, never by a fault.
    const auto endedBySigterm = WIFSIGNALED (*status) && WTERMSIG (*status) == SIGTERM;
    const auto exitedCleanly = WIFEXITED (*status) && WEXITSTATUS (*status) == 0;
    EXPECT_TRUE (endedBySigterm || exitedCleanly) << "wait status " << *status;
}
} // namespace
