#include "qt/error_reporter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace velmora::qt {
namespace {

bool boxOpen = false;  // the user-interface thread is the only one that reports

}  // namespace

QString ApplicationTitle(const QString& executablePath) {
  QString name = QFileInfo(executablePath).fileName();
  name = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
  return name.left(1) + name.mid(1).toLower();
}

QString ApplicationTitle() {
  return ApplicationTitle(QCoreApplication::applicationFilePath());
}

void ReportError(QWidget* owner, const std::string& message) {
  if (boxOpen) return;
  boxOpen = true;
  QMessageBox box(QMessageBox::Critical, ApplicationTitle(),
                  QString::fromStdString(ReportedText(message)), QMessageBox::Ok, owner);
  box.setObjectName("ErrorBox");
  box.exec();
  boxOpen = false;
}

bool ErrorBoxOpen() {
  return boxOpen;
}

}  // namespace velmora::qt
