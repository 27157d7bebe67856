// Starting, waiting for and stopping child processes, with a time limit.
// POSIX and Windows implementations; the substitute host's only platform
// code besides the display server handling.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ChildProcess {
  long long id = -1;  // process id (POSIX) or handle value (Windows)
  bool Valid() const { return id != -1; }
};

// Extra environment entries for a child, on top of the caller's environment.
using Environment = std::map<std::string, std::string>;

// Starts `argv` (argv[0] searched on the PATH) in folder `cwd` with `env`
// added to the environment; stdout and stderr go to `logFile` when it is not
// empty (appended), else stay the caller's. Returns an invalid process and
// sets `error` when it cannot be started.
ChildProcess StartChild(const std::vector<std::string>& argv, const Environment& env,
                        const std::filesystem::path& cwd, const std::filesystem::path& logFile,
                        std::string& error);

// Exit code of `child` once it has ended; nothing while it still runs.
// Waits at most `milliseconds` (0: just looks). An abnormal end counts as
// exit code 128 + signal number.
std::optional<int> WaitChild(ChildProcess& child, int milliseconds);

// Asks `child` to end, then forces it after a second; reaps it.
void StopChild(ChildProcess& child);

// Runs `argv` to its end (at most `milliseconds`) and returns its exit code,
// with its standard output in `output`. Nothing when it could not start or
// ran out of time (it is then stopped).
std::optional<int> RunCaptured(const std::vector<std::string>& argv, const Environment& env,
                               int milliseconds, std::string& output);

// True when a program of that name is found on the PATH.
bool ProgramOnPath(const std::string& name);
