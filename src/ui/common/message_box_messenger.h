// The desktop program's Messenger: every message and question of the engine
// becomes a modal QMessageBox with the program's caption, text and icon.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/messenger.h"

namespace kvem::ui {

class MessageBoxMessenger : public Messenger {
 public:
  // Boxes are centred over `parent`; without one, over the active window.
  explicit MessageBoxMessenger(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  void Show(std::string_view text, std::string_view caption, Icon icon) override;
  // Yes / No with the question icon; Escape answers no.
  bool Ask(std::string_view text, std::string_view caption) override;
  // One button per option, the preselected one the default; closing the box
  // answers with the preselected option.
  int Choose(std::string_view text, std::string_view caption, const std::vector<std::string>& options,
             int preselected) override;

 private:
  QWidget* ParentWidget() const;
  QPointer<QWidget> parent_;
};

QString ToQString(std::string_view utf8);
std::string ToStdString(const QString& text);

}  // namespace kvem::ui
