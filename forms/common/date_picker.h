#pragma once
// The date control of the forms: a text box showing and taking "dd/mm/yyyy" with a calendar
// button beside it. The text may hold anything the operator types; the forms validate it.

#include <QString>
#include <QWidget>
#include <optional>

#include "core/civil_date.h"

class QLineEdit;
class QToolButton;
class QCalendarWidget;

namespace qorvana {

class DatePicker : public QWidget {
    Q_OBJECT
  public:
    explicit DatePicker(QWidget* parent = nullptr);

    QString text() const;
    // Sets the text without counting as an operator's change (no `edited`).
    void setText(const QString& text);
    void setDate(const CivilDate& date);
    // The date shown, when the text is a valid "dd/mm/yyyy" date.
    std::optional<CivilDate> date() const;
    QLineEdit* lineEdit() const { return edit_; }

  signals:
    // The operator typed into the box or chose a day in the calendar.
    void edited(const QString& text);
    // Any change of the text.
    void textChanged(const QString& text);

  private:
    QCalendarWidget* calendar();
    void openCalendar();
    void chooseDay();

    QLineEdit* edit_;
    QToolButton* button_;
    QCalendarWidget* calendar_ = nullptr;
};

}  // namespace qorvana
