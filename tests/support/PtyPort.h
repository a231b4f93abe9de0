// A pseudo-terminal bound as COM<n> through a link in a private port-link folder, with its
// peer (the master side) kept by the test as the far end of the line.
#pragma once

#include <cstdint>
#include <string>

class PtyPort {
 public:
  // Makes the pseudo-terminal and points $XDG_CONFIG_HOME at a fresh folder that holds the
  // link COM<number>.
  explicit PtyPort(int number = 1);
  ~PtyPort();

  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  int Peer() const { return master_; }
  const std::string& DevicePath() const { return device_; }
  const std::string& LinkPath() const { return link_; }
  const std::string& ConfigHome() const { return configHome_; }

  void Write(const std::string& bytes) const;
  // Reads until count bytes came or waitMs passed without any.
  std::string Read(std::size_t count, int waitMs = 2000) const;
  // Everything that is readable now.
  std::string Drain() const;
  // Closes the peer: to the port this looks like an unplugged adapter.
  void Unplug();

 private:
  int master_ = -1;
  std::string device_;
  std::string configHome_;
  std::string link_;
};

// Waits until the port's side has count bytes queued for reading (FIONREAD on fd).
bool WaitForQueued(int fd, int count, int waitMs = 2000);
