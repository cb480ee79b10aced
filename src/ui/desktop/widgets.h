// Small helpers every dialog of the program uses, so they look alike.
#pragma once

#include <QString>
#include <string>

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kvem::ui {

QLineEdit* Edit(const QString& objectName, int maxLength = 0);
QLineEdit* ReadOnlyEdit(const QString& objectName);
QPushButton* Button(const QString& text, const QString& objectName);
// "&OK" and "&Storno", wired to accept and reject.
QDialogButtonBox* OkStornoButtons(QDialog* dialog);
void SetText(QLineEdit* edit, const std::string& text);
std::string Text(const QLineEdit* edit);
// Selects the whole text of a field and gives it the focus (a refused OK).
void FocusField(QLineEdit* edit);

}  // namespace kvem::ui
