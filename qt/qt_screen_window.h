// SPDX-License-Identifier: MIT
// A top-level window built from its screen description.
#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

#include "screen_description.h"

namespace talvo::qt {

class QtScreenWindow : public QWidget {
  Q_OBJECT

 public:
  explicit QtScreenWindow(const screens::WindowDescription& description, QWidget* parent = nullptr);

  const screens::WindowDescription& Description() const { return description_; }

  /// The control of that name, or null when it is not of type T.
  template <typename T = QWidget>
  T* Control(std::string_view name) const {
    return findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }

 signals:
  /// A click on a button or picture button, by the control's name.
  void pressed(const QString& control);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const screens::WindowDescription& description_;
};

}  // namespace talvo::qt
