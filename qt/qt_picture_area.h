// SPDX-License-Identifier: MIT
// A picture area: a bitmap shown unscaled inside a sunken 2-pixel border.
#pragma once

#include <QFrame>
#include <QPixmap>

namespace talvo::qt {

/// Takes the keyboard focus through its tab index but no key does anything on it; only a
/// mouse click (press and release inside) is reported.
class QtPictureArea : public QFrame {
  Q_OBJECT

 public:
  QtPictureArea(const QString& picture, QWidget* parent);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPixmap bitmap_;
  bool pressedInside_ = false;
};

}  // namespace talvo::qt
