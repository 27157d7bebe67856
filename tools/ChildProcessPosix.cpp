#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "ChildProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

// Builds the child's environment: the caller's, with `extra` replacing or
// adding entries.
std::vector<std::string> ChildEnvironment(const Environment& extra) {
  std::vector<std::string> entries;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('='));
    if (extra.count(name) == 0) entries.push_back(entry);
  }
  for (const auto& [name, value] : extra) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> p;
  for (auto& s : strings) p.push_back(s.data());
  p.push_back(nullptr);
  return p;
}

// Forks and executes; in the child, `stdoutFd` (if >= 0) becomes fd 1 and
// `stderrFd` fd 2. Returns the pid or -1.
pid_t ForkExec(std::vector<std::string> argv, const Environment& env,
               const std::filesystem::path& cwd, int stdoutFd, int stderrFd) {
  std::vector<std::string> envStrings = ChildEnvironment(env);
  std::vector<char*> argvPtr = Pointers(argv), envPtr = Pointers(envStrings);
  const std::string dir = cwd.string();
  pid_t pid = fork();
  if (pid != 0) return pid;
  // Child: only async-signal-safe calls from here on.
  setpgid(0, 0);  // its own group, so that stopping it stops what it started
  if (stdoutFd >= 0) dup2(stdoutFd, 1);
  if (stderrFd >= 0) dup2(stderrFd, 2);
  if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
  environ = envPtr.data();
  execvp(argvPtr[0], argvPtr.data());
  _exit(127);
}

}  // namespace

ChildProcess StartChild(const std::vector<std::string>& argv, const Environment& env,
                        const std::filesystem::path& cwd, const std::filesystem::path& logFile,
                        std::string& error) {
  if (argv.empty()) {
    error = "nothing to start";
    return {};
  }
  if (!ProgramOnPath(argv[0])) {
    error = argv[0] + " is not installed";
    return {};
  }
  int logFd = -1;
  if (!logFile.empty()) {
    logFd = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFd < 0) {
      error = "cannot open " + logFile.string() + ": " + std::strerror(errno);
      return {};
    }
  }
  pid_t pid = ForkExec(argv, env, cwd, logFd, logFd);
  if (logFd >= 0) close(logFd);
  if (pid < 0) {
    error = "cannot start " + argv[0] + ": " + std::strerror(errno);
    return {};
  }
  return ChildProcess{pid};
}

std::optional<int> WaitChild(ChildProcess& child, int milliseconds) {
  if (!child.Valid()) return 127;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    int status = 0;
    pid_t r = waitpid(static_cast<pid_t>(child.id), &status, WNOHANG);
    if (r == static_cast<pid_t>(child.id)) {
      child.id = -1;
      if (WIFEXITED(status)) return WEXITSTATUS(status);
      return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    }
    if (r < 0 && errno != EINTR) {
      child.id = -1;
      return 127;
    }
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void StopChild(ChildProcess& child) {
  if (!child.Valid()) return;
  const pid_t group = static_cast<pid_t>(child.id);
  kill(-group, SIGTERM);
  if (WaitChild(child, 1000)) return;
  kill(-group, SIGKILL);
  WaitChild(child, 2000);
}

std::optional<int> RunCaptured(const std::vector<std::string>& argv, const Environment& env,
                               int milliseconds, std::string& output) {
  output.clear();
  if (argv.empty() || !ProgramOnPath(argv[0])) return std::nullopt;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  pid_t pid = ForkExec(argv, env, {}, fds[1], devNull);
  close(fds[1]);
  if (devNull >= 0) close(devNull);
  if (pid < 0) {
    close(fds[0]);
    return std::nullopt;
  }
  ChildProcess child{pid};
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  char buffer[4096];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n <= 0) break;  // end of output
    output.append(buffer, static_cast<size_t>(n));
  }
  close(fds[0]);
  const auto remaining =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  std::optional<int> code = WaitChild(child, static_cast<int>(std::max<long long>(remaining, 0)));
  if (!code) StopChild(child);
  return code;
}

bool ProgramOnPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string dirs = path;
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::filesystem::path dir = end > start ? dirs.substr(start, end - start) : ".";
    if (access((dir / name).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}
#endif
