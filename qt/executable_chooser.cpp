#include "qt/executable_chooser.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace velmora::qt {
namespace {

// A name pattern cannot say "executable": the filter entry is carried out by this model,
// which keeps folders (to walk through) and the files whose execute bit is set.
class ExecutableFilesOnly : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) return true;
    const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
    return info.isDir() || info.isExecutable();
  }
};

}  // namespace

std::optional<QString> ChooseExecutable(QWidget* owner, const QString& lastChosen) {
  QFileDialog dialog(owner);
  dialog.setObjectName("OpenDialog1");
  // Qt's own dialog: the platform's would not take the filtering model.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilter(QString(kExecutableFilter) + " (*)");
  dialog.setProxyModel(new ExecutableFilesOnly(&dialog));
  if (!lastChosen.isEmpty()) {
    dialog.setDirectory(QFileInfo(lastChosen).absolutePath());
    dialog.selectFile(lastChosen);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace velmora::qt
