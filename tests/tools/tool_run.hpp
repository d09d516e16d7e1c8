#pragma once
// Runs the built echo-track-plot in a child process and a scratch folder that
// is removed again afterwards.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace echo_track::tools::testing {

struct ToolRun {
    int status = -1;  // exit status, or -1 if the tool did not exit normally
    std::string out;
    std::string err;
};

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "echo-track-plot-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

    // Every name in the folder, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    std::filesystem::path path_;
};

inline std::string read_whole(const std::filesystem::path& file) {
    std::string text;
    if (FILE* f = std::fopen(file.c_str(), "rb")) {
        char buf[4096];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

// Runs `program` with `args`; its standard output and error are caught in
// files of `logs`, a folder apart from the one the test looks into.
inline ToolRun run_program(const std::string& program, const std::vector<std::string>& args, const std::filesystem::path& logs) {
    const std::string out_file = (logs / "stdout").string();
    const std::string err_file = (logs / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argv_text = {program};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argv_text) argv.push_back(a.data());
    argv.push_back(nullptr);

    // In a sanitizer build the leak checker would blame the tool for the font
    // configuration that fontconfig holds until the process ends.
    std::vector<std::string> env_text;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string(*e).rfind("LSAN_OPTIONS=", 0) != 0) env_text.emplace_back(*e);
    }
    env_text.push_back("LSAN_OPTIONS=suppressions=" ECHO_TRACK_PLOT_LSAN_SUPPRESSIONS ":print_suppressions=0");
    std::vector<char*> env;
    for (std::string& e : env_text) env.push_back(e.data());
    env.push_back(nullptr);

    ToolRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    run.out = read_whole(out_file);
    run.err = read_whole(err_file);
    return run;
}

// Runs echo-track-plot with `args`.
inline ToolRun run_tool(const std::vector<std::string>& args, const std::filesystem::path& logs) {
    return run_program(ECHO_TRACK_PLOT_PATH, args, logs);
}

}  // namespace echo_track::tools::testing
