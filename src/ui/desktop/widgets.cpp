#include "ui/desktop/widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/common/message_box_messenger.h"

namespace kvem::ui {

QLineEdit* Edit(const QString& objectName, int maxLength) {
  auto* edit = new QLineEdit;
  edit->setObjectName(objectName);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return edit;
}

QLineEdit* ReadOnlyEdit(const QString& objectName) {
  QLineEdit* edit = Edit(objectName);
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
  return edit;
}

QPushButton* Button(const QString& text, const QString& objectName) {
  auto* button = new QPushButton(text);
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  return button;
}

QDialogButtonBox* OkStornoButtons(QDialog* dialog) {
  auto* box = new QDialogButtonBox;
  QPushButton* ok = box->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("okButton");
  ok->setDefault(true);
  QPushButton* storno = box->addButton(QStringLiteral("&Storno"), QDialogButtonBox::RejectRole);
  storno->setObjectName("stornoButton");
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

void SetText(QLineEdit* edit, const std::string& text) { edit->setText(ToQString(text)); }

std::string Text(const QLineEdit* edit) { return ToStdString(edit->text()); }

void FocusField(QLineEdit* edit) {
  edit->selectAll();
  edit->setFocus(Qt::OtherFocusReason);
}

}  // namespace kvem::ui
