// Test helpers for tests that draw with Qt and read metafiles.
#pragma once

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/metafile.h"

namespace platform::testing {

// Fixture base for tests that draw with Qt: one application object for the process.
class GuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
  }
};

// The message with which a metafile reader refuses these bytes, or "no error".
template <class TReader>
std::string MetafileErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    TReader::FromBytes(bytes);
  } catch (const EMetafileError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace platform::testing
