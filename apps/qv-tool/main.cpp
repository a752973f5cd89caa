// qv-tool: the service command line over the instrument link.
#include "commands.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return qvtool::Run(argc, argv);
}
