// SPDX-License-Identifier: MIT
#include "ico_file.h"

#include <QDataStream>
#include <QIODevice>

namespace talvo::assets {

QByteArray IcoFile(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int w = rgb.width();
  const int h = rgb.height();
  const int colourRow = (w * 3 + 3) / 4 * 4;  // rows are padded to 4 bytes
  const int maskRow = (w + 31) / 32 * 4;
  const quint32 headerSize = 40;
  const quint32 bitmapSize = headerSize + quint32(colourRow + maskRow) * quint32(h);
  const quint32 directorySize = 6 + 16;

  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  // Icon directory with its single entry; 0 stands for 256 in the size bytes.
  out << quint16(0) << quint16(1) << quint16(1);
  out << quint8(w & 0xFF) << quint8(h & 0xFF) << quint8(0) << quint8(0) << quint16(1) << quint16(24) << bitmapSize
      << directorySize;
  // Bitmap header: the height counts the colour rows and the mask rows together.
  out << headerSize << qint32(w) << qint32(2 * h) << quint16(1) << quint16(24) << quint32(0)
      << quint32(bitmapSize - headerSize) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
  // Colour rows bottom up, blue-green-red.
  for (int y = h - 1; y >= 0; --y) {
    const uchar* line = rgb.constScanLine(y);
    for (int x = 0; x < w; ++x)
      out << line[3 * std::ptrdiff_t{x} + 2] << line[3 * std::ptrdiff_t{x} + 1] << line[3 * std::ptrdiff_t{x}];
    for (int pad = w * 3; pad < colourRow; ++pad) out << quint8(0);
  }
  // Mask: every bit 0, every pixel opaque.
  for (int i = 0; i < maskRow * h; ++i) out << quint8(0);
  return bytes;
}

}  // namespace talvo::assets
