// COM numbers resolved to devices: links first, then the serial devices present.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PortNames.h"

namespace fs = std::filesystem;

class PortNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/varmo-names-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    root = folder;
    fs::create_directories(root / "links");
  }
  void TearDown() override { fs::remove_all(root); }

  // A tty class entry as the kernel lays it out; type < 0 leaves the type file out.
  void AddTty(const std::string& name, bool hasDevice, int type = -1) {
    const fs::path entry = root / "class" / name;
    fs::create_directories(entry);
    if (hasDevice) fs::create_directories(entry / "device");
    if (type >= 0) std::ofstream(entry / "type") << type << "\n";
  }

  fs::path root;
};

TEST_F(PortNamesTest, DevicesComeUsbFirstInNumericOrderThenRealOnBoardPorts) {
  AddTty("ttyUSB10", true);
  AddTty("ttyUSB2", true);
  AddTty("ttyACM0", true);
  AddTty("ttyS1", true, 0);  // reserved by the kernel, no UART behind it
  AddTty("ttyS0", true, 4);
  AddTty("ttyS10", true, 4);
  AddTty("tty1", false);  // a virtual console
  AddTty("console", false);
  EXPECT_EQ(ListSerialDevices((root / "class").string()),
            (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0",
                                      "/dev/ttyS10"}));
  EXPECT_TRUE(ListSerialDevices((root / "missing").string()).empty());
}

TEST_F(PortNamesTest, ALinkWinsOverTheDeviceList) {
  const std::vector<std::string> devices = {"/dev/ttyUSB0", "/dev/ttyS0"};
  fs::create_symlink("/dev/null", root / "links" / "COM2");
  const std::string links = (root / "links").string();

  const auto linked = ResolvePortName("COM2", links, devices);
  EXPECT_EQ(linked.Path, (root / "links" / "COM2").string());
  EXPECT_NE(linked.Detail.find("/dev/null"), std::string::npos);

  EXPECT_EQ(ResolvePortName("COM1", links, devices).Path, "/dev/ttyUSB0");
  EXPECT_EQ(ResolvePortName("com1", links, devices).Path, "/dev/ttyUSB0");
  const auto none = ResolvePortName("COM3", links, devices);
  EXPECT_TRUE(none.Path.empty());
  EXPECT_NE(none.Detail.find("only 2 serial device"), std::string::npos);
  EXPECT_TRUE(ResolvePortName("COM0", links, devices).Path.empty());
  EXPECT_TRUE(ResolvePortName("LPT1", links, devices).Path.empty());
  EXPECT_TRUE(ResolvePortName("COM", links, devices).Path.empty());
  EXPECT_TRUE(ResolvePortName("COM1x", links, devices).Path.empty());
}

TEST_F(PortNamesTest, ADanglingLinkStillNamesItsPath) {
  fs::create_symlink("/dev/ttyUSB99-gone", root / "links" / "COM4");
  const auto gone = ResolvePortName("COM4", (root / "links").string(), {});
  EXPECT_EQ(gone.Path, (root / "links" / "COM4").string());
}

TEST(PortLinkFolder, FollowsXdgConfigHomeThenHome) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = savedXdg != nullptr ? savedXdg : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(PortLinkFolder(), "/cfg/varmo-terminal/ports");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/tech", 1);
  EXPECT_EQ(PortLinkFolder(), "/home/tech/.config/varmo-terminal/ports");
  if (savedXdg != nullptr) setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
}
