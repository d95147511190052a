#include "window/menu_icons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <cmath>
#include <functional>
#include <string>

#include "imaging/dib.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"
#include "window/dib_bitmap.h"

namespace {

// Every drawing works on a 16 by 16 grid; the painter scales it.
using IconDrawing = void (*)(QPainter&);

void DrawLine(QPainter& p) { p.drawLine(QPointF(2, 13), QPointF(13, 2)); }
void DrawXLine(QPainter& p) {
  p.drawLine(QPointF(0, 12), QPointF(16, 4));
  p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}
void DrawPolyline(QPainter& p) {
  const QPointF points[] = {{2, 13}, {5, 4}, {10, 11}, {14, 3}};
  p.drawPolyline(points, 4);
}
void DrawPolygon(QPainter& p) {
  QPolygonF hexagon;
  for (int i = 0; i < 6; ++i) hexagon << QPointF(8 + 6 * std::cos(i * M_PI / 3), 8 + 6 * std::sin(i * M_PI / 3));
  p.drawPolygon(hexagon);
}
void DrawRectangle(QPainter& p) { p.drawRect(QRectF(2, 4, 12, 8)); }
void DrawArc(QPainter& p) { p.drawArc(QRectF(2, 3, 12, 12), 0, 180 * 16); }
void DrawCircle(QPainter& p) { p.drawEllipse(QRectF(2, 2, 12, 12)); }
void DrawEllipse(QPainter& p) { p.drawEllipse(QRectF(1, 4, 14, 8)); }
void DrawSpline(QPainter& p) {
  QPainterPath path(QPointF(1, 12));
  path.cubicTo(QPointF(5, 0), QPointF(10, 16), QPointF(15, 4));
  p.drawPath(path);
}
void DrawPoint(QPainter& p) {
  p.drawLine(QPointF(4, 8), QPointF(12, 8));
  p.drawLine(QPointF(8, 4), QPointF(8, 12));
}
void DrawHatch(QPainter& p) {
  p.drawRect(QRectF(2, 2, 12, 12));
  for (int i = 0; i < 3; ++i) p.drawLine(QPointF(2 + 4 * i, 14), QPointF(6 + 4 * i + 4, 2 + 0));
}
void DrawText(QPainter& p) {
  p.drawLine(QPointF(3, 3), QPointF(13, 3));
  p.drawLine(QPointF(8, 3), QPointF(8, 14));
}
void DrawBlock(QPainter& p) {
  p.drawRect(QRectF(2, 5, 9, 9));
  p.drawLine(QPointF(2, 5), QPointF(6, 1));
  p.drawLine(QPointF(11, 5), QPointF(15, 1));
  p.drawLine(QPointF(6, 1), QPointF(15, 1));
  p.drawLine(QPointF(15, 1), QPointF(15, 10));
  p.drawLine(QPointF(11, 14), QPointF(15, 10));
}
void DrawMove(QPainter& p) {
  p.drawLine(QPointF(2, 8), QPointF(14, 8));
  p.drawLine(QPointF(8, 2), QPointF(8, 14));
  p.drawLine(QPointF(14, 8), QPointF(11, 5));
  p.drawLine(QPointF(14, 8), QPointF(11, 11));
}
void DrawCopy(QPainter& p) {
  p.drawRect(QRectF(2, 2, 8, 8));
  p.drawRect(QRectF(6, 6, 8, 8));
}
void DrawMirror(QPainter& p) {
  p.drawLine(QPointF(8, 1), QPointF(8, 15));
  const QPointF left[] = {{6, 3}, {2, 12}, {6, 12}};
  const QPointF right[] = {{10, 3}, {14, 12}, {10, 12}};
  p.drawPolygon(left, 3);
  p.drawPolygon(right, 3);
}
void DrawOffset(QPainter& p) {
  p.drawArc(QRectF(2, 4, 12, 12), 0, 180 * 16);
  p.drawArc(QRectF(5, 7, 6, 6), 0, 180 * 16);
}
void DrawRotate(QPainter& p) {
  p.drawArc(QRectF(2, 2, 12, 12), 30 * 16, 270 * 16);
  p.drawLine(QPointF(13, 5), QPointF(13, 1));
}
void DrawScale(QPainter& p) {
  p.drawRect(QRectF(2, 8, 6, 6));
  p.drawRect(QRectF(2, 2, 12, 12));
}
void DrawTrim(QPainter& p) {
  p.drawLine(QPointF(8, 1), QPointF(8, 15));
  p.drawLine(QPointF(1, 8), QPointF(8, 8));
}
void DrawErase(QPainter& p) {
  p.drawLine(QPointF(3, 3), QPointF(13, 13));
  p.drawLine(QPointF(13, 3), QPointF(3, 13));
}
void DrawZoom(QPainter& p) {
  p.drawEllipse(QRectF(2, 2, 8, 8));
  p.drawLine(QPointF(9, 9), QPointF(14, 14));
}
void DrawDimension(QPainter& p) {
  p.drawLine(QPointF(2, 4), QPointF(2, 14));
  p.drawLine(QPointF(14, 4), QPointF(14, 14));
  p.drawLine(QPointF(2, 7), QPointF(14, 7));
  p.drawLine(QPointF(2, 7), QPointF(5, 5));
  p.drawLine(QPointF(14, 7), QPointF(11, 5));
}

struct DrawnIcon {
  const char* name;
  IconDrawing draw;
};

constexpr DrawnIcon kDrawnIcons[] = {
    {"ICON_LINE", DrawLine},         {"ICON_XLINE", DrawXLine},     {"ICON_PLINE", DrawPolyline},
    {"ICON_POLYGON", DrawPolygon},   {"ICON_RECTANGLE", DrawRectangle}, {"ICON_ARC", DrawArc},
    {"ICON_CIRCLE", DrawCircle},     {"ICON_ELLIPSE", DrawEllipse}, {"ICON_SPLINE", DrawSpline},
    {"ICON_POINT", DrawPoint},       {"ICON_HATCH", DrawHatch},     {"ICON_TEXT", DrawText},
    {"ICON_BLOCK", DrawBlock},       {"ICON_INSERT", DrawBlock},    {"ICON_MOVE", DrawMove},
    {"ICON_COPY", DrawCopy},         {"ICON_MIRROR", DrawMirror},   {"ICON_OFFSET", DrawOffset},
    {"ICON_ROTATE", DrawRotate},     {"ICON_SCALE", DrawScale},     {"ICON_TRIM", DrawTrim},
    {"ICON_ERASE", DrawErase},       {"ICON_ZOOM", DrawZoom},       {"ICON_ZOOM_WINDOW", DrawZoom},
    {"ICON_DIMLINEAR", DrawDimension}, {"ICON_DIMALIGNED", DrawDimension},
};

struct StandardIcon {
  const char* name;
  QStyle::StandardPixmap pixmap;
};

constexpr StandardIcon kStandardIcons[] = {
    {"ICON_NEW", QStyle::SP_FileIcon},          {"ICON_OPEN", QStyle::SP_DialogOpenButton},
    {"ICON_SAVE", QStyle::SP_DialogSaveButton}, {"ICON_UNDO", QStyle::SP_ArrowBack},
    {"ICON_REDO", QStyle::SP_ArrowForward},     {"ICON_REDRAW", QStyle::SP_BrowserReload},
};

// "ICON_LINE_16" and "ICON_LINE_24" name one drawing.
QString BaseName(const QString& name) {
  qsizetype underscore = name.lastIndexOf(QLatin1Char('_'));
  if (underscore < 0) return name;
  bool number = false;
  name.mid(underscore + 1).toInt(&number);
  return number ? name.left(underscore) : name;
}

QPixmap Drawn(QSize size, const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size.width() / 16.0, size.height() / 16.0);
  painter.setPen(QPen(Qt::black, 1.2));
  draw(painter);
  return pixmap;
}

