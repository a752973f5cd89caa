#pragma once

#include "platform/qt/centre_window.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace qv {

// What the small dialogs of these windows share.

// "OK" at the right of its own row; it is the default button.
inline QPushButton* AddOkRow(QDialog& dialog, QBoxLayout& layout, void (QDialog::*clicked)() = &QDialog::accept)
{
    auto* OKButton = new QPushButton("OK", &dialog);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    QObject::connect(OKButton, &QPushButton::clicked, &dialog, clicked);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(OKButton);
    layout.addLayout(row);
    return OKButton;
}

// Shows a modal dialog, fitted to what it shows now, over the window it
// belongs to.
inline void ShowOverParent(QDialog& dialog)
{
    dialog.adjustSize();
    CentreWindow(dialog, dialog.parentWidget());
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace qv
