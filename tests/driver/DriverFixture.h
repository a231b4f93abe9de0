// A driver on a fake device with a hand-driven clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeCommApi.h"
#include "SerialDrv.h"

class DriverTest : public ::testing::Test {
 protected:
  FakeCommApi api;
  std::unique_ptr<TSerialPortDriver> drv = std::make_unique<TSerialPortDriver>(nullptr, api);

  // Opens the port and forgets the calls that opening made.
  void Open() {
    ASSERT_TRUE(drv->OpenPort());
    api.Calls.clear();
    api.States.clear();
  }

  // Received blocks, kept as strings.
  std::vector<std::string> blocks;
  void Collect() {
    drv->SetOnReceiveData([this](TComponent* sender, const std::uint8_t* data, std::int32_t size) {
      EXPECT_EQ(sender, drv.get());
      blocks.emplace_back(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    });
  }
};
