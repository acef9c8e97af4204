#pragma once
// A window that stands in for a form not yet built: its title, one label and a close button.
// Closing it hands control back to the start form for the next document.

#include "forms/common/qor_form.h"

class QCloseEvent;

namespace qorvana {

class PlaceholderForm : public QorForm {
    Q_OBJECT
  public:
    PlaceholderForm(const QString& formName, const QString& title, Session& session,
                    FormSet& forms);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void backToStart();
};

}  // namespace qorvana
