#pragma once
// Child processes for the reliability tests: started in a process group of their own, so a
// kill reaches the child and whatever it started, and nothing else.

#include <sys/types.h>

#include <string>
#include <vector>

namespace lumora::test {

// Starts `argv` (argv[0] is the program's path) in a new process group; -1 on failure. Its
// standard output and error go to `outputFile` (appended) when one is given, else to
// /dev/null.
pid_t startChild(const std::vector<std::string>& argv, const std::string& outputFile = {});

// SIGKILL to the child's whole group, then waits for the child. Only for children of
// startChild.
void killChild(pid_t child);

// Waits for the child; its exit status, or 128 + signal when a signal ended it.
int waitChild(pid_t child);

// Runs a command to its end: exit status, with its standard error in `errorText`.
int runToEnd(const std::vector<std::string>& argv, std::string& errorText);

// The path of this test program (for running it again in a child mode).
std::string selfPath();

}  // namespace lumora::test
