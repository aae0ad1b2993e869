#include "actions/launcher_linux.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace velmora {

void OpenWithShell(const std::string& path) {
  struct stat info {};
  // A missing path opens nothing and shows nothing, as the shell's "open" fails quietly.
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return;
  // Absolute, so a bare file name means the file in the current directory, not one on PATH.
  const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  // The results are deliberately not examined: a row that cannot be opened is still logged.
  if (S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0) {
    QProcess::startDetached(absolute, {}, QDir::currentPath());
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

}  // namespace velmora
