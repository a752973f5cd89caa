#include "hand_over.h"
#include "matrix_application.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Help needs no display; everything else is read once Qt has taken its
    // own options (-platform and the like) off the command line.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(qPrintable(qv::MatrixUsageText()), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    const qv::MatrixCommandLine commandLine = qv::ParseMatrixCommandLine(QApplication::arguments());
    if (!commandLine.errors.isEmpty()) {
        std::fputs(qPrintable(commandLine.errors.join('\n') + '\n' + qv::MatrixUsageText()), stderr);
        return 2;
    }
    // A second copy started with a file hands it to the running one and ends
    // without showing a window.
    if (!commandLine.filePath.isEmpty() && qv::SendHandOver(qv::HandOverServerName(), commandLine.filePath))
        return 0;

    qv::MatrixApplication application(commandLine);
    return application.run();
}
