#include "support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

namespace modelcheck::testing {

namespace {

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

}  // namespace

ChildResult RunInChild(const std::function<void()>& body) {
  // Buffered output of the parent must not be written twice by the child.
  std::cout.flush();
  std::fflush(nullptr);
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDOUT_FILENO);
    close(fds[1]);
    body();
    std::cout.flush();
    std::fflush(nullptr);
    _exit(0);
  }
  close(fds[1]);
  ChildResult result;
  result.output = ReadAll(fds[0]);
  close(fds[0]);
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  result.exited = WIFEXITED(wstatus);
  result.status = result.exited ? WEXITSTATUS(wstatus) : -1;
  return result;
}

}  // namespace modelcheck::testing
