// The open-file dialog of the browse buttons: one filter entry, "可执行文件", that lists the
// executable files (those whose execute bit is set), proposing the file chosen last.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace velmora::qt {

inline constexpr char kExecutableFilter[] = "可执行文件";

// Shows the dialog over owner; the chosen file, or nothing when the user cancels.
std::optional<QString> ChooseExecutable(QWidget* owner, const QString& lastChosen);

}  // namespace velmora::qt
