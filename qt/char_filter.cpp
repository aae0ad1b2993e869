#include "qt/char_filter.h"

#include <QKeyEvent>

namespace velmora::qt {

char32_t CharFilter::TypedCharacter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<const QKeyEvent*>(event);
  switch (key->key()) {
    // X11 gives Delete the text DEL; like the arrows and Tab it moves or edits, typing nothing.
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0;
    case Qt::Key_Backspace:
      return 8;
  }
  const QString text = key->text();
  if (text.isEmpty()) return 0;
  return text.toUcs4().value(0);
}

bool CharFilter::eventFilter(QObject* watched, QEvent* event) {
  const char32_t c = TypedCharacter(event);
  if (c != 0 && !passes_(c)) return true;
  return QObject::eventFilter(watched, event);
}

}  // namespace velmora::qt
