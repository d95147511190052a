#include "dialogs/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* LinkLabel(const QString& target, const QString& text, QWidget* parent) {
  auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text.toHtmlEscaped()), parent);
  QFont font = label->font();
  font.setPointSize(12);
  label->setFont(font);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(true);
  label->setCursor(Qt::PointingHandCursor);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Kovra Draft"));
  auto* layout = new QVBoxLayout(this);

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picture"));
  picture->setPixmap(QApplication::windowIcon().pixmap(64, 64));
  picture->setAlignment(Qt::AlignCenter);
  picture->setAttribute(Qt::WA_TranslucentBackground);
  layout->addWidget(picture);

  auto* title = new QLabel(QStringLiteral("Kovra Draft 2.0"), this);
  title->setAlignment(Qt::AlignCenter);
  layout->addWidget(title);

  QLabel* home = LinkLabel(QString::fromLatin1(kHomePage), QString::fromLatin1(kHomePage), this);
  home->setObjectName(QStringLiteral("homePage"));
  layout->addWidget(home);
  const QString address = QString::fromLatin1(kSupportAddress);
  QLabel* support = LinkLabel(QStringLiteral("mailto:") + address, address, this);
  support->setObjectName(QStringLiteral("support"));
  layout->addWidget(support);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}
