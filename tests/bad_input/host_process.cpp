#include "host_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace vyxmath::test {
namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path scratch_name(const char* suffix) {
    static std::atomic<unsigned> counter{0};
    return std::filesystem::temp_directory_path() /
           ("vyxmath_bad_input_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + suffix);
}

}  // namespace

HostRun run_host(const std::vector<std::string>& arguments, const std::string& input) {
    const auto in = scratch_name(".in"), out = scratch_name(".out"), err = scratch_name(".err");
    std::ofstream(in, std::ios::binary) << input;

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

    std::vector<std::string> words{VYXMATH_HOST_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, VYXMATH_HOST_PATH, &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    HostRun run;
    if (spawned == 0) {
        int raw = 0;
        waitpid(child, &raw, 0);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = slurp(out);
        run.err = slurp(err);
    }
    for (const auto& file : {in, out, err}) std::filesystem::remove(file);
    if (spawned != 0) throw std::runtime_error("cannot start " VYXMATH_HOST_PATH);
    return run;
}

}  // namespace vyxmath::test
