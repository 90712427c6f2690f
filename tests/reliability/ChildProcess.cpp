#include "tests/reliability/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumora::test {

pid_t startChild(const std::vector<std::string>& argv, const std::string& outputFile) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) {
        // Set the group from both sides, so a kill right after fork finds it.
        if (pid > 0) ::setpgid(pid, pid);
        return pid;
    }
    ::setpgid(0, 0);
    const int out = outputFile.empty()
                        ? ::open("/dev/null", O_WRONLY)
                        : ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::close(out);
    }
    ::execv(args[0], args.data());
    ::_exit(127);
}

void killChild(pid_t child) {
    if (child <= 0) return;
    ::kill(-child, SIGKILL);
    waitChild(child);
}

int waitChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

int runToEnd(const std::vector<std::string>& argv, std::string& errorText) {
    char pattern[] = "/tmp/lumora-child-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd < 0) return -1;
    ::close(fd);
    const int status = waitChild(startChild(argv, pattern));
    std::ifstream in(pattern);
    std::stringstream text;
    text << in.rdbuf();
    errorText = text.str();
    std::remove(pattern);
    return status;
}

std::string selfPath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}

}  // namespace lumora::test
