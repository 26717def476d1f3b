// SPDX-License-Identifier: MIT
// Helpers shared by the window tests: a viewer start that only records, the screens that
// exist, typing into a field and answering the next message box.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <vector>

#include "generation_run.h"
#include "qt_screen_window.h"
#include "recording_starter.h"

namespace talvo::test_support {

/// The screen windows that exist once the windows closed so far have been destroyed.
inline std::vector<qt::QtScreenWindow*> ExistingScreens() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::vector<qt::QtScreenWindow*> found;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* screen = qobject_cast<qt::QtScreenWindow*>(w)) found.push_back(screen);
  }
  return found;
}

/// Replaces the field's text by key presses, as an operator would.
inline void TypeInto(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

/// What the message box showed while it was open.
struct SeenMessage {
  bool shown = false;
  QString title;
  QString text;
  int buttonCount = 0;
  bool okButton = false;
};

/// Answers the next modal message box with OK and notes what it showed. Keep it alive
/// until the action that may open a box has returned.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      timer_.stop();
      seen.shown = true;
      seen.title = box->windowTitle();
      seen.text = box->text();
      seen.buttonCount = static_cast<int>(box->buttons().size());
      seen.okButton = box->button(QMessageBox::Ok) != nullptr;
      box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    });
    timer_.start();
  }
  SeenMessage seen;

 private:
  QTimer timer_;
};

}  // namespace talvo::test_support
