// What the desktop tests share: an application on a temporary installation
// with small standard tables, and driving modal dialogs from a timer.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/application.h"
#include "platform/messenger.h"

namespace kvem::test {

struct TestApp {
  TestApp();
  ~TestApp();
  std::filesystem::path root;  // PathMain, PathTmp and the project files live here
  RecordingMessenger messenger;
  std::unique_ptr<Application> app;
};

// Runs `fn` on the next modal dialog that opens (polled from the event loop).
void OnNextDialog(std::function<void(QDialog*)> fn);

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  if (child == nullptr) qFatal("no child %s in %s", name, qPrintable(parent->objectName()));
  return child;
}

void Type(QWidget* dialog, const char* edit, const QString& text);
void Click(QWidget* dialog, const char* button);

}  // namespace kvem::test
