#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include "database/graph.h"
#include "display/color_table.h"
#include "display/display_surface.h"
#include "display/grid_and_ucs_icon.h"
#include "window/screen_device.h"
#include "window/screen_device_colors.h"

namespace {

constexpr FcColorRef kBlack = 0x000000;
constexpr FcColorRef kWhite = 0xFFFFFF;

QFont LabelFont() {
  QFont font(QStringLiteral("sans-serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(18);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace

void FcMFCDisplayDevice::DrawGrid(FcGraph* drawing, FcDisplaySurface* surface) {
  if (target_ == nullptr || drawing == nullptr || surface == nullptr || surface->GetView() == nullptr) return;
  const std::vector<FcDevicePoint> dots = GridDots(drawing->GetSysVars(), *surface->GetView());
  const FcColorRef dotColor = IsBrightColor(BackgroundColor()) ? kBlack : kWhite;
  for (const FcDevicePoint& dot : dots) SetTargetPixel(dot.x, dot.y, dotColor);
}

void FcMFCDisplayDevice::DrawUcsIcon(FcGraph* drawing, FcDisplaySurface* surface) {
  if (target_ == nullptr || drawing == nullptr || surface == nullptr || surface->GetView() == nullptr) return;
  // Fonts need the running GUI application; without one (headless use) the
  // icon is drawn without its labels.
  const bool withText = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const QFont font = withText ? LabelFont() : QFont();
  int letterWidth = 0;
  int letterHeight = 0;
  if (withText) {
    const QFontMetrics metrics(font);
    letterWidth = metrics.horizontalAdvance(QStringLiteral("W"));
    letterHeight = metrics.height();
  }
  const FcUcsIconShape icon =
      UcsIconShape(drawing->GetSysVars(), *surface->GetView(), width, height, letterWidth, letterHeight);

  const QColor textColor = ToQColor(IsBrightColor(BackgroundColor()) ? kBlack : kWhite);
  target_->save();
  target_->setBrush(Qt::NoBrush);
  StrokePolylines(icon.polylines, QPen(textColor, 0));
  if (icon.originCircle) {
    target_->drawEllipse(QRect(ToPixel(icon.origin.x - 5, icon.origin.y + 5), QSize(10, 10)));
  }
  if (withText) {
    target_->setFont(font);
    target_->setBackgroundMode(Qt::TransparentMode);
    for (const FcIconLabel& label : icon.labels) {
      const QPoint topLeft = ToPixel(label.topLeft.x, label.topLeft.y);
      target_->drawText(QRect(topLeft, QSize(4 * letterWidth, 2 * letterHeight)), Qt::AlignLeft | Qt::AlignTop,
                        QString::fromLatin1(label.text.c_str()));
    }
  }
  target_->restore();
}
