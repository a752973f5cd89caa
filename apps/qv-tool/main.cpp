// qv-tool: the service command line over the instrument link.
#include "commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <string_view>

int main(int argc, char** argv)
{
    // The scale preview draws text, which takes a GUI application but no display.
    if (argc > 2 && std::string_view(argv[1]) == "scale" && std::string_view(argv[2]) == "preview") {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return qvtool::Run(argc, argv);
    }
    QCoreApplication app(argc, argv);
    return qvtool::Run(argc, argv);
}
