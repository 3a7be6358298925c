#include "xserver.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int start_timeout_ms = 10000;
}

XServer::XServer(int width, int height, const std::vector<std::string>& args) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        close(pipe_fds[0]);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(pipe_fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        std::vector<const char*> argv = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp"};
        for (const std::string& arg : args) argv.push_back(arg.c_str());
        argv.push_back(nullptr);
        execvp("Xvfb", const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(pipe_fds[1]);
    std::string number;
    pollfd wait_for{pipe_fds[0], POLLIN, 0};
    while (poll(&wait_for, 1, start_timeout_ms) > 0) {
        char c;
        if (read(pipe_fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(pipe_fds[0]);
    if (!number.empty()) display_ = ":" + number;
}

XServer::~XServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}
