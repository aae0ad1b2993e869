// The typed-character filters of the fields: each typed character is seen before the field
// sees it, and either passes or is discarded. Keys that type no character are not filtered.
#pragma once

#include <QObject>

namespace velmora::qt {

class CharFilter : public QObject {
 public:
  using Passes = bool (*)(char32_t c);
  CharFilter(Passes passes, QObject* parent) : QObject(parent), passes_(passes) {}

  // The character a key event types, 0 for a key that types none.
  static char32_t TypedCharacter(const QEvent* event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Passes passes_;
};

}  // namespace velmora::qt
