// Building the main window: every control from the shared design table, placed at its
// rectangle, the timers, the tray icon, the tab order and the typed-character filters. What the
// controls do when used is in main_window.cpp.
#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/control_names.h"
#include "qt/char_filter.h"
#include "qt/error_reporter.h"
#include "qt/glyphs.h"
#include "qt/main_window.h"
#include "qt/regional_patterns.h"

namespace velmora::qt {
namespace {

constexpr int kTimer3IntervalMs = 100;
const QColor kBlueText(0, 0, 255);

// Date and time fields whose Tab key moves to the next control, as a date picker's does,
// rather than to the next section of the field; the arrow keys move between sections.
template <typename Field>
class PickerField : public Field {
 public:
  using Field::Field;

 protected:
  bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

}  // namespace

void TForm1::CreateControls() {
  for (const ControlSpec& s : Layout()) {
    designs_[s.name] = &s;
    QWidget* control = CreateControl(s);
    Register(control, s.name);
  }
}

QWidget* TForm1::CreateControl(const ControlSpec& s) {
  QWidget* parent = s.parent.empty() ? this : Find<QWidget>(s.parent);
  const QString text = QString::fromStdString(s.text).replace("\r\n", "\n");
  const QRect rect(s.left, s.top, s.width, s.height);
  QWidget* control = nullptr;
  switch (s.kind) {
    case ControlKind::Toolbar: {
      auto* toolbar = new QToolBar(parent);
      toolbar->setMovable(false);
      toolbar->setFloatable(false);
      // The grooved line along its top edge.
      auto* groove = new QFrame(toolbar);
      groove->setFrameShape(QFrame::HLine);
      groove->setFrameShadow(QFrame::Sunken);
      groove->setGeometry(0, 0, s.width, 2);
      control = toolbar;
      break;
    }
    case ControlKind::ToolButton: {
      // Placed on the toolbar by the design, not by the toolbar's own layout.
      auto* button = new QToolButton(parent);
      button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
      button->setAutoRaise(true);
      button->setFocusPolicy(Qt::NoFocus);
      button->setText(text);
      button->setIcon(ToolButtonIcon(s.image, devicePixelRatioF()));
      button->setIconSize(QSize(16, 16));
      button->setEnabled(!(s.flags & kDisabled));
      const std::pair<const char*, void (TForm1::*)()> handlers[] = {
          {control::kStartButton, &TForm1::ToolButton1Click},
          {control::kStopButton, &TForm1::ToolButton2Click},
          {control::kClearButton, &TForm1::ToolButton3Click},
          {control::kExitButton, &TForm1::ToolButton4Click},
      };
      for (const auto& [name, handler] : handlers) {
        if (s.name != name) continue;
        connect(button, &QToolButton::clicked, this,
                [this, handler] { Guarded(this, [&] { (this->*handler)(); }); });
      }
      control = button;
      break;
    }
    case ControlKind::Spacer: {
      auto* spacer = new QFrame(parent);
      if (s.flags & kGrooved) {
        spacer->setFrameShape(QFrame::VLine);
        spacer->setFrameShadow(QFrame::Sunken);
      }
      control = spacer;
      break;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(text, parent);
      if (s.flags & kBlue) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kBlueText);
        label->setPalette(palette);
      }
      control = label;
      break;
    }
    case ControlKind::Edit:
      control = new QLineEdit(text, parent);
      break;
    case ControlKind::SpeedButton: {
      auto* button = new QPushButton(text, parent);
      button->setFocusPolicy(Qt::NoFocus);
      button->setProperty("Tag", s.tag);
      connect(button, &QPushButton::clicked, this,
              [this, button] { Guarded(this, [this, button] { SpeedButton1Click(button); }); });
      control = button;
      break;
    }
    case ControlKind::DateField:
    case ControlKind::TimeField: {
      QDateTimeEdit* field = s.kind == ControlKind::DateField
                                 ? static_cast<QDateTimeEdit*>(new PickerField<QDateEdit>(parent))
                                 : new PickerField<QTimeEdit>(parent);
      field->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
      // Down to the first year the Windows date field takes.
      field->setMinimumDateTime(QDateTime(QDate(1601, 1, 1), QTime(0, 0)));
      field->setDisplayFormat(s.kind == ControlKind::DateField ? DateFieldFormat(patterns_)
                                                               : TimeFieldFormat(patterns_));
      control = field;
      break;
    }
    case ControlKind::GroupBox:
      control = new QGroupBox(parent);
      break;
    case ControlKind::RadioButton: {
      auto* radio = new QRadioButton(text, parent);
      radio->setChecked(s.flags & kChecked);
      control = radio;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(text, parent);
      box->setChecked(s.flags & kChecked);
      connect(box, &QCheckBox::clicked, this,
              [this] { Guarded(this, [this] { CheckBox1Click(); }); });
      control = box;
      break;
    }
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      // Tab moves on to the next control instead of typing a tab.
      memo->setTabChangesFocus(true);
      control = memo;
      break;
    }
    case ControlKind::StatusBar: {
      auto* bar = new QStatusBar(parent);
      bar->setSizeGripEnabled(false);
      for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QString("StatusBar1.Panel%1").arg(i));
      }
      statusPanels_[0]->setFixedWidth(kStatusPanelWidths[0]);
      statusPanels_[0]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      // The last panel runs on to the bar's right edge, so the pointer readout shows whole.
      statusPanels_[1]->setMinimumWidth(kStatusPanelWidths[1]);
      statusPanels_[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      bar->addWidget(statusPanels_[0]);
      bar->addWidget(statusPanels_[1], 1);
      control = bar;
      break;
    }
  }
  if (s.width > 0) {
    control->setGeometry(rect);
  } else {
    control->adjustSize();  // an auto-sized label
    control->move(s.left, s.top);
  }
  return control;
}

