#include "matrix/ui/qt_external_program.h"
#include "platform/host/scripted_prompter.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/tests/qt_test_app.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

TEST(QtExternalProgram, WaitsForTheProgramInItsFolder)
{
    QTemporaryDir dir;
    qv::SteadyClock clock;
    qv::QtEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::QtExternalProgram program("/bin/sh", {clock, pump, prompter});
    ASSERT_TRUE(program.run("-c \"sleep 0.2; echo done > memory.cod\"", dir.path().toStdString(), true));
    EXPECT_TRUE(std::filesystem::exists(dir.filePath("memory.cod").toStdString())) << "written before run returned";

    qv::QtExternalProgram missing("/nonexistent/transfer-program", {clock, pump, prompter});
    EXPECT_FALSE(missing.run("/i", {}, true));
    EXPECT_FALSE(missing.run("/i", {}, false));
}
