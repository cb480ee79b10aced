#include "ui/common/message_box_messenger.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kvem::ui {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

namespace {

QMessageBox::Icon BoxIcon(Icon icon) {
  switch (icon) {
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Stop:
      return QMessageBox::Critical;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QWidget* MessageBoxMessenger::ParentWidget() const {
  if (parent_) {
    // A modal dialog opened over the parent is the better anchor.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_.data();
  }
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

void MessageBoxMessenger::Show(std::string_view text, std::string_view caption, Icon icon) {
  QMessageBox box(BoxIcon(icon), ToQString(caption), ToQString(text), QMessageBox::Ok,
                  ParentWidget());
  box.setObjectName("messageBox");
  box.exec();
}

bool MessageBoxMessenger::Ask(std::string_view text, std::string_view caption) {
  QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text),
                  QMessageBox::Yes | QMessageBox::No, ParentWidget());
  box.setObjectName("questionBox");
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int MessageBoxMessenger::Choose(std::string_view text, std::string_view caption,
                                const std::vector<std::string>& options, int preselected) {
  QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text), QMessageBox::NoButton,
                  ParentWidget());
  box.setObjectName("choiceBox");
  std::vector<QAbstractButton*> buttons;
  for (const std::string& option : options) {
    QPushButton* button = box.addButton(ToQString(option), QMessageBox::AcceptRole);
    buttons.push_back(button);
  }
  if (preselected >= 0 && preselected < static_cast<int>(buttons.size())) {
    box.setDefaultButton(static_cast<QPushButton*>(buttons[static_cast<std::size_t>(preselected)]));
  }
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return preselected;
}

}  // namespace kvem::ui
