#include "debug_form.h"

#include "config/address_table.h"

namespace qv {

TDebugForm::TDebugForm(QWidget* mainWindow) : LogWindow(mainWindow, "DebugForm", "Debug", "lstDebug", kMaxLines)
{
    resize(320, 420);
}

void TDebugForm::addTable(const AddressTable& table)
{
    for (const std::string& line : AddressTableListing(table))
        addLine(QString::fromStdString(line));
}

} // namespace qv
