// Runs the built host as a child process with binary standard input, and
// collects its exit status and both output streams.
#pragma once

#include <string>
#include <vector>

namespace vyxmath::test {

struct HostRun {
    int status = -1;  // exit status, or -1 when the host did not exit normally
    std::string out;
    std::string err;
};

// `arguments` are passed to the host as they are, without a shell.
HostRun run_host(const std::vector<std::string>& arguments, const std::string& input = "");

}  // namespace vyxmath::test
