#include "process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <ftw.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string make_temp_dir(const char* stem) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + stem + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed: " + std::string(std::strerror(errno)));
    return buffer.data();
}

[[noreturn]] void exec_child(const std::vector<std::string>& argv, const std::string& working_dir,
                             const std::map<std::string, std::string>& env, int output_fd) {
    dup2(output_fd, STDOUT_FILENO);
    dup2(output_fd, STDERR_FILENO);
    if (!working_dir.empty() && chdir(working_dir.c_str()) != 0) _exit(126);
    for (const auto& [name, value] : env) {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    std::fprintf(stderr, "cannot run %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
}

int decode_status(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& working_dir,
                           const std::map<std::string, std::string>& env) {
    char name[] = "/tmp/floebound-child-outputXXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    output_path_ = name;
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) exec_child(argv, working_dir, env, fd);
    close(fd);
}

ChildProcess::~ChildProcess() {
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(output_path_.c_str());
}

bool ChildProcess::running() {
    if (pid_ <= 0 || status_ >= 0) return false;
    int raw = 0;
    pid_t done = waitpid(pid_, &raw, WNOHANG);
    if (done == pid_) {
        status_ = decode_status(raw);
        return false;
    }
    return done == 0;
}

int ChildProcess::wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            status_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status_;
}

std::string ChildProcess::output() const { return read_file(output_path_); }

bool ChildProcess::wait_for_output(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (output().find(text) != std::string::npos) return true;
        if (!running()) return output().find(text) != std::string::npos;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

CommandResult run_command(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& env,
                          std::chrono::milliseconds timeout) {
    ChildProcess child(argv, "", env);
    int status = child.wait(timeout);
    return {status, child.output()};
}

ScratchDir::ScratchDir() : path_(make_temp_dir("floebound-test-")) {}

ScratchDir::~ScratchDir() {
    nftw(path_.c_str(), [](const char* path, const struct stat*, int, struct FTW*) { return remove(path); },
         16, FTW_DEPTH | FTW_PHYS);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ScratchDir::write_file(const std::string& name, const std::string& contents) const {
    std::ofstream out(path_ + "/" + name, std::ios::binary);
    out << contents;
}
