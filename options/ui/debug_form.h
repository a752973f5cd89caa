#pragma once

#include "matrix/ui/log_window.h"

namespace qv {

struct AddressTable;

// The debug list: the address table after every change of the selected
// preset, kept while hidden and shown by the main window's "Debug" button.
class TDebugForm : public LogWindow {
    Q_OBJECT

public:
    static constexpr int kMaxLines = 1100; // the last hundred tables

    explicit TDebugForm(QWidget* mainWindow);

    void addTable(const AddressTable& table);
};

} // namespace qv
