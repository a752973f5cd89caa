#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

class QBoxLayout;
class QComboBox;
class QDialog;
class QPushButton;
class QWidget;

namespace qv {

// Pieces the option dialogs share.

// The "OK" and "Cancel" buttons at the bottom right, named OKButton and
// CancelButton. OK is the default button.
struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout);

// A list of colours: each entry with a swatch of its display colour.
QComboBox* NewColourList(const QString& name, QWidget* parent);
void FillColourList(QComboBox& list, const QStringList& names, const std::vector<uint32_t>& rgb);
// The seven colours of the oscilloscope and Leq(m) lists.
void FillCodeColourList(QComboBox& list);

QString Latin1(const std::string& text);
// Typed text as the instrument's 8-bit characters; a character it has no
// code for becomes one the text rule refuses.
std::string TypedText(const QString& text);

} // namespace qv