// Light grey is the see-through colour of button images.
constexpr QRgb kButtonTransparent = qRgb(192, 192, 192);

QImage ReadButtonImage(const QString& path) {
  CDib dib;
  if (dib.Load(path.toStdString())) return CreateBitmap(dib);
  return QImage(path);
}

QIcon FileIcon(const QString& name, QSize size, const QString& menu_folder) {
  const QString file = QFileInfo(name).fileName();
  QStringList places = {name, QDir(menu_folder).filePath(file)};
  std::string found;
  if (FindFileInPathList(GetProgramSettings().search_path, &found, file.toStdString()))
    places.push_back(QString::fromStdString(found));
  for (const QString& path : places) {
    const QImage image = ReadButtonImage(path);
    if (image.isNull()) continue;
    QPixmap button(size);
    button.fill(Qt::transparent);
    QPainter painter(&button);
    DrawTransparentBitmap(painter, image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation), 0, 0,
                          kButtonTransparent);
    painter.end();
    return QIcon(button);
  }
  return {};
}

}  // namespace

QIcon MenuButtonIcon(const QString& bitmap_name, const QString& label, QSize size, const QString& menu_folder) {
  if (bitmap_name.contains(QLatin1Char('.'))) {
    QIcon icon = FileIcon(bitmap_name, size, menu_folder);
    if (!icon.isNull()) return icon;
  }
  QString base = BaseName(bitmap_name).toUpper();
  for (const DrawnIcon& entry : kDrawnIcons)
    if (base == QLatin1String(entry.name)) return QIcon(Drawn(size, entry.draw));
  for (const StandardIcon& entry : kStandardIcons)
    if (base == QLatin1String(entry.name)) return QApplication::style()->standardIcon(entry.pixmap);
  QString letters = label.left(2);
  return QIcon(Drawn(size, [letters](QPainter& painter) {
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letters);
  }));
}
