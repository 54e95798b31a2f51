// The real main window printing into the private CUPS scheduler: the base of the tests that
// send jobs to its queues and read back what each job spooled.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <vector>

#include "tests/app/ShellFixture.h"
#include "tests/printing_cups/PrivateCups.h"

namespace kivo::test {

// Only a machine without CUPS skips; a scheduler that fails to start is a failure. The jobs a
// test sent are those spooled after its window started.
class CupsShellTest : public ShellTest {
protected:
    void SetUp() override {
        cups_ = PrivateCups::Get();
        if (!PrivateCups::Installed()) GTEST_SKIP() << PrivateCups::Problem();
        ASSERT_NE(cups_, nullptr) << PrivateCups::Problem();
        ShellTest::SetUp();
        BeforeStart();
        Start();
        before_ = cups_->Documents().size();
    }

    // Runs before the window starts: the place to install other dialogs.
    virtual void BeforeStart() {}

    // The documents of the jobs this test sent, in the order sent.
    std::vector<std::filesystem::path> NewJobs() const {
        auto all = cups_->Documents();
        return {all.begin() + static_cast<std::ptrdiff_t>(before_), all.end()};
    }

    // The scheduler's number of the `i`th job this test sent.
    int NewJobNumber(std::size_t i) const { return static_cast<int>(before_ + i + 1); }

    PrivateCups* cups_ = nullptr;
    std::size_t before_ = 0;
};

}  // namespace kivo::test
