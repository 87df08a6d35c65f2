// Widget tests need one QApplication for the whole run (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "ui/WheelGuard.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance()) return;
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        app_ = std::make_unique<QApplication>(argc_, argv_);
        rp770::ui::WheelGuard::Install();  // as the main window does
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "rp770-ui-tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
