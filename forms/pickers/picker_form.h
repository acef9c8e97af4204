#pragma once
// The source-document pickers: qoremfb delivery notes and qoremfr receipts (many choices:
// SI/NO per row, select all or none, grouping `ragg`), qoremff invoices and qoremfp quotes
// (one pick closes the window). Every activation lists the documents afresh; confirming or
// picking hands control back to the body form, which runs the import.

#include <vector>

#include "core/session_codes.h"
#include "document/document_draft.h"
#include "forms/common/qor_form.h"
#include "sources/source_documents.h"

class QCheckBox;
class QCloseEvent;
class QPushButton;
class QTableView;

namespace qorvana {

class CustomerLabel;
class PickerModel;

class PickerForm : public QorForm {
    Q_OBJECT
  public:
    PickerForm(SourceKind kind, Session& session, FormSet& forms);

    // Shows the document's customer, clears `ragg` and fills the grid from the data files.
    void activate() override;

    // What the import reads: the records marked "SI", the grouping box, the picked invoice.
    std::vector<int> chosenRecords() const;
    bool grouping() const;
    int pickedRecord() const { return pickedRecord_; }
    const InvoiceReference& pickedInvoice() const { return pickedInvoice_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void fillGrid();
    void onRow(const QModelIndex& index);
    // True unless a credit note would copy another customer's invoice and the operator, asked,
    // does not agree.
    bool mayCorrect(const SourceRow& row);
    // bottone(0) of the multi-choice pickers, `bottone` of the others, and the close box.
    void confirm();
    void backToBody(ReturnAction action);

    SourceKind kind_;
    CustomerLabel* cliente_ = nullptr;
    PickerModel* model_ = nullptr;
    QTableView* elenco_ = nullptr;
    QCheckBox* ragg_ = nullptr;
    int pickedRecord_ = 0;
    InvoiceReference pickedInvoice_;  // number and date of the picked invoice
};

}  // namespace qorvana
