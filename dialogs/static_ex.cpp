#include "dialogs/static_ex.h"

#include <QPainter>
#include <qdrawutil.h>

namespace {

// The bitmap as it is drawn: its transparent colour left out, or inverted.
QPixmap DrawnBitmap(const CStaticEx& label) {
  if (label.m_bTransparentBitmap && label.m_transparentColor.isValid()) {
    QPixmap bitmap = label.m_bitmap;
    bitmap.setMask(bitmap.createMaskFromColor(label.m_transparentColor, Qt::MaskInColor));
    return bitmap;
  }
  if (!label.m_bInvertedBitmap) return label.m_bitmap;
  QImage inverted = label.m_bitmap.toImage();
  inverted.invertPixels();
  return QPixmap::fromImage(inverted);
}

}  // namespace

CStaticEx::CStaticEx(QWidget* parent)
    : QLabel(parent),
      m_backColor(palette().color(QPalette::Base)),
      m_textColor(palette().color(QPalette::ButtonText)),
      m_strFaceName(font().family()) {
}

void CStaticEx::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect area = rect().adjusted(1, 1, -1, -1);
  if (m_nFrame != kNoFrame) {
    qDrawShadePanel(&painter, area, palette(), m_nFrame != kRaised, 1);
    area.adjust(1, 1, -1, -1);
  }
  if (!m_bTransparentBack) painter.fillRect(area, m_backColor);
  if (m_bBitmapMode) {
    const QPixmap bitmap = DrawnBitmap(*this);
    painter.drawPixmap(area.center() - bitmap.rect().center(), bitmap);
    return;
  }
  QFont face(m_strFaceName);
  face.setPixelSize(m_nFontHeight);
  face.setBold(m_bBold);
  face.setItalic(m_bItalic);
  face.setUnderline(m_bUnderline);
  painter.setFont(face);
  const int flags = static_cast<int>(m_alignment) | Qt::TextSingleLine;
  if (isEnabled()) {
    painter.setPen(m_textColor);
  } else {
    painter.setPen(Qt::white);
    painter.drawText(area.translated(1, 1), flags, text());
    painter.setPen(palette().color(QPalette::Dark));
  }
  painter.drawText(area, flags, text());
}
