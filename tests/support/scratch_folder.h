// Every test program that writes files works in a folder of its own: made at start (under
// TMPDIR), the current folder while the tests run, and removed with all it holds at the end.
// So no test writes into the source tree or into the folder it was started from.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchFolder : public ::testing::Environment {
  public:
    void SetUp() override {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/planewave3d-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        started_in_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(started_in_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

  private:
    std::filesystem::path folder_, started_in_;
};

inline ::testing::Environment* const scratch_folder =
    ::testing::AddGlobalTestEnvironment(new ScratchFolder);
