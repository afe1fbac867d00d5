// Runs test vectors through a host in batch mode and compares its output.
//
//   vyxmath_vector_runner FILE.vec... -- HOST_COMMAND...
//
// A vector file holds one call per line, followed by " => " and the exact
// output line expected for it: `n_tasu 1.5 2.25 => 3.75`. Blank lines and
// lines starting with '#' are skipped. The calls of each file are fed to
// `HOST_COMMAND -` on standard input (for example `build/native/bin/vyxmath`
// or `wine vyxmath.exe`), and every output line that differs is reported
// with the line number of its vector. The host must end with status 0,
// unless a vector expects an "error: " line.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Vector {
    std::size_t line_number;
    std::string call;
    std::string expected;
};

constexpr std::string_view separator = " => ";

// Position of the separator outside any quoted text of the call, or npos.
std::size_t find_separator(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\') {
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && line.substr(i, separator.size()) == separator) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool read_vectors(const std::string& path, std::vector<Vector>& vectors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    bool ok = true;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        const std::size_t cut = find_separator(line);
        if (cut == std::string::npos) {
            std::cerr << path << ":" << number << ": no \" => \" after the call\n";
            ok = false;
            continue;
        }
        vectors.push_back({number, line.substr(0, cut), line.substr(cut + separator.size())});
    }
    return ok;
}

std::string shell_quote(const std::string& word) {
#ifdef _WIN32
    return "\"" + word + "\"";
#else
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

std::filesystem::path scratch_file(std::string_view suffix) {
    static std::mt19937_64 random(static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    return std::filesystem::temp_directory_path() /
           ("vyxmath_vectors_" + std::to_string(random()) + std::string(suffix));
}

std::vector<std::string> read_lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// Runs one vector file; returns the number of failures.
std::size_t run_file(const std::string& path, const std::vector<std::string>& host) {
    std::vector<Vector> vectors;
    std::size_t failures = read_vectors(path, vectors) ? 0 : 1;

    const std::filesystem::path calls_path = scratch_file(".calls");
    const std::filesystem::path output_path = scratch_file(".out");
    {
        std::ofstream calls(calls_path, std::ios::binary);
        for (const Vector& v : vectors) calls << v.call << '\n';
    }
    std::string command;
    for (const std::string& word : host) command += shell_quote(word) + " ";
    command += "- < " + shell_quote(calls_path.string()) + " > " + shell_quote(output_path.string());
    std::cout.flush();
    const int status = std::system(command.c_str());
    const std::vector<std::string> output = read_lines(output_path);
    std::error_code ignored;
    std::filesystem::remove(calls_path, ignored);
    std::filesystem::remove(output_path, ignored);

    bool expects_error = false;
    for (std::size_t i = 0; i < vectors.size(); ++i) {
        const Vector& v = vectors[i];
        expects_error = expects_error || v.expected.rfind("error: ", 0) == 0;
        const bool present = i < output.size();
        if (present && output[i] == v.expected) continue;
        ++failures;
        std::cout << path << ":" << v.line_number << ": " << v.call << "\n"
                  << "  expected: " << v.expected << "\n"
                  << "  got:      " << (present ? output[i] : std::string("(no output line)")) << "\n";
    }
    if (output.size() > vectors.size()) {
        ++failures;
        std::cout << path << ": " << output.size() - vectors.size() << " output lines more than calls\n";
    }
    if ((status != 0) != expects_error) {
        ++failures;
        std::cout << path << ": host ended with status " << status << ", expected "
                  << (expects_error ? "non-zero" : "0") << " (" << command << ")\n";
    }
    std::cout << path << ": " << vectors.size() << " calls, " << failures << " failures\n";
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files, host;
    bool in_host = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (!in_host && word == "--") {
            in_host = true;
        } else {
            (in_host ? host : files).push_back(word);
        }
    }
    if (files.empty() || host.empty()) {
        std::cerr << "usage: vyxmath_vector_runner FILE.vec... -- HOST_COMMAND...\n";
        return 2;
    }
    std::size_t failures = 0;
    for (const std::string& file : files) failures += run_file(file, host);
    return failures == 0 ? 0 : 1;
}
