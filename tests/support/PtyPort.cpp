#include "PtyPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

PtyPort::PtyPort(int number) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  device_ = ptsname(master_);
  char folder[] = "/tmp/varmo-ports-XXXXXX";
  if (mkdtemp(folder) == nullptr) throw std::runtime_error("no temporary folder");
  configHome_ = folder;
  const fs::path ports = fs::path(configHome_) / "varmo-terminal" / "ports";
  fs::create_directories(ports);
  link_ = (ports / ("COM" + std::to_string(number))).string();
  fs::create_symlink(device_, link_);
  setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
}

PtyPort::~PtyPort() {
  if (master_ >= 0) close(master_);
  std::error_code ignored;
  fs::remove_all(configHome_, ignored);
}

void PtyPort::Write(const std::string& bytes) const {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else {
      pollfd p{master_, POLLOUT, 0};
      if (poll(&p, 1, 2000) <= 0) throw std::runtime_error("peer write stalled");
    }
  }
}

std::string PtyPort::Read(std::size_t count, int waitMs) const {
  std::string got;
  char buffer[4096];
  while (got.size() < count) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) break;
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

std::string PtyPort::Drain() const {
  std::string got;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

void PtyPort::Unplug() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

bool WaitForQueued(int fd, int count, int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    int queued = 0;
    if (ioctl(fd, FIONREAD, &queued) == 0 && queued >= count) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}
