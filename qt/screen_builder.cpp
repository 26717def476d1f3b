// SPDX-License-Identifier: MIT
#include "screen_builder.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <vector>

#include "pictures.h"
#include "qt_picture_area.h"
#include "qt_screen_window.h"

namespace talvo::qt {
namespace {

using screens::ControlDescription;
using screens::ControlKind;
using screens::ToPixels;
using screens::WindowDescription;

QColor Colour(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QRect PixelRect(const screens::TwipRect& r) {
  return QRect(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
}

void SetUpWindow(const WindowDescription& d, QtScreenWindow& window) {
  window.setObjectName(ToQString(d.name));
  window.setWindowTitle(ToQString(d.caption));
  window.setWindowIcon(QIcon(assets::PicturePath(QStringLiteral("icon"))));

  const QSize client(ToPixels(d.clientWidth), ToPixels(d.clientHeight));
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  if (d.border == screens::Border::FixedSingle) {
    window.setFixedSize(client);
    flags |= Qt::MSWindowsFixedSizeDialogHint;
  } else {
    // No layout: enlarging the window only uncovers more of its back colour.
    window.resize(client);
    flags |= Qt::WindowMaximizeButtonHint;
  }
  window.setWindowFlags(flags);
}

void ConnectPress(auto* sender, auto signal, QtScreenWindow& window, const QString& name) {
  QObject::connect(sender, signal, &window, [&window, name] { emit window.pressed(name); });
}

QWidget* MakeControl(const ControlDescription& c, QWidget* parent, QtScreenWindow& window) {
  const QString name = ToQString(c.name);
  switch (c.kind) {
    case ControlKind::IllustrationArea: return new QtPictureArea(assets::PicturePath(ToQString(c.picture)), parent);
    case ControlKind::PictureButton: {
      auto* area = new QtPictureArea(assets::PicturePath(ToQString(c.picture)), parent);
      ConnectPress(area, &QtPictureArea::clicked, window, name);
      return area;
    }
    case ControlKind::InputField: {
      auto* field = new QLineEdit(ToQString(c.text), parent);
      // Without a bound a pasted document of megabytes would be laid out on every repaint and
      // freeze the window; with it the paste is cut there and the window stays responsive.
      field->setMaxLength(screens::kInputFieldMaxLength);
      field->setCursorPosition(0);
      return field;
    }
    case ControlKind::OutputBox: {
      auto* box = new QPlainTextEdit(ToQString(c.text), parent);
      box->setLineWrapMode(QPlainTextEdit::NoWrap);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      // Tab moves on through the window's keyboard order, as in every other field.
      box->setTabChangesFocus(true);
      return box;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(ToQString(c.text), parent);
      // The focused button also answers Enter, as push buttons on the desktop do.
      button->setAutoDefault(true);
      if (c.face) {
        const QString face = Colour(*c.face).name();
        // A style sheet rather than the palette: native styles ignore a palette's button face.
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset %1; }"
                                             "QPushButton:focus { border: 2px solid #000000; }"
                                             "QPushButton:pressed { border: 2px inset %1; }")
                                  .arg(face));
      }
      ConnectPress(button, &QPushButton::clicked, window, name);
      return button;
    }
  }
  return nullptr;
}

QWidget* ParentOf(const ControlDescription& c, QtScreenWindow& window) {
  if (c.parent.empty()) return &window;
  return window.Control(c.parent);
}

QPoint InsideOrigin(const QWidget* parent, const QtScreenWindow& window) {
  // Children of a picture area are placed from the inside of its sunken border.
  if (parent == &window) return {0, 0};
  return {screens::kPictureBorder, screens::kPictureBorder};
}

}  // namespace

void BuildScreen(const WindowDescription& description, QtScreenWindow& window) {
  SetUpWindow(description, window);

  std::vector<std::pair<int, QWidget*>> byTab;
  for (const ControlDescription& c : description.controls) {
    QWidget* parent = ParentOf(c, window);
    QWidget* control = MakeControl(c, parent, window);
    control->setObjectName(ToQString(c.name));
    control->setGeometry(PixelRect(c.rect).translated(InsideOrigin(parent, window)));
    if (!c.tooltip.empty()) control->setToolTip(ToQString(c.tooltip));
    // Created later means lying above: on Form8 the window's own fields cover the illustration.
    control->raise();
    byTab.emplace_back(c.tab, control);
  }

  std::ranges::sort(byTab, {}, &std::pair<int, QWidget*>::first);
  for (std::size_t i = 1; i < byTab.size(); ++i) QWidget::setTabOrder(byTab[i - 1].second, byTab[i].second);
  if (!byTab.empty()) byTab.front().second->setFocus(Qt::OtherFocusReason);
}

void PresentCentred(QWidget& window) {
  // The native window first: where the window system tells its frame at once, the frame is
  // what gets centred.
  window.winId();
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen) {
    window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.frameGeometry().size(),
                                    screen->availableGeometry())
                    .topLeft());
  }
  window.show();
  window.activateWindow();
}

}  // namespace talvo::qt
