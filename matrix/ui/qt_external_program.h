#pragma once

#include "link/host_services.h"
#include "matrix/external_program.h"

#include <QString>

namespace qv {

// The external transfer program, started with QProcess. Waiting keeps the
// windows alive and ends when the program ends or the application quits.
class QtExternalProgram : public ExternalProgram {
public:
    static constexpr int kPollMs = 10;

    QtExternalProgram(QString program, HostServices host) : program_(std::move(program)), host_(host) {}

    bool run(const std::string& arguments, const std::string& workingFolder, bool wait) override;
    std::string path() const override { return program_.toStdString(); }

private:
    QString program_;
    HostServices host_;
};

} // namespace qv
