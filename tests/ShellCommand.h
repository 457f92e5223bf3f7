#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

/** What a shell command printed on its standard output, and how it ended. */
struct ShellCommand
{
    std::string output;
    int exitCode = -1;

    static ShellCommand run (const std::string& command)
    {
        ShellCommand result;
        if (auto* pipe = popen (command.c_str(), "r"))
        {
            char chunk[4096];
            for (size_t read; (read = std::fread (chunk, 1, sizeof chunk, pipe)) > 0;)
                result.output.append (chunk, read);
            const auto status = pclose (pipe);
            result.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        }
        return result;
    }
};