void TForm1::CreateTimers() {
  const auto make = [this](const char* name, int intervalMs, void (TForm1::*tick)()) {
    auto* timer = new QTimer(this);
    timer->setInterval(intervalMs);
    Register(timer, name);
    connect(timer, &QTimer::timeout, this,
            [this, tick] { Guarded(this, [&] { (this->*tick)(); }); });
    return timer;
  };
  // The one-second timers are single shots armed for each second boundary, and precise, so
  // they land just after it.
  timer1_ = make("Timer1", 1000, &TForm1::Timer1Timer);
  timer3_ = make("Timer3", kTimer3IntervalMs, &TForm1::Timer3Timer);
  timer4_ = make("Timer4", 1000, &TForm1::Timer4Timer);
  for (QTimer* t : {timer1_, timer4_}) {
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
  }
}

void TForm1::CreateTrayIcon() {
  trayIcon1_ = new QSystemTrayIcon(ApplicationIcon(), this);
  Register(trayIcon1_, "TrayIcon1");
  trayIcon1_->setToolTip(kFormCaption);
  connect(trayIcon1_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) TrayIcon1Restore();
          });
  trayIcon1_->show();
}

void TForm1::SetTabOrder() {
  std::vector<const ControlSpec*> stops;
  for (const ControlSpec& s : Layout()) {
    if (s.tabOrder >= 0 && s.kind != ControlKind::RadioButton && s.kind != ControlKind::GroupBox) {
      stops.push_back(&s);
    }
  }
  for (int i = 1; i <= kRowCount; ++i) {
    // A group's place in the order is taken by its radio buttons; Tab lands on the checked
    // one, as in a dialog, and the arrow keys move between them.
    stops.push_back(DesignOf(RowControlName(control::kRowOpen, i)));
  }
  const auto rank = [this](const ControlSpec* s) {
    return s->kind == ControlKind::RadioButton ? DesignOf(s->parent)->tabOrder : s->tabOrder;
  };
  std::stable_sort(stops.begin(), stops.end(),
                   [&](const ControlSpec* a, const ControlSpec* b) { return rank(a) < rank(b); });
  for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
    QWidget::setTabOrder(Find<QWidget>(stops[i]->name), Find<QWidget>(stops[i + 1]->name));
  }
  for (int i = 1; i <= kRowCount; ++i) {
    auto* open = Find<QRadioButton>(RowControlName(control::kRowOpen, i));
    auto* close = Find<QRadioButton>(RowControlName(control::kRowClose, i));
    QWidget::setTabOrder(open, close);
    // Only the checked button of a group is a Tab stop; the other is reached by a click or
    // an arrow key.
    const auto follow = [open, close] {
      open->setFocusPolicy(open->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
      close->setFocusPolicy(close->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    follow();
    connect(open, &QRadioButton::toggled, this, follow);
  }
}

void TForm1::InstallCharFilters() {
  auto* dateFilter = new CharFilter(&FSetDate1KeyPress, this);
  auto* numberFilter = new CharFilter(&Edit7KeyPress, this);
  for (const auto& [name, design] : designs_) {
    CharFilter* filter = nullptr;
    if (design->kind == ControlKind::DateField || design->kind == ControlKind::TimeField) {
      filter = dateFilter;
    } else if (name == control::kClickInterval || name == control::kClickX ||
               name == control::kClickY) {
      filter = numberFilter;
    }
    if (!filter) continue;
    auto* field = Find<QWidget>(name);
    field->installEventFilter(filter);
    // A spin box hands its keys to the line edit inside it.
    for (QLineEdit* inner : field->findChildren<QLineEdit*>()) inner->installEventFilter(filter);
  }
}

}  // namespace velmora::qt
