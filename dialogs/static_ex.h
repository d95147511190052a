#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>

// A label drawn by itself: one line of text in its own font and colours,
// or a bitmap centred, on a filled or transparent background, with an
// optional raised or sunken frame. Disabled text is drawn embossed. The
// dialogs set the fields after construction and call update().
class CStaticEx : public QLabel {
 public:
  enum Frame { kNoFrame = 0, kRaised = 1, kSunken = 2 };

  explicit CStaticEx(QWidget* parent);

  bool m_bUnderline = false;
  // Draw the bitmap instead of the text.
  bool m_bBitmapMode = false;
  bool m_bTransparentBitmap = false;
  QColor m_transparentColor;
  bool m_bInvertedBitmap = false;
  QColor m_backColor;
  QColor m_textColor;
  bool m_bTransparentBack = false;
  int m_nFontHeight = 10;
  QString m_strFaceName;
  bool m_bBold = false;
  bool m_bItalic = false;
  Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
  QPixmap m_bitmap;
  int m_nFrame = kNoFrame;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
