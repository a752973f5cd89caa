#pragma once

#include <QApplication>
#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <memory>

namespace qv::test {

// One QApplication for the whole test program. It must be gone before the
// program's static destructors run, or Qt tears down its input devices in
// the wrong order, hence an environment rather than a static.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // Windows are drawn offscreen unless the environment asks otherwise.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[8] = "qv-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace qv::test
