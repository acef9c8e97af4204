#pragma once
// The label that tells, on the windows of a document being issued, whose document it is: the
// customer's name and town, from the draft.

#include <QLabel>

#include "document/document_draft.h"

namespace qorvana {

class CustomerLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CustomerLabel(QWidget* parent = nullptr);
    // "Cliente: NAME - TOWN" ("Cliente: NAME" without a town).
    void showCustomer(const DraftCustomer& customer);
};

}  // namespace qorvana
