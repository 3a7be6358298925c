#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

// A child program started for a test, its standard output and error captured
// to a file. Killed on destruction if still running.
class ChildProcess {
public:
    // env entries are added to (or replace those of) the test's environment;
    // an empty value removes the variable.
    ChildProcess(const std::vector<std::string>& argv, const std::string& working_dir,
                 const std::map<std::string, std::string>& env = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Exit status, or -1 if it did not end in time (it is then killed), or
    // 128 + signal when a signal ended it.
    int wait(std::chrono::milliseconds timeout);
    bool running();
    pid_t pid() const { return pid_; }
    std::string output() const;
    // Waits until the output contains text; false on timeout or exit.
    bool wait_for_output(const std::string& text, std::chrono::milliseconds timeout);

private:
    pid_t pid_ = -1;
    int status_ = -1;
    std::string output_path_;
};

struct CommandResult {
    int status;
    std::string output;
};

// Runs a command to completion (or kills it after the timeout, status -1).
CommandResult run_command(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& env = {},
                          std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A whole file's bytes; empty when it cannot be read.
std::string read_file(const std::string& path);

// A fresh empty directory under the system's temporary folder, removed with
// its contents on destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write_file(const std::string& name, const std::string& contents) const;

private:
    std::string path_;
};
