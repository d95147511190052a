#include "dialogs/image_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "commands/dialogs/image_file_dlg.h"

namespace {

// "Name(*.a,*.b)|*.a;*.b|...||" as the file dialog's filters: "Name (*.a *.b)".
QStringList NameFilters(const QString& filter) {
  QStringList filters;
  const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open >= 0) name.truncate(open);
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << name.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}

}  // namespace

int ShowImageFileDialog(CImageFileDlg& data, QWidget* parent) {
  const QString start = QString::fromStdString(data.m_strPath);
  QFileDialog dialog(parent, QStringLiteral("Open"), QFileInfo(start).path());
  dialog.setObjectName(QStringLiteral("imageFile"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(NameFilters(QString::fromLatin1(CImageFileDlg::kFilter)));
  dialog.setDefaultSuffix(QString::fromLatin1(CImageFileDlg::kDefaultExtension));
  dialog.setSizeGripEnabled(true);
  if (!start.isEmpty()) dialog.selectFile(start);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return CModalDialog::kCancel;
  data.m_strPath = dialog.selectedFiles().first().toStdString();
  return CModalDialog::kOk;
}
